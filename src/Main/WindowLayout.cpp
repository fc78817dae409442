// The main window's areas below the tool bar: the editor pages, the error
// list and the status bar. Every control carries its name as objectName.
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int MessageAreaHeight = 41;
constexpr int ErrorListItemHeight = 17;
constexpr int ErrorListFontPixels = 15;
constexpr int StatusBarHeight = 18;
constexpr int StatusPanelWidths[] = {90, 70, 60};

QFrame* LoweredPanel(QWidget* parent, const QString& name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    return frame;
}

} // namespace

void TMainForm::BuildEditorArea() {
    P_Edit = LoweredPanel(centralWidget(), QStringLiteral("P_Edit"));
    PC_Edit = new QTabWidget(P_Edit);
    PC_Edit->setObjectName(QStringLiteral("PC_Edit"));
    P_Edit->layout()->addWidget(PC_Edit);
    for (int n = 1; n <= SlotCount; ++n) {
        TEditorSlot& slot = Slot(n);
        slot.TabSheet = new QWidget;
        slot.TabSheet->setObjectName(QStringLiteral("TabSheet%1").arg(n));
        auto* pageLayout = new QVBoxLayout(slot.TabSheet);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        slot.Panel = LoweredPanel(slot.TabSheet, QStringLiteral("Panel%1").arg(n));
        pageLayout->addWidget(slot.Panel);
        slot.Memo = new TColorMemo(slot.Panel);
        slot.Memo->setObjectName(QStringLiteral("CMemo%1").arg(n));
        slot.Panel->layout()->addWidget(slot.Memo);
        PC_Edit->addTab(slot.TabSheet, QString());
        ConnectEditor(slot.Memo);
    }
}

void TMainForm::BuildMessageArea() {
    P_Message = LoweredPanel(centralWidget(), QStringLiteral("P_Message"));
    P_Message->setFixedHeight(MessageAreaHeight);
    ListBox = new QListWidget(P_Message);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    ListBox->setAccessibleName(QStringLiteral("Fehlerliste"));
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(ErrorListFontPixels);
    ListBox->setFont(font);
    QPalette palette = ListBox->palette();
    // Fuchsia also while disabled: the two introductory lines are meant to be read.
    const QColor fuchsia(255, 0, 255);
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Text, fuchsia);
    ListBox->setPalette(palette);
    ListBox->setUniformItemSizes(true);
    ListBox->addItems(
        {QStringLiteral("Hier werden die möglichen Programmfehler angezeigt."),
         QStringLiteral("Nach einem Doppelklick geht der Cursor zur Fehlerposition.")});
    for (int i = 0; i < ListBox->count(); ++i)
        ListBox->item(i)->setSizeHint(QSize(0, ErrorListItemHeight));
    ListBox->setEnabled(false);
    P_Message->layout()->addWidget(ListBox);
}

void TMainForm::BuildStatusBar() {
    for (int i = 0; i < PanelCount; ++i) {
        StatusPanel[i] = new QLabel(statusBar());
        StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanel[i]->setFixedWidth(StatusPanelWidths[i]);
        StatusPanel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(StatusPanel[i]);
    }
    StatusNote = new QLabel(statusBar());
    StatusNote->setObjectName(QStringLiteral("StatusNote"));
    StatusNote->setAccessibleName(QStringLiteral("Hinweis"));
    statusBar()->addWidget(StatusNote, 1);
    // The panels' frames need room beyond their text height.
    statusBar()->setFixedHeight(StatusBarHeight + 4);
    statusBar()->setSizeGripEnabled(true);
}
