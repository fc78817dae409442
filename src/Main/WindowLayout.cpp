// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's areas below the tool bar: the editor pages and the
// error list. Every control carries its name as objectName.
#include "ColMemo/ColorMemo.h"
#include "Datei/FirstStart.h"
#include "Main/ErrorList.h"
#include "Main/MainForm.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The height a first compile's entries get when the area is smaller: four
// entries and a few lines of their explanation.
constexpr int RoomForMessages = 110;
constexpr int MostMessageAreaHeight = 4000;

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
    // In the manner of the error list's introduction, until a page is open.
    EmptyHint = new QLabel(datei::EmptyAreaHint().join(QLatin1Char('\n')), P_Edit);
    EmptyHint->setObjectName(QStringLiteral("EmptyHint"));
    EmptyHint->setAccessibleName(QStringLiteral("Hinweis"));
    EmptyHint->setAlignment(Qt::AlignCenter);
    EmptyHint->setWordWrap(true);
    EmptyHint->setFont(TErrorList::ListFont());
    QPalette palette = EmptyHint->palette();
    palette.setColor(QPalette::WindowText, TErrorList::IntroductionColour());
    EmptyHint->setPalette(palette);
    EmptyHint->hide();
    P_Edit->layout()->addWidget(EmptyHint);
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
    EditorAndMessages = new QSplitter(Qt::Vertical, centralWidget());
    EditorAndMessages->setObjectName(QStringLiteral("EditorAndMessages"));
    EditorAndMessages->setChildrenCollapsible(false);
    P_Message = LoweredPanel(EditorAndMessages, QStringLiteral("P_Message"));
    P_Message->setMinimumHeight(DesignMessageAreaHeight);
    ErrorList = std::make_unique<TErrorList>(Work(), P_Message);
    P_Message->layout()->addWidget(ErrorList->Widget());
    EditorAndMessages->addWidget(P_Edit);
    EditorAndMessages->addWidget(P_Message);
    // A larger window gives its room to the editors; the list keeps its height.
    EditorAndMessages->setStretchFactor(0, 1);
    EditorAndMessages->setStretchFactor(1, 0);
    SetMessageAreaHeight(DesignMessageAreaHeight);
    connect(ErrorList.get(), &TErrorList::Filled, this, [this] { MakeRoomForMessages(); });
}

int TMainForm::MessageAreaHeight() const {
    return EditorAndMessages->sizes().value(1, DesignMessageAreaHeight);
}

void TMainForm::SetMessageAreaHeight(int height) {
    height = std::clamp(height, DesignMessageAreaHeight, MostMessageAreaHeight);
    const int total = std::max(EditorAndMessages->height(), height + DesignMessageAreaHeight);
    EditorAndMessages->setSizes({total - height, height});
}

void TMainForm::MakeRoomForMessages() {
    if (MessageRoomMade)
        return;
    MessageRoomMade = true;
    if (MessageAreaHeight() < RoomForMessages)
        SetMessageAreaHeight(RoomForMessages);
}
