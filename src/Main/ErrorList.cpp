// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/ErrorList.h"

#include "ColMemo/ColorMemo.h"
#include "Erklaerung/BuiltInExplanations.h"
#include "Main/SlotDocument.h"
#include "Main/Workspace.h"

#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>

namespace {

using TKind = datei::TErrorListEntry::TKind;

constexpr int ItemHeight = 17;
constexpr int FontPixels = 15;

const QColor Fuchsia(255, 0, 255);
const QColor Red(255, 0, 0);

// The colour of every entry, also while the list is disabled: the two
// introductory lines are meant to be read.
void SetTextColour(QListWidget* list, const QColor& colour) {
    QPalette palette = list->palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Text, colour);
    list->setPalette(palette);
}

void SetItemHeights(QListWidget* list) {
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setSizeHint(QSize(0, ItemHeight));
}

bool IsMessage(const datei::TErrorListEntry& entry) {
    return entry.Kind == TKind::Error || entry.Kind == TKind::Warning || entry.Kind == TKind::Note;
}

bool HasRawLines(const datei::TErrorRows& rows) {
    return std::any_of(
        rows.Entries.begin(), rows.Entries.end(),
        [](const datei::TErrorListEntry& entry) { return entry.Kind == TKind::Raw; });
}

// Errors in the colour of a failure; warnings and notes, which stop nothing,
// in the list's normal colour. Output that is no javac message turns the
// whole list red, as it always has.
QColor EntryColour(const datei::TErrorRows& rows, const datei::TErrorListEntry& entry,
                   const QColor& neutral) {
    if (rows.Failed && HasRawLines(rows))
        return Red;
    switch (entry.Kind) {
    case TKind::Error:
        return Fuchsia;
    case TKind::Raw:
        return Red;
    case TKind::Remark:
        return rows.Failed ? Fuchsia : neutral;
    case TKind::Warning:
    case TKind::Note:
        break;
    }
    return neutral;
}

} // namespace

TErrorList::TErrorList(TWorkspace& workspace, QWidget* parent)
    : Workspace(workspace), Area(new QSplitter(Qt::Horizontal, parent)),
      ListBox(new QListWidget(Area)), Explanation(new QTextBrowser(Area)) {
    Area->setObjectName(QStringLiteral("ErrorArea"));
    Area->setChildrenCollapsible(false);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    ListBox->setAccessibleName(QStringLiteral("Fehlerliste"));
    ListBox->setFont(ListFont());
    SetTextColour(ListBox, Fuchsia);
    ListBox->setUniformItemSizes(true);
    ListBox->addItems(
        {QStringLiteral("Hier werden die möglichen Programmfehler angezeigt."),
         QStringLiteral("Nach einem Doppelklick geht der Cursor zur Fehlerposition.")});
    SetItemHeights(ListBox);
    ListBox->setEnabled(false);

    Explanation->setObjectName(QStringLiteral("Erklaerung"));
    Explanation->setAccessibleName(QStringLiteral("Erklärung"));
    Explanation->setOpenLinks(false);
    Explanation->setFocusPolicy(Qt::ClickFocus);
    // Shown once a compile has something to explain.
    Explanation->hide();
    Area->setStretchFactor(0, 3);
    Area->setStretchFactor(1, 2);

    connect(ListBox, &QListWidget::itemClicked, this,
            [this] { Workspace.Guard([this] { ListBoxClick(); }); });
    connect(ListBox, &QListWidget::itemDoubleClicked, this,
            [this] { Workspace.Guard([this] { ListBoxDblClick(); }); });
    connect(ListBox, &QListWidget::currentRowChanged, this,
            [this](int row) { ShowExplanation(row); });
}

QWidget* TErrorList::Widget() const {
    return Area;
}

QFont TErrorList::ListFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(FontPixels);
    return font;
}

QColor TErrorList::IntroductionColour() {
    return Fuchsia;
}

QString TErrorList::ExplanationText(const datei::TErrorListEntry& entry) {
    if (!IsMessage(entry))
        return {};
    const erklaerung::TExplanation explanation = erklaerung::Explain(entry.Message);
    return explanation.IsExplained() ? erklaerung::PlainText(explanation) : QString();
}

void TErrorList::TakeOver() {
    ListBox->setEnabled(true);
    ListBox->setToolTip(QString());
    Explanation->show();
    ShowDocument();
}

void TErrorList::ShowDocument() {
    // The introduction stays until the first compile.
    if (!ListBox->isEnabled())
        return;
    static const TSlotDocument none;
    const TSlotDocument& document = Workspace.AnySlotInUse() ? Workspace.CurrentDocument() : none;
    // Cheap when nothing changed, as after every key: the lists share their data then.
    const datei::TErrorRows& rows = document.Errors;
    if (rows.Entries.constData() == Shown.Entries.constData() &&
        rows.Entries.size() == Shown.Entries.size() && rows.Failed == Shown.Failed &&
        ListBox->count() == Shown.Entries.size())
        return;
    Shown = rows;
    ListBox->clear();
    ListBox->setToolTip(QString());
    SetTextColour(ListBox, Fuchsia);
    const QColor neutral = ListBox->style()->standardPalette().color(QPalette::Text);
    for (const datei::TErrorListEntry& entry : Shown.Entries) {
        auto* item = new QListWidgetItem(entry.Text, ListBox);
        const QString explanation = ExplanationText(entry);
        item->setToolTip(explanation.isEmpty()
                             ? entry.ToolTip
                             : entry.ToolTip + QStringLiteral("\n\n") + explanation);
        item->setForeground(EntryColour(Shown, entry, neutral));
    }
    SetItemHeights(ListBox);
    ShowExplanation(ListBox->currentRow());
    if (!Shown.Entries.isEmpty())
        emit Filled();
}

void TErrorList::ShowExplanation(int row) {
    if (row < 0 || row >= Shown.Entries.size()) {
        Explanation->clear();
        return;
    }
    const datei::TErrorListEntry& entry = Shown.Entries[row];
    if (!IsMessage(entry)) {
        Explanation->setPlainText(entry.Text);
        return;
    }
    // javac's own words stay in the entry; the pane adds what they mean.
    const erklaerung::TExplanation explanation = erklaerung::Explain(entry.Message);
    Explanation->setHtml(erklaerung::Html(explanation));
    Explanation->setAccessibleDescription(erklaerung::PlainText(explanation));
}

void TErrorList::JumpToFirstError() {
    const int target = Shown.JumpTarget;
    if (target < 0 || target >= ListBox->count())
        return;
    ListBox->setCurrentRow(target);
    Workspace.CurrentMemo()->setFocus();
    JumpToError(target);
}

void TErrorList::JumpToError(int index) {
    if (!Workspace.AnySlotInUse() || index < 0 || index >= Shown.Entries.size())
        return;
    const datei::TErrorListEntry entry = Shown.Entries[index];
    if (!entry.HasPlace())
        return;
    // Another file of the program: its page is shown (opened first when
    // needed) and keeps this list, so the next entries stay in reach.
    const datei::TErrorRows rows = Shown;
    const QString before = Workspace.CurrentDocument().File;
    if (!Workspace.ShowFile(entry.File))
        return;
    Workspace.CurrentDocument().Errors = rows;
    // A file opened for the jump gets its marks too.
    if (Workspace.CurrentDocument().File != before)
        Workspace.MarkErrors(rows);
    ShowDocument();
    ListBox->setCurrentRow(index);
    // The compiler counts lines from 1 and marks the character itself.
    TColorMemo* memo = Workspace.CurrentMemo();
    memo->setFocus();
    memo->SetCaretLine(entry.Line - 1);
    memo->SetCaretCol(entry.Column - 1);
    Workspace.UpdateCaretStatus();
}

void TErrorList::ListBoxClick() {
    if (const QListWidgetItem* item = ListBox->currentItem())
        ListBox->setToolTip(item->toolTip());
}

void TErrorList::ListBoxDblClick() {
    const QListWidgetItem* item = ListBox->currentItem();
    if (!item || !item->isSelected())
        return;
    JumpToError(ListBox->currentRow());
}
