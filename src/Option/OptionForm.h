// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirList/DirField.h"
#include "Main/Prompts.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QTabWidget;
class QToolButton;
struct TInisRecord;

// The print options as the dialog holds them when printing asks.
struct TPrintChoice {
    QString LeftMargin; // as typed; printing makes its number of it
    bool LineNumbers = false;
    bool IntoFile = false;
    // The print-into-a-file dialog, preset with its title, filter and extension.
    TFileDialogRequest SaveDialog;
};

// The options dialog: editor, start, directory and print settings. It is
// created once at start-up and keeps its controls between showings; it edits
// the settings record it is handed, and only its OK stores into it. Its result
// tells the main window whether OK went through, which then re-applies the
// tab stops and gives the open dialog the project directory.
class TOptionForm : public QDialog {
    Q_OBJECT
public:
    TOptionForm(TInisRecord& inis, TPrompts& prompts, QWidget* parent = nullptr);
    ~TOptionForm() override;

    // The directory chooser behind the JDK and project folder buttons; they
    // do nothing while it is not set. Its choice goes into the field.
    dirlist::TChooseDirectory ChooseDirectory;

    // --- handlers ------------------------------------------------------------
    void FormShow();
    // Stops at a number field that holds no number, or one outside its range,
    // with the general error box and the dialog open.
    void B_OKClick();
    void B_CancelClick();
    // Drops every typed printable character but the digits.
    void E_AppYKeyPress(QChar& key);
    void B_JDKClick();
    void B_ProjektClick();
    void B_HilfeClick();

    // Copies the record's three paths into their fields.
    void LoadPathFields();
    // The print options: they live only here, survive Abbruch and are never stored.
    TPrintChoice PrintChoice() const;

    // --- controls others read ------------------------------------------------
    QLineEdit* E_JdkDir() const { return Ui.E_JdkDir; }
    QLineEdit* E_ProjektDir() const { return Ui.E_ProjektDir; }
    QLineEdit* E_HilfeDir() const { return Ui.E_HilfeDir; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Controls {
        QTabWidget* PC_Option = nullptr;
        QCheckBox* CB_AutoTab = nullptr;
        QCheckBox* CB_Zeilennummern = nullptr;
        QLineEdit* E_Tabs = nullptr;
        QLineEdit* E_AppX = nullptr;
        QLineEdit* E_AppY = nullptr;
        QCheckBox* CB_AWinMin = nullptr;
        QCheckBox* CB_RWinMin = nullptr;
        QLineEdit* E_JdkDir = nullptr;
        QToolButton* B_JDK = nullptr;
        QLineEdit* E_ProjektDir = nullptr;
        QToolButton* B_Projekt = nullptr;
        QLineEdit* E_HilfeDir = nullptr;
        QToolButton* B_Hilfe = nullptr;
        QLineEdit* E_LinkerRand = nullptr;
        QCheckBox* CB_ZeilenNr = nullptr;
        QCheckBox* CB_DateiDruck = nullptr;
    };

    void BuildControls();
    QWidget* BuildEditorPage();
    QWidget* BuildStartPage();
    QWidget* BuildDirectoryPage();
    QWidget* BuildPrintPage();
    QLineEdit* NumberField(const char* name, const QString& text, QWidget* parent);
    // A field with its folder button at the right end, in a group box.
    QGroupBox* PathGroup(const QString& caption, const char* field, const QString& text,
                         const char* button, const QString& buttonName, QLineEdit*& edit,
                         QToolButton*& picture);
    // A number field's value; throws the general error when it holds no
    // number within [min, max]. `label` names the field in the error.
    int NumberIn(QLineEdit* field, const QString& label, int min, int max);
    void ShowDirListFor(dirlist::TDirField field, QLineEdit* edit);
    // Runs a handler; a failure it does not test for ends it with the error box.
    void Guard(const std::function<void()>& handler);

    TInisRecord& Inis;
    TPrompts& Ask;
    Controls Ui;
    TFileDialogRequest SaveDialogDruck;
};
