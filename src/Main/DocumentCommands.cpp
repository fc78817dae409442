// Document commands: new, templates, open, save, save as, recent files.
#include "ColMemo/ColorMemo.h"
#include "Datei/DocumentNames.h"
#include "Datei/SourceFile.h"
#include "Datei/Templates.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Main/RegistryIni.h"

#include <QAction>
#include <QFileInfo>
#include <QTabWidget>

namespace {

TFileDialogRequest SourceFileDialog(const QString& initialDir, const QString& proposedName) {
    TFileDialogRequest request;
    request.Filters = datei::SourceFileFilters();
    request.DefaultSuffix = QStringLiteral("java");
    request.InitialDir = initialDir;
    request.ProposedName = proposedName;
    return request;
}

// A menu caption reads '&' as an accelerator mark; the path must show as it is.
QString MenuCaption(const QString& path) {
    return QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The editor's whole text from a file or template, caret at the start; not a user change.
void LoadText(TColorMemo* memo, const QString& text) {
    memo->SetText(text);
    memo->SetSelStart(0);
    memo->SetModified(false);
}

void NewFromTemplate(TMainForm& form, const QString& text) {
    if (!form.NewDocument())
        return;
    LoadText(form.CurrentMemo(), text);
    form.UpdateCommandStates();
}

} // namespace

bool TMainForm::AskBeforeReplacingFifthSlot() {
    if (LastSlot < SlotCount - 1)
        return true;
    // Show the document the question is about; a Cancel puts the page back.
    const int shown = PC_Edit->currentIndex();
    ShowSlot(SlotCount - 1);
    if (AskSaveChanges())
        return true;
    ShowSlot(shown);
    return false;
}

bool TMainForm::NewDocument() {
    if (!AskBeforeReplacingFifthSlot())
        return false;
    OpenSlot(NoName);
    SlotEncoding[LastSlot + 1] = datei::TFileEncoding::Utf8;
    LoadText(CurrentMemo(), QString());
    UpdateCommandStates();
    return true;
}

void TMainForm::Neu1Click() {
    NewDocument();
}

void TMainForm::NeuApplet1Click() {
    NewFromTemplate(*this, datei::AppletTemplate());
}

void TMainForm::NeuApplication1Click() {
    NewFromTemplate(*this, datei::ApplicationTemplate());
}

void TMainForm::Oeffnen1Click() {
    OpenDocument(QString());
}

void TMainForm::OpenDocument(const QString& path) {
    if (!AskBeforeReplacingFifthSlot())
        return;
    QString file = path;
    if (file.isEmpty()) {
        file = Ask.ChooseOpenFile(this, SourceFileDialog(OpenDialogInitialDir, QString()));
        if (file.isEmpty())
            return;
        OpenDialogInitialDir.clear();
    } else if (!QFileInfo(file).isFile()) {
        Ask.Message(this, QStringLiteral("Datei konnte nicht geöffnet werden"));
        return;
    }
    OpenSlot(file);
    const int slot = LastSlot + 1;
    SlotEncoding[slot] = datei::TFileEncoding::Utf8;
    const std::optional<datei::TSourceText> source = datei::ReadSourceFile(file);
    if (!source)
        throw EKodiwerkError(QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(file));
    SlotEncoding[slot] = source->Encoding;
    LoadText(CurrentMemo(), source->Text);
    UpdateCommandStates();
}

void TMainForm::OpenCommandLineFile() {
    const QString argument = Arguments.value(0);
    // Made absolute here: the toolchain commands change the working directory.
    if (datei::IsJavaSourceArgument(argument))
        OpenDocument(QFileInfo(argument).absoluteFilePath());
}

bool TMainForm::SaveCurrentFile() {
    // With no slot in use the hidden editor holds a closed document's text,
    // which must never reach a file.
    if (LastSlot < 0)
        return false;
    const int slot = CurrentSlot();
    const QString path = SlotFile[slot];
    if (path == NoName)
        return SaveCurrentFileAs();
    datei::MoveToBackup(path);
    SetStatusText(2, QStringLiteral("Speichern"));
    TColorMemo* memo = SlotMemo(slot);
    if (!datei::WriteSourceFile(path, memo->Lines(), SlotEncoding[slot]))
        throw EKodiwerkError(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(path));
    memo->SetModified(false);
    AddRecentFile(path);
    UpdateCommandStates();
    SetStatusText(2, QStringLiteral("Fertig"));
    return true;
}

bool TMainForm::SaveCurrentFileAs() {
    if (LastSlot < 0)
        return false;
    const int slot = CurrentSlot();
    const QString chosen =
        Ask.ChooseSaveFile(this, SourceFileDialog(QString(), QFileInfo(SlotFile[slot]).fileName()));
    if (chosen.isEmpty())
        return false;
    SlotFile[slot] = datei::CompleteJavaExtension(chosen);
    const QFileInfo file(SlotFile[slot]);
    setWindowTitle(file.fileName());
    PC_Edit->setTabText(slot - 1, file.completeBaseName());
    SaveCurrentFile();
    return true;
}

void TMainForm::Speichern1Click() {
    SaveCurrentFile();
}

void TMainForm::SpeichernUnter1Click() {
    SaveCurrentFileAs();
}

void TMainForm::AddRecentFile(const QString& path) {
    datei::AddRecentFile(TInis.Files, path);
}

void TMainForm::Datei1Click() {
    for (int n = 1; n <= SlotCount; ++n) {
        const QString& entry = TInis.Files[n - 1];
        F[n]->setText(MenuCaption(entry));
        F[n]->setVisible(!entry.isEmpty());
    }
    N1->setVisible(F[1]->isVisible());
}

void TMainForm::RecentFileClick(int n) {
    if (n < 1 || n > SlotCount || TInis.Files[n - 1].isEmpty())
        return;
    OpenDocument(TInis.Files[n - 1]);
}
