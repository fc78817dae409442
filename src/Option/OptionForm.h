#pragma once

#include <QDialog>

class QLineEdit;

// The options dialog.
class TOptionForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionForm(QWidget* parent = nullptr);

    QLineEdit* E_JdkDir = nullptr;
    QLineEdit* E_ProjektDir = nullptr;
    QLineEdit* E_HilfeDir = nullptr;
};
