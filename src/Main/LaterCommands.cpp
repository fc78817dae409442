// Commands whose windows and toolchain arrive with their own work: printing,
// the compiler and launches, help. Until then they do nothing.
#include "Main/Inis.h"
#include "Main/MainForm.h"

#include <QDialog>

void TMainForm::Drucken1Click() {}
void TMainForm::Druckereinrichten1Click() {}
void TMainForm::Compiler1Click() {}
void TMainForm::Browser1Click() {}
void TMainForm::Runner1Click() {}
void TMainForm::Inhalt1Click() {}

// The options dialog changes the settings record on OK; the tab width and
// the project directory then take effect here.
void TMainForm::Optionen1Click() {
    if (!ShowOptions || ShowOptions() != QDialog::Accepted)
        return;
    OpenDialogInitialDir = Inis.ProjectDir;
    ApplyTabStops();
}

void TMainForm::Info1Click() {
    if (ShowInfo)
        ShowInfo();
}
