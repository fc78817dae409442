// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog: what its OK changes takes effect in the main window.
#include "Main/Inis.h"
#include "Main/MainForm.h"

#include <QDialog>

// The options dialog changes the settings record on OK; the tab width, the
// line numbers and the project directory then take effect here, and a new JDK gets its
// compiler warmed up.
void TMainForm::Optionen1Click() {
    if (!ShowOptions)
        return;
    const QString jdkBefore = Inis.JdkDir;
    const bool accepted = ShowOptions() == QDialog::Accepted;
    // An OK that stopped at a later number field has already stored the tab
    // width; the editors follow it even when the user then leaves with Abbruch.
    ApplyTabStops();
    if (accepted) {
        OpenDialogInitialDir = Inis.ProjectDir;
        ApplyLineNumbers();
    }
    if (Inis.JdkDir != jdkBefore)
        WarmUpCompiler();
}
