#include "Hilfe/HilfeForm.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

THilfeForm::THilfeForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HilfeForm"));
    setWindowTitle(QStringLiteral("Kodiwerk - Hilfe"));
    resize(435, 242);
    auto* text = new QPlainTextEdit(QStringLiteral("Hier wird der Hilfetext stehen."), this);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(15);
    text->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
}
