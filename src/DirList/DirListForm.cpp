#include "DirList/DirListForm.h"

#include "Main/Inis.h"
#include "Option/OptionForm.h"

#include <QLineEdit>

TDirListForm::TDirListForm(TOptionForm& options, const std::function<void()>& openCommandLineFile,
                           QWidget* parent)
    : QDialog(parent), Options(options) {
    setObjectName(QStringLiteral("DirListForm"));
    setWindowTitle(QStringLiteral("Kodiwerk - Verzeichnis"));
    FormCreate(openCommandLineFile);
}

void TDirListForm::FormCreate(const std::function<void()>& openCommandLineFile) {
    Options.E_JdkDir->setText(TInis.JdkDir);
    Options.E_ProjektDir->setText(TInis.ProjectDir);
    Options.E_HilfeDir->setText(TInis.HilfeDir);
    if (openCommandLineFile)
        openCommandLineFile();
}
