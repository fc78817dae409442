// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/ReplaceDialog.h"

#include "Main/EditLogic.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLineEdit* Field(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

TReplaceDialog::TReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReplaceDialog"));
    setWindowTitle(QStringLiteral("Ersetzen"));
    setModal(false);

    E_SuchenNach = Field(this, "E_SuchenNach");
    E_ErsetzenDurch = Field(this, "E_ErsetzenDurch");
    auto* findLabel = new QLabel(QStringLiteral("Suchen &nach:"), this);
    findLabel->setBuddy(E_SuchenNach);
    auto* replaceLabel = new QLabel(QStringLiteral("Ersetzen &durch:"), this);
    replaceLabel->setBuddy(E_ErsetzenDurch);

    B_Weitersuchen = Button(this, "B_Weitersuchen", QStringLiteral("&Weitersuchen"));
    B_Weitersuchen->setDefault(true);
    B_Ersetzen = Button(this, "B_Ersetzen", QStringLiteral("&Ersetzen"));
    B_AlleErsetzen = Button(this, "B_AlleErsetzen", QStringLiteral("&Alle ersetzen"));
    B_Abbrechen = Button(this, "B_Abbrechen", QStringLiteral("Abbrechen"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(findLabel, 0, 0);
    layout->addWidget(E_SuchenNach, 0, 1);
    layout->addWidget(replaceLabel, 1, 0);
    layout->addWidget(E_ErsetzenDurch, 1, 1);
    layout->addWidget(B_Weitersuchen, 0, 2);
    layout->addWidget(B_Ersetzen, 1, 2);
    layout->addWidget(B_AlleErsetzen, 2, 2);
    layout->addWidget(B_Abbrechen, 3, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnMinimumWidth(1, 180);

    // Nothing to search for: the buttons wait for a text, as in every replace dialog.
    const auto enableButtons = [this](const QString& text) {
        for (QPushButton* button : {B_Weitersuchen, B_Ersetzen, B_AlleErsetzen})
            button->setEnabled(!text.isEmpty());
    };
    enableButtons(QString());
    connect(E_SuchenNach, &QLineEdit::textChanged, this, enableButtons);
    connect(B_Weitersuchen, &QPushButton::clicked, this, &TReplaceDialog::Find);
    connect(B_Ersetzen, &QPushButton::clicked, this, [this] {
        LastWasReplaceAll = false;
        emit Replace();
    });
    connect(B_AlleErsetzen, &QPushButton::clicked, this, [this] {
        LastWasReplaceAll = true;
        emit Replace();
    });
    connect(B_Abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

QString TReplaceDialog::FindText() const {
    return mainform::WithCrLf(E_SuchenNach->text());
}

QString TReplaceDialog::ReplaceText() const {
    return mainform::WithCrLf(E_ErsetzenDurch->text());
}
