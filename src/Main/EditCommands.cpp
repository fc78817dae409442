// Editing commands of the "&Bearbeiten" menu, find and replace, the font
// command, tab stops, auto-indent, Ctrl+Y and the editor events. With no slot
// in use the current editor is a hidden one that still holds the text of a
// closed document: no command acts on it.
#include "ColMemo/ColorMemo.h"
#include "Main/EditLogic.h"
#include "Main/FindDialog.h"
#include "Main/FontStyle.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Main/ReplaceDialog.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTextDocument>

namespace {

// The character the editor reports for Enter (carriage return).
constexpr char16_t EnterKey = 13;

// Runs edits the user cannot take back. With the history switched off the
// change event already sees nothing to undo, and the history before the edit
// is gone, so undo never puts back a text that no longer fits.
template <typename Edit> void WithoutUndo(TColorMemo* memo, Edit edit) {
    QTextDocument* document = memo->document();
    document->setUndoRedoEnabled(false);
    edit();
    document->setUndoRedoEnabled(true);
}

void ShowModeless(QDialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

// ---- clipboard and undo ------------------------------------------------------

void TMainForm::Rueckgaengig1Click() {
    if (AnySlotInUse())
        CurrentMemo()->undo();
}

void TMainForm::Ausschneiden1Click() {
    if (AnySlotInUse())
        CurrentMemo()->cut();
}

void TMainForm::Kopieren1Click() {
    if (AnySlotInUse())
        CurrentMemo()->copy();
}

void TMainForm::Einfuegen1Click() {
    if (AnySlotInUse())
        CurrentMemo()->paste();
}

void TMainForm::Loeschen1Click() {
    if (AnySlotInUse() && CurrentMemo()->SelLength() > 0)
        CurrentMemo()->ReplaceSelection(QString());
}

void TMainForm::Allesmarkieren1Click() {
    if (!AnySlotInUse())
        return;
    TColorMemo* memo = CurrentMemo();
    memo->SetSelection(0, memo->TextLength());
}

// ---- find and replace --------------------------------------------------------

void TMainForm::Suchen1Click() {
    if (!AnySlotInUse())
        return;
    if (!FindDialog) {
        FindDialog = new TFindDialog(this);
        connect(FindDialog, &TFindDialog::Find, this,
                [this] { Guard([this] { FindDialogFind(); }); });
    }
    ShowModeless(FindDialog);
}

void TMainForm::Ersetzen1Click() {
    if (!AnySlotInUse())
        return;
    if (!ReplaceDialog) {
        ReplaceDialog = new TReplaceDialog(this);
        connect(ReplaceDialog, &TReplaceDialog::Find, this,
                [this] { Guard([this] { ReplaceDialogFind(); }); });
        connect(ReplaceDialog, &TReplaceDialog::Replace, this,
                [this] { Guard([this] { ReplaceDialogReplace(); }); });
    }
    ShowModeless(ReplaceDialog);
}

void TMainForm::FindDialogFind() {
    if (FindDialog)
        SelectNextOccurrence(FindDialog->FindText());
}

void TMainForm::ReplaceDialogFind() {
    if (ReplaceDialog)
        SelectNextOccurrence(ReplaceDialog->FindText());
}

void TMainForm::SelectNextOccurrence(const QString& what) {
    if (!AnySlotInUse())
        return;
    TColorMemo* memo = CurrentMemo();
    const int32_t at = FindNextOffset(memo->Text(), memo->SelStart(), memo->SelLength(), what);
    if (at < 0)
        return;
    memo->setFocus();
    memo->SetSelection(at, int32_t(what.size()));
}

void TMainForm::ReplaceDialogReplace() {
    if (!AnySlotInUse() || !ReplaceDialog)
        return;
    const QString what = ReplaceDialog->FindText();
    const QString with = ReplaceDialog->ReplaceText();
    TColorMemo* memo = CurrentMemo();
    const QString text = memo->Text();
    const qsizetype first = what.isEmpty() ? -1 : text.indexOf(what);
    if (first < 0) {
        Ask.Error(this, SearchTextNotFound(what), QStringLiteral("Fehler"));
        return;
    }
    if (!ReplaceDialog->ReplaceAll()) {
        WithoutUndo(memo, [&] {
            memo->SetSelection(int32_t(first), int32_t(what.size()));
            memo->ReplaceSelection(with);
        });
        return;
    }
    // However many occurrences: one edit of the document.
    TReplaceAllResult all = ReplaceAll(text, what, with);
    std::vector<TColorMemo::TStretch> stretches;
    stretches.reserve(all.Edits.size());
    for (TReplaceAllResult::TEdit& edit : all.Edits)
        stretches.push_back({edit.Start, edit.Length, std::move(edit.Text)});
    WithoutUndo(memo, [&] {
        memo->ReplaceStretches(stretches);
        memo->SetSelStart(all.Caret);
    });
}

// ---- font and tab stops ------------------------------------------------------

void TMainForm::Font1Click() {
    // The dialog is shown the family the editor really draws with, which may
    // stand in for a stored name not installed here; OK without a change
    // then changes nothing, the stored name included.
    const QFont current = Slot(1).Memo->font();
    QFont shown = current;
    shown.setFamily(QFontInfo(current).family());
    if (const std::optional<QFont> chosen = Ask.ChooseFont(this, shown)) {
        TFontSetting setting = FontSettingOf(*chosen, Inis.FontCharSet);
        // Underline and strike-out are no choice of this command: the editor keeps its own.
        const int effects = TFontSetting::Underline | TFontSetting::StrikeOut;
        setting.Style = (setting.Style & ~effects) | (FontSettingOf(current, 0).Style & effects);
        if (setting != FontSettingOf(shown, Inis.FontCharSet))
            ApplyEditorFont(MakeFont(setting, current));
    }
    ApplyTabStops();
}

void TMainForm::ApplyTabStops() {
    if (!AnySlotInUse())
        return;
    // The dialog base unit of the platform is the average character width of
    // the application font; the stops do not follow the editor font.
    const int baseUnit = QFontMetrics(QApplication::font()).averageCharWidth();
    const double distance = TabStopDistance(Inis.Tabs, baseUnit);
    for (int n = 1; SlotInUse(n); ++n) {
        TColorMemo* memo = SlotMemo(n);
        memo->setTabChangesFocus(false);
        memo->setTabStopDistance(distance);
        memo->viewport()->update();
    }
}

// ---- auto-indent and Ctrl+Y ----------------------------------------------------

void TMainForm::AutoIndent() {
    const bool doIndent = EnterPressed && Inis.AutoTab;
    EnterPressed = false;
    if (!doIndent || !AnySlotInUse())
        return;
    TColorMemo* memo = CurrentMemo();
    const QString prefix = IndentPrefix(memo->LineText(memo->CaretLine() - 1));
    if (prefix.isEmpty())
        return;
    memo->SetSelStart(memo->SelStart());
    memo->ReplaceSelection(prefix);
}

void TMainForm::DeleteCaretLine() {
    if (!AnySlotInUse())
        return;
    TColorMemo* memo = CurrentMemo();
    // The key goes on to the editor, where Qt binds it to redo: with the redo
    // history gone it finds nothing to bring back.
    memo->document()->clearUndoRedoStacks(QTextDocument::RedoStack);
    const int32_t line = memo->CaretLine();
    const int32_t start = memo->LineIndex(line);
    if (start < 0)
        return;
    const int32_t next = memo->LineIndex(line + 1);
    // The last line keeps the break before it.
    const int32_t length = next >= 0 ? next - start : memo->LineLength(start);
    if (length == 0)
        return;
    WithoutUndo(memo, [&] {
        memo->SetSelection(start, length);
        memo->ReplaceSelection(QString());
    });
}

// ---- editor events -------------------------------------------------------------

void TMainForm::CMemo1Change(TColorMemo*) {
    AutoIndent();
    RequestStates(true);
}

void TMainForm::CMemo1Click(TColorMemo*) {
    RequestStates(true);
}

void TMainForm::CMemo1KeyDown(TColorMemo*, int& key, Qt::KeyboardModifiers modifiers) {
    RequestStates(false);
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (key == Qt::Key_Y && held == Qt::ControlModifier &&
        QApplication::mouseButtons() == Qt::NoButton)
        DeleteCaretLine();
}

void TMainForm::CMemo1KeyPress(TColorMemo*, QChar& key) {
    EnterPressed = key.unicode() == EnterKey;
}

void TMainForm::PC_EditChange() {
    UpdateCommandStates();
    UpdateCaretStatus();
}
