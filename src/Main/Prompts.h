// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;
class QPrinter;
class QDialog;

// What a file dialog is asked to show. Filters are in Qt's notation
// ("Java Files (*.java)"), one entry each, the first one selected.
struct TFileDialogRequest {
    QStringList Filters;
    QString DefaultSuffix; // without the dot
    QString InitialDir;    // empty: the platform's default
    QString ProposedName;  // file name put into the name field
    QString Title;         // the dialog's caption; empty: Qt's own
};

// Every modal question, message box and common dialog a command shows goes
// through here, so the main window can be driven headless: the application
// installs the Qt implementation, tests a scripted one.
class TPrompts {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~TPrompts() = default;

    // Confirmation box "Bestätigung" with "&Ja", "&Nein", "Abbrechen".
    virtual Answer AskYesNoCancel(QWidget* parent, const QString& text) = 0;
    // Plain message box with one OK button, titled with the application title.
    virtual void Message(QWidget* parent, const QString& text) = 0;
    // Error box for failures that end a command; caption "Kodiwerk" unless given.
    virtual void Error(QWidget* parent, const QString& text,
                       const QString& caption = QString()) = 0;
    // The chosen full path, or an empty string when the user cancelled.
    virtual QString ChooseOpenFile(QWidget* parent, const TFileDialogRequest& request) = 0;
    virtual QString ChooseSaveFile(QWidget* parent, const TFileDialogRequest& request) = 0;
    virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;
    // Printer choice and printer setup; false when cancelled.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter* printer) = 0;
    virtual bool SetupPrinter(QWidget* parent, QPrinter* printer) = 0;
    // Shows a dialog of ours modally and returns its result code.
    virtual int ShowModal(QDialog* dialog) = 0;
    // Confirmation box "Bestätigung" with "&Ja" and "&Nein" only; true for Ja.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
};

// The real dialogs of the desktop.
class TQtPrompts : public TPrompts {
public:
    Answer AskYesNoCancel(QWidget* parent, const QString& text) override;
    void Message(QWidget* parent, const QString& text) override;
    void Error(QWidget* parent, const QString& text, const QString& caption) override;
    QString ChooseOpenFile(QWidget* parent, const TFileDialogRequest& request) override;
    QString ChooseSaveFile(QWidget* parent, const TFileDialogRequest& request) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    bool ChoosePrinter(QWidget* parent, QPrinter* printer) override;
    bool SetupPrinter(QWidget* parent, QPrinter* printer) override;
    int ShowModal(QDialog* dialog) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
};

namespace mainform {

// Runs a command; a failure it does not test for (an EKodiwerkError) ends it
// and is shown with its text in the general error box over `parent`.
void RunGuarded(TPrompts& prompts, QWidget* parent, const std::function<void()>& command);

} // namespace mainform
