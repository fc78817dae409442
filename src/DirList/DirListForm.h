#pragma once

#include <QDialog>
#include <functional>

class TOptionForm;

// The directory chooser. It is the last window created at start-up; creating
// it fills the options dialog's path fields and opens the command-line file.
class TDirListForm : public QDialog {
    Q_OBJECT
public:
    TDirListForm(TOptionForm& options, std::function<void()> openCommandLineFile,
                 QWidget* parent = nullptr);

private:
    void FormCreate(const std::function<void()>& openCommandLineFile);

    TOptionForm& Options;
};
