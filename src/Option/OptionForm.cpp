#include "Option/OptionForm.h"

#include "Main/Inis.h"

#include <QFormLayout>
#include <QLineEdit>

TOptionForm::TOptionForm(TInisRecord& inis, Prompts&, QWidget* parent)
    : QDialog(parent), Inis(inis) {
    setObjectName(QStringLiteral("OptionForm"));
    setWindowTitle(QStringLiteral("Kodiwerk - Optionen"));
    auto* layout = new QFormLayout(this);
    const auto field = [this, layout](const char* name, const QString& label) {
        auto* edit = new QLineEdit(QString::fromLatin1(name), this);
        edit->setObjectName(QString::fromLatin1(name));
        layout->addRow(label, edit);
        return edit;
    };
    E_JdkDir = field("E_JdkDir", QStringLiteral(" JDK Programmverzeichnis "));
    E_ProjektDir = field("E_ProjektDir", QStringLiteral(" Projektverzeichnis "));
    E_HilfeDir = field("E_HilfeDir", QStringLiteral(" Hilfedatei "));
}

void TOptionForm::ShowPaths() {
    E_JdkDir->setText(Inis.JdkDir);
    E_ProjektDir->setText(Inis.ProjectDir);
    E_HilfeDir->setText(Inis.HilfeDir);
}
