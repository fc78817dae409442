// The options dialog's handlers: showing, OK, Abbruch, the number-key filter
// and the three folder buttons.
#include "Option/OptionForm.h"

#include "Base/KodiwerkError.h"
#include "DirList/DirListForm.h"
#include "Hilfe/HelpPage.h"
#include "Main/Inis.h"
#include "Main/Prompts.h"
#include "Option/OptionRules.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>

TOptionForm::TOptionForm(TInisRecord& inis, TPrompts& prompts, QWidget* parent)
    : QDialog(parent), Inis(inis), Ask(prompts),
      SaveDialogDruck(std::make_unique<TFileDialogRequest>()) {
    setObjectName(QStringLiteral("OptionForm"));
    BuildControls();
    SaveDialogDruck->Title = QStringLiteral("In eine Datei drucken");
    SaveDialogDruck->Filters = {QStringLiteral("Text Files (*.txt)")};
    SaveDialogDruck->DefaultSuffix = QStringLiteral("txt");
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

int TOptionForm::NumberIn(QLineEdit* field) {
    if (const std::optional<int32_t> value = option::ParseInt32(field->text()))
        return *value;
    // Put the field in front of the user, so the error box names something visible.
    for (QWidget* page = field; page; page = page->parentWidget())
        if (Ui.PC_Option->indexOf(page) >= 0)
            Ui.PC_Option->setCurrentWidget(page);
    field->setFocus();
    field->selectAll();
    throw EKodiwerkError(option::NotAnIntegerText(field->text()));
}

void TOptionForm::B_OKClick() {
    // Stored step by step: a field without a number stops here, the steps
    // before it stay done and the dialog stays open.
    Inis.AutoTab = Ui.CB_AutoTab->isChecked();
    Inis.Tabs = NumberIn(Ui.E_Tabs);
    Inis.AppX = NumberIn(Ui.E_AppX);
    Inis.AppY = NumberIn(Ui.E_AppY);
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
        return false;
    if (!kept.isEmpty())
        field->insert(kept);
    return true;
}

void TOptionForm::SetDirListForm(TDirListForm* dirList) {
    DirList = dirList;
}

void TOptionForm::ShowDirListFor(bool jdk, QLineEdit* field) {
    if (!DirList)
        return;
    DirList->JdkChoice = jdk;
    // An empty field leaves the list where it was.
    if (!field->text().isEmpty())
        DirList->SetListDirectory(field->text());
    Ask.ShowModal(DirList);
}

void TOptionForm::B_JDKClick() {
    ShowDirListFor(true, Ui.E_JdkDir);
}

void TOptionForm::B_ProjektClick() {
    ShowDirListFor(false, Ui.E_ProjektDir);
}

void TOptionForm::B_HilfeClick() {
    TFileDialogRequest request;
    request.Title = QStringLiteral("Hilfedatei festlegen");
    request.Filters = {QStringLiteral("HTLM (*.html)"), QStringLiteral("HTM (*.htm)"),
                       QStringLiteral("Alle Dateien (*.*)")};
    request.DefaultSuffix = QStringLiteral("htm");
    // With no help file chosen yet, the one that comes with the program is near.
    request.InitialDir = Ui.E_HilfeDir->text().isEmpty()
                             ? ShippedHelpFolder()
                             : option::DirectoryPart(Ui.E_HilfeDir->text());
    const QString chosen = Ask.ChooseOpenFile(this, request);
    if (!chosen.isEmpty())
        Ui.E_HilfeDir->setText(chosen);
}

void TOptionForm::ShowError(const QString& text) {
    Ask.Error(this, text);
}

void TOptionForm::Guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const EKodiwerkError& error) {
        ShowError(error.Text);
    }
}
