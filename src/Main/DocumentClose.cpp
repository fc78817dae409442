// Closing documents: the save question, Close, Close all and the way out of
// the program. No unsaved text is dropped without the user's "No".
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"

bool TMainForm::AskSaveChanges() {
    if (LastSlot < 0 || !CurrentMemo()->Modified())
        return true;
    const QString text = QStringLiteral("Änderungen speichern in %1?").arg(SlotFile[CurrentSlot()]);
    switch (Ask.AskYesNoCancel(this, text)) {
    case Prompts::Answer::Yes:
        return SaveCurrentFile();
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Cancel:
        break;
    }
    return false;
}

bool TMainForm::CloseCurrentDocument() {
    if (LastSlot < 0 || !AskSaveChanges())
        return false;
    CloseCurrentSlot();
    return true;
}

bool TMainForm::CloseAllDocuments() {
    for (int open = LastSlot + 1; open > 0; --open)
        if (!CloseCurrentDocument())
            return false;
    return true;
}

void TMainForm::Schliessen1Click() {
    if (CloseCurrentDocument())
        ShowStateAfterClose();
}

void TMainForm::AllesSchliessen1Click() {
    const int open = LastSlot + 1;
    CloseAllDocuments();
    if (LastSlot + 1 < open)
        ShowStateAfterClose();
}

// Closing leaves the commands of the closed document behind; refreshing
// them disables what has nothing left to act on.
void TMainForm::ShowStateAfterClose() {
    UpdateCommandStates();
    if (LastSlot >= 0)
        UpdateCaretStatus();
    else
        SetStatusText(0, QString());
}

bool TMainForm::FormCloseQuery() {
    // A save that fails on the way out keeps the window open, as a Cancel does.
    bool mayClose = false;
    Guard([this, &mayClose] { mayClose = CloseAllDocuments(); });
    return mayClose;
}
