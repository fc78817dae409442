// SPDX-License-Identifier: GPL-3.0-or-later
// The directory chooser: a directory list, the JDK confirmation and the
// installations found on the machine.
#include "DirList/DirListForm.h"

#include "DirList/DirectoryListBox.h"
#include "DirList/JdkPicture.h"
#include "Main/Prompts.h"

#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 277;
constexpr int ListHeight = 217;
constexpr int BottomHeight = 36;
constexpr int FoundRows = 3;
constexpr int FoundRowHeight = 20;
// The confirmation picture, smaller, in front of each found installation.
constexpr QSize FoundIconSize(48, 15);

} // namespace

TDirListForm::TDirListForm(TPrompts& prompts, QWidget* parent) : QDialog(parent), Ask(prompts) {
    setObjectName(QStringLiteral("DirListForm"));
    BuildControls();
}

std::optional<QString> TDirListForm::Choose(const QString& startDir, dirlist::TDirField field) {
    JdkChoice = field == dirlist::TDirField::Jdk;
    if (!startDir.isEmpty())
        SetListDirectory(startDir);
    if (Ask.ShowModal(this) != QDialog::Accepted)
        return std::nullopt;
    return QDir::toNativeSeparators(List->Directory());
}

void TDirListForm::BuildControls() {
    setWindowTitle(QStringLiteral("Kodiwerk - Verzeichnis"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("P_List"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedSize(ClientWidth, ListHeight);
    List = new TDirectoryListBox(panel);
    List->setAccessibleName(QStringLiteral("Verzeichnisse"));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->addWidget(List);
    connect(List, &TDirectoryListBox::Change, this, &TDirListForm::DirectoryListBoxChange);

    // Offered only for the JDK field; the dialog grows by this panel then.
    JdkPanel = new QWidget(this);
    JdkPanel->setObjectName(QStringLiteral("P_Jdks"));
    auto* found = new QLabel(QStringLiteral("Gefundene JDKs:"), JdkPanel);
    Jdks = new QListWidget(JdkPanel);
    Jdks->setObjectName(QStringLiteral("LB_Jdks"));
    Jdks->setIconSize(FoundIconSize);
    Jdks->setTextElideMode(Qt::ElideMiddle);
    Jdks->setUniformItemSizes(true);
    Jdks->setFixedHeight(FoundRows * FoundRowHeight + 2 * Jdks->frameWidth());
    found->setBuddy(Jdks);
    auto* jdkLayout = new QVBoxLayout(JdkPanel);
    jdkLayout->setContentsMargins(6, 4, 6, 0);
    jdkLayout->setSpacing(2);
    jdkLayout->addWidget(found);
    jdkLayout->addWidget(Jdks);
    JdkPanel->setFixedWidth(ClientWidth);
    JdkPanel->hide();
    // A click moves the list there; a double-click takes it at once. Enter
    // moves the list and goes on to the default button, OK.
    connect(Jdks, &QListWidget::itemClicked, this, &TDirListForm::TakeFoundJdk);
    connect(Jdks, &QListWidget::itemActivated, this, &TDirListForm::TakeFoundJdk);
    connect(Jdks, &QListWidget::itemDoubleClicked, this, &TDirListForm::B_OKClick);

    Confirm = new QLabel(this);
    Confirm->setObjectName(QStringLiteral("I_Confirm"));
    Confirm->setPixmap(dirlist::JdkConfirmPicture(devicePixelRatioF()));
    Confirm->setFixedSize(dirlist::JdkConfirmPicture().size());
    Confirm->setAccessibleName(QStringLiteral("JDK gefunden"));
    Confirm->setToolTip(QStringLiteral("Der Compiler javac liegt in diesem Verzeichnis."));
    Confirm->hide();
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("B_OK"));
    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    cancel->setObjectName(QStringLiteral("B_Cancel"));
    connect(ok, &QPushButton::clicked, this, &TDirListForm::B_OKClick);
    connect(cancel, &QPushButton::clicked, this, &TDirListForm::B_CancelClick);

    auto* bottom = new QWidget(this);
    bottom->setFixedSize(ClientWidth, BottomHeight);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->setContentsMargins(8, 4, 6, 6);
    buttons->addWidget(Confirm);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    // The picture keeps its place while hidden, so the buttons never move.
    QSizePolicy keep = Confirm->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Confirm->setSizePolicy(keep);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel);
    layout->addWidget(JdkPanel);
    layout->addWidget(bottom);
}

void TDirListForm::SetListDirectory(const QString& path) {
    List->SetDirectory(path);
}

void TDirListForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FillFoundJdks();
        DirectoryListBoxChange();
        adjustSize();
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
        List->setFocus();
    }
    QDialog::showEvent(event);
}

void TDirListForm::DirectoryListBoxChange() {
    CheckJdkPath();
}

void TDirListForm::CheckJdkPath() {
    Confirm->setVisible(!JdkChoice || dirlist::HoldsCompiler(List->Directory()));
}

void TDirListForm::FillFoundJdks() {
    Jdks->clear();
    if (JdkChoice && FindJdks) {
        for (const dirlist::TFoundJdk& jdk : FindJdks()) {
            const QString version = jdk.Version.isEmpty() ? QStringLiteral("?") : jdk.Version;
            auto* item = new QListWidgetItem(
                jdk.HasCompiler ? dirlist::JdkConfirmPicture(devicePixelRatioF())
                                : dirlist::JdkBlankPicture(),
                version + QStringLiteral("  ") + QDir(jdk.Dir).dirName(), Jdks);
            item->setData(Qt::UserRole, jdk.Dir);
            item->setToolTip(QDir::toNativeSeparators(jdk.Dir));
            if (jdk.HasCompiler)
                item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("JDK gefunden"));
            item->setSizeHint(QSize(0, FoundRowHeight));
        }
    }
    JdkPanel->setVisible(Jdks->count() > 0);
}

void TDirListForm::TakeFoundJdk(QListWidgetItem* item) {
    mainform::RunGuarded(Ask, this,
                         [this, item] { List->SetDirectory(item->data(Qt::UserRole).toString()); });
}

void TDirListForm::B_OKClick() {
    // Taken whatever I_Confirm shows: a directory without a compiler is accepted.
    accept();
}

void TDirListForm::B_CancelClick() {
    reject();
}
