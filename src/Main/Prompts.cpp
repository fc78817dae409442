// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/Prompts.h"

#include "Base/KodiwerkError.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>

namespace {

QString AppTitle() {
    return QStringLiteral("Kodiwerk");
}

// Qt takes a filter's patterns from its last parentheses and, with the
// details hidden, shows only what stands before them. So each entry shows as
// requested while "*.*", which on Linux passes only names with a dot, is
// given to Qt as "*": the entry for all files then shows all files.
QStringList QtFilters(const QStringList& filters) {
    QStringList result;
    for (const QString& filter : filters) {
        const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
        const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
        QStringList patterns = open >= 0 && close > open
                                   ? filter.mid(open + 1, close - open - 1).split(QLatin1Char(' '))
                                   : QStringList{QStringLiteral("*")};
        for (QString& pattern : patterns)
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        result << filter + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                      QLatin1Char(')');
    }
    return result;
}

void PrepareFileDialog(QFileDialog& dialog, const TFileDialogRequest& request) {
    // Qt's own dialog: it speaks German with the program and shows the
    // filters as asked, on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = QtFilters(request.Filters);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.InitialDir.isEmpty())
        dialog.setDirectory(request.InitialDir);
    if (!request.ProposedName.isEmpty())
        dialog.selectFile(request.ProposedName);
    if (!request.Title.isEmpty())
        dialog.setWindowTitle(request.Title);
}

} // namespace

TPrompts::Answer TQtPrompts::AskYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), text,
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

void TQtPrompts::Message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, AppTitle(), text, QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void TQtPrompts::Error(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Critical, caption.isEmpty() ? AppTitle() : caption, text,
                    QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

QString TQtPrompts::ChooseOpenFile(QWidget* parent, const TFileDialogRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The name typed in need not exist: opening reports a missing file itself.
    dialog.setFileMode(QFileDialog::AnyFile);
    PrepareFileDialog(dialog, request);
    // Qt would give every name without a dot the default extension, also a
    // listed file such as "Makefile": only a name that names no file gets it.
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString chosen = dialog.selectedFiles().first();
    const QFileInfo file(chosen);
    if (!request.DefaultSuffix.isEmpty() && !file.fileName().contains(QLatin1Char('.')) &&
        !file.exists())
        chosen += QLatin1Char('.') + request.DefaultSuffix;
    return chosen;
}

QString TQtPrompts::ChooseSaveFile(QWidget* parent, const TFileDialogRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The old file becomes the backup, so overwriting needs no question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    PrepareFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

std::optional<QFont> TQtPrompts::ChooseFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    QFont font =
        QFontDialog::getFont(&ok, initial, parent, QString(), QFontDialog::DontUseNativeDialog);
    if (!ok)
        return std::nullopt;
    return font;
}

bool TQtPrompts::ChoosePrinter(QWidget* parent, QPrinter* printer) {
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TQtPrompts::SetupPrinter(QWidget* parent, QPrinter* printer) {
    QPageSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int TQtPrompts::ShowModal(QDialog* dialog) {
    return dialog->exec();
}

bool TQtPrompts::AskYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), text,
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    // Nein is the answer that changes nothing: Enter and Escape both take it.
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

namespace mainform {

void RunGuarded(TPrompts& prompts, QWidget* parent, const std::function<void()>& command) {
    try {
        command();
    } catch (const EKodiwerkError& error) {
        prompts.Error(parent, error.Text);
    }
}

} // namespace mainform
