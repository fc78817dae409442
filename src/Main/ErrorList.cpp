#include "Main/ErrorList.h"

#include "ColMemo/ColorMemo.h"
#include "Main/SlotDocument.h"
#include "Main/Workspace.h"

#include <QListWidget>

namespace {

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

} // namespace

TErrorList::TErrorList(TWorkspace& workspace, QWidget* parent)
    : Workspace(workspace), ListBox(new QListWidget(parent)) {
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
    connect(ListBox, &QListWidget::itemClicked, this,
            [this] { Workspace.Guard([this] { ListBoxClick(); }); });
    connect(ListBox, &QListWidget::itemDoubleClicked, this,
            [this] { Workspace.Guard([this] { ListBoxDblClick(); }); });
}

QFont TErrorList::ListFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(FontPixels);
    return font;
}

QColor TErrorList::IntroductionColour() {
    return Fuchsia;
}

void TErrorList::TakeOver() {
    ListBox->setEnabled(true);
    ListBox->setToolTip(QString());
    ShowDocument();
}

void TErrorList::ShowDocument() {
    // The introduction stays until the first compile.
    if (!ListBox->isEnabled())
        return;
    static const TSlotDocument none;
    const TSlotDocument& document = Workspace.AnySlotInUse() ? Workspace.CurrentDocument() : none;
    // Cheap when nothing changed: the lists share their data then.
    if (document.ErrorEntries == ShownEntries && document.RawErrors == ShownRaw &&
        ListBox->count() == ShownEntries.size())
        return;
    ShownEntries = document.ErrorEntries;
    ShownRaw = document.RawErrors;
    ListBox->clear();
    ListBox->setToolTip(QString());
    ListBox->addItems(ShownEntries);
    SetItemHeights(ListBox);
    SetTextColour(ListBox, ShownRaw ? Red : Fuchsia);
}

void TErrorList::JumpToFirstError() {
    ListBox->setCurrentRow(0);
    Workspace.CurrentMemo()->setFocus();
    if (ListBox->currentRow() == 0)
        JumpToError(0);
}

void TErrorList::JumpToError(int index) {
    if (!Workspace.AnySlotInUse())
        return;
    const QList<datei::TErrorPosition>& positions = Workspace.CurrentDocument().ErrorPositions;
    if (index < 0 || index >= positions.size())
        return;
    // The compiler counts lines from 1 and marks the character itself.
    TColorMemo* memo = Workspace.CurrentMemo();
    memo->SetCaretLine(positions[index].Line - 1);
    memo->SetCaretCol(positions[index].Column - 1);
    Workspace.UpdateCaretStatus();
}

void TErrorList::ListBoxClick() {
    if (const QListWidgetItem* item = ListBox->currentItem())
        ListBox->setToolTip(item->text());
}

void TErrorList::ListBoxDblClick() {
    const QListWidgetItem* item = ListBox->currentItem();
    if (!item || !item->isSelected())
        return;
    Workspace.CurrentMemo()->setFocus();
    JumpToError(ListBox->currentRow());
}
