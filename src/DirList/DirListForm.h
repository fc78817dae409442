// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirList/DirField.h"
#include "DirList/JdkFinder.h"

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QWidget;
class TDirectoryListBox;
class TPrompts;

// The directory chooser for the options dialog's JDK and project fields: it
// hands back the directory the user takes and writes nowhere. It is the last
// window created at start-up and shown modally through the prompts.
class TDirListForm : public QDialog {
    Q_OBJECT
public:
    explicit TDirListForm(TPrompts& prompts, QWidget* parent = nullptr);

    // Shows the chooser for `field`, listing `startDir` first (an empty one
    // leaves the list where it was). The listed directory when the user takes
    // it with OK, whatever I_Confirm shows; nothing for Abbruch or the close
    // box. Throws the general error, and shows nothing, when `startDir` names
    // no directory.
    std::optional<QString> Choose(const QString& startDir, dirlist::TDirField field);

    // True while the chooser serves the JDK field, false for the project field.
    bool JdkChoice = false;
    // Where the installations offered for the JDK field are looked for.
    dirlist::TJdkLookup FindJdks = dirlist::MachineJdks;

    // Moves the list; throws the general error when `path` names no directory.
    void SetListDirectory(const QString& path);

    // --- handlers ------------------------------------------------------------
    // Shows I_Confirm for the project field, and for the JDK field exactly when
    // the listed directory holds the compiler.
    void CheckJdkPath();
    void DirectoryListBoxChange();
    void B_OKClick();
    void B_CancelClick();

    TDirectoryListBox* DirectoryListBox() const { return List; }
    QLabel* I_Confirm() const { return Confirm; }
    // The Java installations of the machine, one click from the list.
    QListWidget* LB_Jdks() const { return Jdks; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void FillFoundJdks();
    void TakeFoundJdk(QListWidgetItem* item);

    TPrompts& Ask;
    TDirectoryListBox* List = nullptr;
    QLabel* Confirm = nullptr;
    QWidget* JdkPanel = nullptr;
    QListWidget* Jdks = nullptr;
};
