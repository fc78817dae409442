// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirList/DirectoryListBox.h"

#include "Base/KodiwerkError.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int LevelRole = Qt::UserRole + 1;
constexpr int Indent = 10;

// Indents each entry by its depth below the root.
class TIndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + index.data(LevelRole).toInt() * Indent);
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(size.width() + index.data(LevelRole).toInt() * Indent);
        size.setHeight(TDirectoryListBox::ItemHeight);
        return size;
    }
};

// The directories from the root down to `dir`, each as a full path.
QStringList PathFromRoot(const QString& dir) {
    QStringList chain;
    QDir walk(dir);
    chain.prepend(walk.absolutePath());
    while (walk.cdUp())
        chain.prepend(walk.absolutePath());
    return chain;
}

} // namespace

TDirectoryListBox::TDirectoryListBox(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("DirectoryListBox"));
    setItemDelegate(new TIndentDelegate(this));
    setUniformItemSizes(true);
    setIconSize(QSize(14, 14));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, &TDirectoryListBox::OpenEntry);
    // Before anything sets it, the list shows the working directory of the start.
    Current = QDir::currentPath();
    Fill();
}

QString TDirectoryListBox::EntryPath(const QListWidgetItem* item) {
    return item ? item->data(PathRole).toString() : QString();
}

void TDirectoryListBox::SetDirectory(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        throw EKodiwerkError(QStringLiteral("Datei nicht gefunden"));
    const QString dir = QDir::cleanPath(info.absoluteFilePath());
    const bool changed = dir != Current;
    Current = dir;
    Fill();
    if (changed)
        emit Change();
}

QListWidgetItem* TDirectoryListBox::AddEntry(const QString& text, const QString& path, int level,
                                             bool open) {
    auto* item = new QListWidgetItem(text, this);
    item->setIcon(style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon));
    item->setData(PathRole, path);
    item->setData(LevelRole, level);
    item->setToolTip(path);
    return item;
}

void TDirectoryListBox::Fill() {
    clear();
    const QStringList chain = PathFromRoot(Current);
    QListWidgetItem* current = nullptr;
    for (int level = 0; level < chain.size(); ++level) {
        const QString& path = chain[level];
        const QString name = level == 0 ? QDir::toNativeSeparators(path) : QDir(path).dirName();
        current = AddEntry(name, path, level, true);
    }
    const QDir dir(Current);
    const QStringList children =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children)
        AddEntry(child, QDir::cleanPath(dir.filePath(child)), int(chain.size()), false);
    setCurrentItem(current);
    ShowFromTop();
}

void TDirectoryListBox::ShowFromTop() {
    // From the root down, scrolled only as far as the current entry needs.
    scrollToTop();
    if (currentItem())
        scrollToItem(currentItem());
}

void TDirectoryListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    ShowFromTop();
}

void TDirectoryListBox::OpenEntry(QListWidgetItem* item) {
    const QString path = EntryPath(item);
    if (path.isEmpty())
        return;
    try {
        SetDirectory(path);
    } catch (const EKodiwerkError&) {
        // Gone since it was listed: show the nearest directory that is still there.
        QString still = Current;
        while (!QFileInfo(still).isDir() && !QDir(still).isRoot())
            still = QFileInfo(still).absolutePath();
        SetDirectory(still);
    }
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event) {
    // Enter opens the entry and is not passed on to the dialog's OK.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenEntry(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}
