// SPDX-License-Identifier: GPL-3.0-or-later
// Closing documents: the save question, Close, Close all and the way out of
// the program. No unsaved text is dropped without the user's "No".
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"

bool TMainForm::AskSaveChanges() {
    if (!AnySlotInUse() || !CurrentMemo()->Modified())
        return true;
    const QString text = QStringLiteral("Änderungen speichern in %1?").arg(CurrentDocument().File);
    switch (Ask().AskYesNoCancel(this, text)) {
    case TPrompts::Answer::Yes:
        return SaveCurrentFile();
    case TPrompts::Answer::No:
        return true;
    case TPrompts::Answer::Cancel:
        break;
    }
    return false;
}

bool TMainForm::CloseCurrentDocument() {
    if (!AnySlotInUse() || !AskSaveChanges())
        return false;
    CloseCurrentSlot();
    return true;
}

bool TMainForm::CloseAllDocuments() {
    for (int open = Last + 1; open > 0; --open)
        if (!CloseCurrentDocument())
            return false;
    return true;
}

// Closing leaves the states of the closed document behind, and a question
// may have shown another page: whatever the answers (and also after a save
// that failed), the caption, status and commands then describe the page shown.
void TMainForm::Schliessen1Click() {
    if (!AnySlotInUse())
        return;
    Guard([this] { CloseCurrentDocument(); });
    ShowCurrentState();
}

void TMainForm::AllesSchliessen1Click() {
    if (!AnySlotInUse())
        return;
    Guard([this] { CloseAllDocuments(); });
    ShowCurrentState();
}

bool TMainForm::FormCloseQuery() {
    // A save that fails on the way out keeps the window open, as a Cancel does.
    bool mayClose = false;
    Guard([this, &mayClose] { mayClose = CloseAllDocuments(); });
    if (!mayClose)
        ShowCurrentState();
    return mayClose;
}
