// SPDX-License-Identifier: GPL-3.0-or-later
#include "Hilfe/HilfeForm.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

THilfeForm::THilfeForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HilfeForm"));
    setWindowTitle(QStringLiteral("Kodiwerk - Hilfe"));
    resize(435, 242);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    Memo1 = new QPlainTextEdit(QStringLiteral("Hier wird der Hilfetext stehen."), this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Hilfetext"));
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(15);
    Memo1->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}
