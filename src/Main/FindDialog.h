// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The modeless find dialog: the user enters only the search text (exact
// case, forward); each press of "Weitersuchen" emits Find.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent);

    // The search text, line breaks as CR LF.
    QString FindText() const;

    QLineEdit* E_SuchenNach = nullptr;
    QPushButton* B_Weitersuchen = nullptr;
    QPushButton* B_Abbrechen = nullptr;

signals:
    void Find();
};
