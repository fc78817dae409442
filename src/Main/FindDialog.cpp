// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/FindDialog.h"

#include "Main/EditLogic.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("Suchen"));
    setModal(false);

    E_SuchenNach = new QLineEdit(this);
    E_SuchenNach->setObjectName(QStringLiteral("E_SuchenNach"));
    auto* label = new QLabel(QStringLiteral("Suchen &nach:"), this);
    label->setBuddy(E_SuchenNach);

    B_Weitersuchen = new QPushButton(QStringLiteral("&Weitersuchen"), this);
    B_Weitersuchen->setObjectName(QStringLiteral("B_Weitersuchen"));
    B_Weitersuchen->setDefault(true);
    B_Abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    B_Abbrechen->setObjectName(QStringLiteral("B_Abbrechen"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(E_SuchenNach, 0, 1);
    layout->addWidget(B_Weitersuchen, 0, 2);
    layout->addWidget(B_Abbrechen, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnMinimumWidth(1, 180);

    // Nothing to search for: the button waits for a text, as in every find dialog.
    B_Weitersuchen->setEnabled(false);
    connect(E_SuchenNach, &QLineEdit::textChanged, this,
            [this](const QString& text) { B_Weitersuchen->setEnabled(!text.isEmpty()); });
    connect(B_Weitersuchen, &QPushButton::clicked, this, &TFindDialog::Find);
    connect(B_Abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFindDialog::FindText() const {
    return mainform::WithCrLf(E_SuchenNach->text());
}
