#pragma once

#include <QDialog>

class QLineEdit;
class Prompts;
struct TInisRecord;

// The options dialog.
class TOptionForm : public QDialog {
    Q_OBJECT
public:
    TOptionForm(TInisRecord& inis, Prompts& prompts, QWidget* parent = nullptr);

    // Puts the settings' three paths into their fields.
    void ShowPaths();

    QLineEdit* E_JdkDir = nullptr;
    QLineEdit* E_ProjektDir = nullptr;
    QLineEdit* E_HilfeDir = nullptr;

private:
    TInisRecord& Inis;
};
