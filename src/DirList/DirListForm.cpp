#include "DirList/DirListForm.h"

#include "Option/OptionForm.h"

TDirListForm::TDirListForm(TOptionForm& options, std::function<void()> openCommandLineFile,
                           QWidget* parent)
    : QDialog(parent), Options(options) {
    setObjectName(QStringLiteral("DirListForm"));
    setWindowTitle(QStringLiteral("Kodiwerk - Verzeichnis"));
    FormCreate(openCommandLineFile);
}

void TDirListForm::FormCreate(const std::function<void()>& openCommandLineFile) {
    Options.ShowPaths();
    if (openCommandLineFile)
        openCommandLineFile();
}
