// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog's handlers: showing, OK, Abbruch, the number-key filter
// and the three folder buttons.
#include "Option/OptionForm.h"

#include "Base/KodiwerkError.h"
#include "Hilfe/HelpPage.h"
#include "Main/Inis.h"
#include "Option/OptionRules.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>

TOptionForm::TOptionForm(TInisRecord& inis, TPrompts& prompts, QWidget* parent)
    : QDialog(parent), Inis(inis), Ask(prompts) {
    setObjectName(QStringLiteral("OptionForm"));
    BuildControls();
    SaveDialogDruck.Title = QStringLiteral("In eine Datei drucken");
    SaveDialogDruck.Filters = {QStringLiteral("Text Files (*.txt)")};
    SaveDialogDruck.DefaultSuffix = QStringLiteral("txt");
}

TOptionForm::~TOptionForm() = default;

void TOptionForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
        FormShow();
    }
    QDialog::showEvent(event);
}

void TOptionForm::FormShow() {
    Ui.CB_AutoTab->setChecked(Inis.AutoTab);
    Ui.CB_Zeilennummern->setChecked(Inis.LineNumbers);
    Ui.E_Tabs->setText(QString::number(Inis.Tabs));
    Ui.E_AppX->setText(QString::number(Inis.AppX));
    Ui.E_AppY->setText(QString::number(Inis.AppY));
    Ui.CB_AWinMin->setChecked(Inis.AWinMin);
    Ui.CB_RWinMin->setChecked(Inis.RWinMin);
    LoadPathFields();
}

void TOptionForm::LoadPathFields() {
    Ui.E_JdkDir->setText(Inis.JdkDir);
    Ui.E_ProjektDir->setText(Inis.ProjectDir);
    Ui.E_HilfeDir->setText(Inis.HilfeDir);
}

TPrintChoice TOptionForm::PrintChoice() const {
    return {Ui.E_LinkerRand->text(), Ui.CB_ZeilenNr->isChecked(), Ui.CB_DateiDruck->isChecked(),
            SaveDialogDruck};
}

int TOptionForm::NumberIn(QLineEdit* field, const QString& label, int min, int max) {
    const option::TFieldNumber number = option::ReadNumberField(field->text(), label, min, max);
    if (number.Value)
        return *number.Value;
    // Put the field in front of the user, so the error box names something visible.
    for (QWidget* page = field; page; page = page->parentWidget())
        if (Ui.PC_Option->indexOf(page) >= 0)
            Ui.PC_Option->setCurrentWidget(page);
    field->setFocus();
    field->selectAll();
    throw EKodiwerkError(number.Error);
}

void TOptionForm::B_OKClick() {
    // Stored step by step: a field without a number stops here, the steps
    // before it stay done and the dialog stays open.
    constexpr TInisRecord::TRange tabs = TInisRecord::TabsRange;
    constexpr TInisRecord::TRange size = TInisRecord::AppSizeRange;
    Inis.AutoTab = Ui.CB_AutoTab->isChecked();
    Inis.LineNumbers = Ui.CB_Zeilennummern->isChecked();
    Inis.Tabs = NumberIn(Ui.E_Tabs, option::TabsLabel, tabs.Min, tabs.Max);
    Inis.AppX = NumberIn(Ui.E_AppX, option::AppXLabel, size.Min, size.Max);
    Inis.AppY = NumberIn(Ui.E_AppY, option::AppYLabel, size.Min, size.Max);
    Inis.AWinMin = Ui.CB_AWinMin->isChecked();
    Inis.RWinMin = Ui.CB_RWinMin->isChecked();
    Inis.JdkDir = Ui.E_JdkDir->text();
    Inis.ProjectDir = Ui.E_ProjektDir->text();
    Inis.HilfeDir = Ui.E_HilfeDir->text();
    accept();
}

void TOptionForm::B_CancelClick() {
    reject();
}

void TOptionForm::E_AppYKeyPress(QChar& key) {
    if (!option::PassesNumberKey(key))
        key = QChar();
}

bool TOptionForm::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (event->type() != QEvent::KeyPress || !field)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // With Ctrl the key is a command (paste, undo), not a typed character;
    // Ctrl+Alt is AltGr on Windows, which types.
    const Qt::KeyboardModifiers mods = key->modifiers();
    if ((mods & Qt::MetaModifier) || ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)))
        return false;
    const QString typed = key->text();
    QString kept;
    for (QChar ch : typed) {
        E_AppYKeyPress(ch);
        if (!ch.isNull())
            kept += ch;
    }
    if (kept == typed)
        return false; // nothing dropped: the field handles the key as always
    // The digits among what was typed go in; the key itself goes no further.
    kept.removeIf([](QChar ch) { return !ch.isDigit(); });
    if (!kept.isEmpty())
        field->insert(kept);
    return true;
}

void TOptionForm::ShowDirListFor(dirlist::TDirField field, QLineEdit* edit) {
    if (!ChooseDirectory)
        return;
    // The field goes into the settings only with this dialog's OK.
    if (const std::optional<QString> chosen = ChooseDirectory(edit->text(), field))
        edit->setText(*chosen);
}

void TOptionForm::B_JDKClick() {
    ShowDirListFor(dirlist::TDirField::Jdk, Ui.E_JdkDir);
}

void TOptionForm::B_ProjektClick() {
    ShowDirListFor(dirlist::TDirField::Project, Ui.E_ProjektDir);
}

void TOptionForm::B_HilfeClick() {
    TFileDialogRequest request;
    request.Title = QStringLiteral("Hilfedatei festlegen");
    request.Filters = {QStringLiteral("HTLM (*.html)"), QStringLiteral("HTM (*.htm)"),
                       QStringLiteral("Alle Dateien (*.*)")};
    request.DefaultSuffix = QStringLiteral("htm");
    // With no help file chosen yet, the one that comes with the program is near.
    request.InitialDir = Ui.E_HilfeDir->text().isEmpty()
                             ? hilfe::ShippedHelpFolder()
                             : option::DirectoryPart(Ui.E_HilfeDir->text());
    const QString chosen = Ask.ChooseOpenFile(this, request);
    if (!chosen.isEmpty())
        Ui.E_HilfeDir->setText(chosen);
}

void TOptionForm::Guard(const std::function<void()>& handler) {
    mainform::RunGuarded(Ask, this, handler);
}
