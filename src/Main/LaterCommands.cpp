// Commands whose windows and toolchain arrive with their own work: printing,
// the compiler and launches, help. Until then they do nothing.
#include "Main/MainForm.h"

void TMainForm::Drucken1Click() {}
void TMainForm::Druckereinrichten1Click() {}
void TMainForm::Compiler1Click() {}
void TMainForm::Browser1Click() {}
void TMainForm::Runner1Click() {}
void TMainForm::Inhalt1Click() {}

void TMainForm::Optionen1Click() {
    if (ShowOptions)
        ShowOptions();
}

void TMainForm::Info1Click() {
    if (ShowInfo)
        ShowInfo();
}
