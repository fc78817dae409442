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
    TColorMemo* memo = CurrentMemo();
    const int line = memo->CaretLine() + 1;
    const int col = memo->CaretCol() + 1;
    SetStatusText(0, QString::asprintf("%3d: %3d", line, col));
}

void TMainForm::UpdateCommandStates() {
    const int c = CurrentSlot();
    TColorMemo* memo = CurrentMemo();
    const bool inUse = LastSlot >= 0;
    setWindowTitle(QStringLiteral("Kodiwerk - ") + QFileInfo(SlotFile[c]).fileName());
    // A closed slot's editor keeps its text and modification flag; with no
    // slot in use there is no document to call changed, and nothing may act
    // on that text, so it only counts while a slot is in use.
    SetStatusText(1, inUse && memo->Modified() ? QStringLiteral("Geändert") : QString());

    const bool hasText = inUse && memo->TextLength() > 0;
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    const bool canPaste = inUse && clip && clip->hasText();
    const bool hasSelection = inUse && memo->SelLength() > 0;
    const bool canUndo = inUse && memo->document()->isUndoAvailable();

    const auto enable = [](std::initializer_list<QAction*> actions, bool on) {
        for (QAction* action : actions)
            action->setEnabled(on);
    };
    enable({Speichern1, SpeichernUnter1, Drucken1, Suchen1, Ersetzen1, Compiler1, Browser1, Runner1,
            Speichern2, Drucken2, Suchen2, Ersetzen2, Compiler2, Browser2, Runner2, Compiler3,
            Browser3, Runner3},
           hasText);
    enable({Schliessen1, AllesSchliessen1, Allesmarkieren1, Schliessen3}, inUse);
    enable({Rueckgaengig1, Rueckgaengig3}, canUndo);
    enable({Einfuegen1, Einfuegen2, Einfuegen3}, canPaste);
    enable({Ausschneiden1, Kopieren1, Loeschen1, Ausschneiden2, Kopieren2, Ausschneiden3, Kopieren3,
            Loeschen3},
           hasSelection);
}
