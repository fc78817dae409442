// SPDX-License-Identifier: GPL-3.0-or-later
// Editing commands of the "&Bearbeiten" menu (find and replace are
// TFindReplace's), the font command, tab stops, auto-indent, Ctrl+Y and the
// editor events. With no slot in use the current editor is a hidden one that
// still holds the text of a closed document: no command acts on it.
#include "ColMemo/ColorMemo.h"
#include "Main/EditLogic.h"
#include "Main/FontStyle.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Main/WithoutUndo.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTextDocument>

namespace {

// The character the editor reports for Enter (carriage return).
constexpr char16_t EnterKey = 13;

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

// ---- font and tab stops ------------------------------------------------------

void TMainForm::Font1Click() {
    // The dialog is shown the family the editor really draws with, which may
    // stand in for a stored name not installed here; OK without a change
    // then changes nothing, the stored name included.
    const QFont current = Slot(1).Memo->font();
    QFont shown = current;
    shown.setFamily(QFontInfo(current).family());
    if (const std::optional<QFont> chosen = Ask().ChooseFont(this, shown)) {
        mainform::TFontSetting setting = mainform::FontSettingOf(*chosen, Inis.FontCharSet);
        // Underline and strike-out are no choice of this command: the editor keeps its own.
        const int effects = mainform::TFontSetting::Underline | mainform::TFontSetting::StrikeOut;
        setting.Style =
            (setting.Style & ~effects) | (mainform::FontSettingOf(current, 0).Style & effects);
        if (setting != mainform::FontSettingOf(shown, Inis.FontCharSet))
            ApplyEditorFont(mainform::MakeFont(setting, current));
    }
    ApplyTabStops();
}

void TMainForm::ApplyLineNumbers() {
    for (TEditorSlot& slot : Slots)
        slot.Memo->SetLineNumbers(Inis.LineNumbers);
}

void TMainForm::ApplyTabStops() {
    if (!AnySlotInUse())
        return;
    // The dialog base unit of the platform is the average character width of
    // the application font; the stops do not follow the editor font.
    const int baseUnit = QFontMetrics(QApplication::font()).averageCharWidth();
    const double distance = mainform::TabStopDistance(Inis.Tabs, baseUnit);
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
    const QString prefix = mainform::IndentPrefix(memo->LineText(memo->CaretLine() - 1));
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
    mainform::WithoutUndo(memo, [&] {
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
