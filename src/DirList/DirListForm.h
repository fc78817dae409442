#pragma once

#include "DirList/JdkFinder.h"

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QWidget;
class TDirectoryListBox;
class TOptionForm;

// The directory chooser for the options dialog's JDK and project fields. Its
// choice goes into the options dialog's field, never into the settings. It is
// the last window created at start-up; creating it fills the options dialog's
// path fields and then opens the command-line file.
class TDirListForm : public QDialog {
    Q_OBJECT
public:
    TDirListForm(TOptionForm& options, std::function<void()> openCommandLineFile,
                 QWidget* parent = nullptr);

    // True while the chooser serves the JDK field, false for the project field.
    bool JdkChoice = false;
    // Where the installations offered for the JDK field are looked for.
    std::function<QList<dirlist::TFoundJdk>()> FindJdks = [] {
        return dirlist::FindJdks(dirlist::MachineJdkSearch());
    };

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
    void FormCreate(const std::function<void()>& openCommandLineFile);
    void BuildControls();
    void FillFoundJdks();
    void TakeFoundJdk(QListWidgetItem* item);

    TOptionForm& Options;
    TDirectoryListBox* List = nullptr;
    QLabel* Confirm = nullptr;
    QWidget* JdkPanel = nullptr;
    QListWidget* Jdks = nullptr;
};
