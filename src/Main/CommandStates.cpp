// Caption, "Geändert" marker, caret position and the enabled state of every
// command, recomputed at the events that can change them.
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMimeData>

void TMainForm::UpdateCaretStatus() {
    CaretStatusRequested = false;
    TColorMemo* memo = CurrentMemo();
    const int line = memo->CaretLine() + 1;
    const int col = memo->CaretCol() + 1;
    SetStatusText(CaretPanel, QString::asprintf("%3d: %3d", line, col));
}

void TMainForm::UpdateCommandStates() {
    CommandStatesRequested = false;
    TColorMemo* memo = CurrentMemo();
    const bool inUse = AnySlotInUse();
    setWindowTitle(QStringLiteral("Kodiwerk - ") + QFileInfo(SlotFile(CurrentSlot())).fileName());
    // A closed slot's editor keeps its text and modification flag; with no
    // slot in use there is no document to call changed, and nothing may act
    // on that text, so it only counts while a slot is in use.
    SetStatusText(ModifiedPanel,
                  inUse && memo->Modified() ? QStringLiteral("Geändert") : QString());

    const auto met = [&](TEnabledWhen when) {
        switch (when) {
        case TEnabledWhen::Always:
            return true;
        case TEnabledWhen::HasText:
            return inUse && memo->TextLength() > 0;
        case TEnabledWhen::InUse:
            return inUse;
        case TEnabledWhen::CanUndo:
            return inUse && memo->document()->isUndoAvailable();
        case TEnabledWhen::CanPaste:
            return inUse && ClipboardHasText();
        case TEnabledWhen::HasSelection:
            return inUse && memo->SelLength() > 0;
        }
        return true;
    };
    for (const auto& [action, when] : Commands)
        action->setEnabled(met(when));
    // The error list belongs to the document shown.
    ShowErrorList();
}

void TMainForm::ShowCurrentState() {
    UpdateCommandStates();
    if (AnySlotInUse())
        UpdateCaretStatus();
    else
        SetStatusText(CaretPanel, QString());
}

bool TMainForm::ClipboardHasText() {
    if (!ClipboardKnown) {
        const QMimeData* clip = QApplication::clipboard()->mimeData();
        ClipboardText = clip && clip->hasText();
        ClipboardKnown = true;
    }
    return ClipboardText;
}

void TMainForm::RequestStates(bool commandStates) {
    CaretStatusRequested = true;
    CommandStatesRequested = CommandStatesRequested || commandStates;
    if (StatesPosted)
        return;
    StatesPosted = true;
    // A posted call runs before the paints of the same pass, which Qt posts at low priority.
    QMetaObject::invokeMethod(
        this,
        [this] {
            StatesPosted = false;
            ApplyRequestedStates();
        },
        Qt::QueuedConnection);
}

void TMainForm::ApplyRequestedStates() {
    if (CommandStatesRequested)
        UpdateCommandStates();
    if (!CaretStatusRequested)
        return;
    // Edits that move text between slots reach editors while none may be in use: the panel
    // then stays empty, as the command that closed the last slot left it.
    if (AnySlotInUse())
        UpdateCaretStatus();
    else
        SetStatusText(CaretPanel, QString());
    CaretStatusRequested = false;
}
