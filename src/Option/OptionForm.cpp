#include "Option/OptionForm.h"

#include <QFormLayout>
#include <QLineEdit>

TOptionForm::TOptionForm(QWidget* parent) : QDialog(parent) {
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
