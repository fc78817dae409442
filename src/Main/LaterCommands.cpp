// Commands whose windows arrive with their own work: printing and help.
// Until then they do nothing.
#include "Main/Inis.h"
#include "Main/MainForm.h"

#include <QDialog>

void TMainForm::Drucken1Click() {}
void TMainForm::Druckereinrichten1Click() {}
void TMainForm::Inhalt1Click() {}

// The options dialog changes the settings record on OK; the tab width and
// the project directory then take effect here.
void TMainForm::Optionen1Click() {
    if (!ShowOptions)
        return;
    const bool accepted = ShowOptions() == QDialog::Accepted;
    // An OK that stopped at a later number field has already stored the tab
    // width; the editors follow it even when the user then leaves with Abbruch.
    ApplyTabStops();
    if (accepted)
        OpenDialogInitialDir = Inis.ProjectDir;
}

void TMainForm::Info1Click() {
    if (ShowInfo)
        ShowInfo();
}
