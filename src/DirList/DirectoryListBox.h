// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

// A directory list: the path of the current directory from the root down,
// then the subdirectories of the current directory, indented below it.
// Opening an entry (double-click or Enter) makes it the current directory.
class TDirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 16;

    explicit TDirectoryListBox(QWidget* parent = nullptr);

    // The current directory as a full path, without a trailing separator
    // except at the root.
    QString Directory() const { return Current; }
    // Lists `path` (relative to the working directory when not absolute);
    // throws the general error when it names no directory, and leaves the
    // list as it was.
    void SetDirectory(const QString& path);
    // The full path an entry stands for.
    static QString EntryPath(const QListWidgetItem* item);

signals:
    // The current directory changed, by the user or by SetDirectory.
    void Change();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fill();
    void ShowFromTop();
    void OpenEntry(QListWidgetItem* item);
    QListWidgetItem* AddEntry(const QString& text, const QString& path, int level, bool open);

    QString Current;
};
