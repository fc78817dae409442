// SPDX-License-Identifier: GPL-3.0-or-later
#include "Info/InfoForm.h"

#include "Info/InfoPicture.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TInfoForm::TInfoForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Kodiwerk "));
    setFixedSize(263, 176);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(rect());

    Image = new QLabel(Panel1);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setPixmap(info::KodiwerkPicture());
    Image->setScaledContents(true);
    Image->setGeometry(Panel1->rect());
    Image->setAccessibleName(QStringLiteral("Kodiwerk"));

    // A child of the picture without a background of its own, so the
    // picture shows around its letters.
    L_Version = new QLabel(QStringLiteral("Version"), Image);
    L_Version->setObjectName(QStringLiteral("L_Version"));
    QPalette palette = L_Version->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    L_Version->setPalette(palette);
    L_Version->setGeometry(10, height() - 26, width() - 20, 18);
}

void TInfoForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TInfoForm::FormShow() {
    L_Version->setText(QStringLiteral("Version 1.02 [26.06.2002]"));
    L_Version->setAccessibleName(L_Version->text());
    const QScreen* screen = (parentWidget() ? parentWidget() : this)->screen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}
