#include "Info/InfoForm.h"

TInfoForm::TInfoForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Kodiwerk "));
    setFixedSize(263, 176);
}
