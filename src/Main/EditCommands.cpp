// Editing commands of the "&Bearbeiten" menu and the editor events.
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"

void TMainForm::Rueckgaengig1Click() {}
void TMainForm::Ausschneiden1Click() {}
void TMainForm::Kopieren1Click() {}
void TMainForm::Einfuegen1Click() {}
void TMainForm::Loeschen1Click() {}

void TMainForm::Allesmarkieren1Click() {
    TColorMemo* memo = CurrentMemo();
    memo->SetSelection(0, memo->TextLength());
}

void TMainForm::Suchen1Click() {}
void TMainForm::Ersetzen1Click() {}
void TMainForm::Font1Click() {}
void TMainForm::ApplyTabStops() {}
void TMainForm::AutoIndent() {}

void TMainForm::CMemo1Change(TColorMemo*) {
    AutoIndent();
    UpdateCommandStates();
    UpdateCaretStatus();
}

void TMainForm::CMemo1Click(TColorMemo*) {
    UpdateCommandStates();
    UpdateCaretStatus();
}

void TMainForm::CMemo1KeyDown(TColorMemo*, int&, Qt::KeyboardModifiers) {
    UpdateCaretStatus();
}

void TMainForm::CMemo1KeyPress(TColorMemo*, QChar& key) {
    EnterPressed = key.unicode() == 13;
}

void TMainForm::PC_EditChange() {
    UpdateCommandStates();
    UpdateCaretStatus();
}
