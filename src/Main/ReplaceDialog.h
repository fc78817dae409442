// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The modeless replace dialog: search text and replacement only (exact
// case). "Weitersuchen" emits Find; "Ersetzen" and "Alle ersetzen" emit
// Replace, told apart by ReplaceAll.
class TReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent);

    // The two texts, line breaks as CR LF.
    QString FindText() const;
    QString ReplaceText() const;
    // Whether the last Replace came from "Alle ersetzen".
    bool ReplaceAll() const { return LastWasReplaceAll; }

    QLineEdit* E_SuchenNach = nullptr;
    QLineEdit* E_ErsetzenDurch = nullptr;
    QPushButton* B_Weitersuchen = nullptr;
    QPushButton* B_Ersetzen = nullptr;
    QPushButton* B_AlleErsetzen = nullptr;
    QPushButton* B_Abbrechen = nullptr;

signals:
    void Find();
    void Replace();

private:
    bool LastWasReplaceAll = false;
};
