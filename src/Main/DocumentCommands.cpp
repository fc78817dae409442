// Document commands: new, templates, open, save, close, recent files, exit.
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"

void TMainForm::Neu1Click() {}
void TMainForm::NeuApplet1Click() {}
void TMainForm::NeuApplication1Click() {}
void TMainForm::Oeffnen1Click() {}
void TMainForm::Speichern1Click() {}
void TMainForm::SpeichernUnter1Click() {}
void TMainForm::Schliessen1Click() {}
void TMainForm::AllesSchliessen1Click() {}
void TMainForm::RecentFileClick(int) {}
void TMainForm::Datei1Click() {}
void TMainForm::OpenDocument(const QString&) {}
void TMainForm::OpenCommandLineFile() {}
bool TMainForm::SaveCurrentFile() {
    return false;
}
bool TMainForm::SaveCurrentFileAs() {
    return false;
}
void TMainForm::AddRecentFile(const QString&) {}
bool TMainForm::AskSaveChanges() {
    return true;
}
bool TMainForm::FormCloseQuery() {
    return true;
}
