// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QFrame;
class QLabel;

// The about box: the product's picture with the version drawn over it.
// No buttons; the window's close box closes it.
class TInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* Image = nullptr;
    QLabel* L_Version = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Runs at every showing.
    void FormShow();
};
