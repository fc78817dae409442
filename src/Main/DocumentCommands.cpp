// SPDX-License-Identifier: GPL-3.0-or-later
// Document commands: new, templates, open, save, save as, recent files.
#include "Base/KodiwerkError.h"
#include "ColMemo/ColorMemo.h"
#include "Datei/CommandLineFiles.h"
#include "Datei/DocumentNames.h"
#include "Datei/FirstStart.h"
#include "Datei/SourceFile.h"
#include "Datei/TemplateNames.h"
#include "Datei/Templates.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Main/StatusPanels.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTabWidget>
#include <utility>

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

// What a save has to tell beyond "Fertig".
QString SaveNote(const datei::TSaveResult& saved) {
    QStringList notes;
    if (saved.BecameUtf8)
        notes << QStringLiteral("gespeichert als UTF-8");
    if (saved.InPlace)
        notes << QStringLiteral("Ordner schreibgeschützt: ohne Sicherungskopie gespeichert");
    else if (saved.Backup == datei::TBackup::Skipped)
        notes << QStringLiteral("ohne Sicherungskopie gespeichert");
    return notes.join(QStringLiteral("; "));
}

// The editor's whole text from a file or template, caret at the start; not a user change.
void LoadText(TColorMemo* memo, QString text) {
    memo->SetText(std::move(text));
    memo->SetSelStart(0);
    memo->SetModified(false);
}

} // namespace

bool TMainForm::AskBeforeReplacingFifthSlot() {
    if (Last < SlotCount - 1 || !Slot(SlotCount).Memo->Modified())
        return true;
    // Show the document the question is about; a Cancel puts the page back.
    const int shown = PC_Edit->currentIndex();
    ShowSlot(SlotCount - 1);
    ShowCurrentState();
    // A save that fails is reported here and stops the command like a Cancel.
    bool goOn = false;
    Guard([this, &goOn] { goOn = AskSaveChanges(); });
    if (!goOn)
        ShowSlot(shown);
    ShowCurrentState();
    return goOn;
}

bool TMainForm::NewDocument(QString text) {
    if (!AskBeforeReplacingFifthSlot())
        return false;
    OpenSlot(TSlotDocument::NoName);
    LoadText(CurrentMemo(), std::move(text));
    TrackDocument(CurrentSlot());
    UpdateCommandStates();
    return true;
}

void TMainForm::Neu1Click() {
    NewDocument();
}

void TMainForm::NeuApplet1Click() {
    if (!NewDocument(datei::AppletTemplate()))
        return;
    CurrentDocument().FromTemplate = true;
    UpdateCommandStates();
}

void TMainForm::NeuApplication1Click() {
    if (!NewDocument(datei::ApplicationTemplate()))
        return;
    CurrentDocument().FromTemplate = true;
    UpdateCommandStates();
}

void TMainForm::Oeffnen1Click() {
    OpenDocument(QString());
}

void TMainForm::OpenDocument(const QString& path) {
    const int shown = PC_Edit->currentIndex();
    if (!AskBeforeReplacingFifthSlot())
        return;
    QString file = path;
    // A command that stops before it takes a slot leaves the page it found.
    const auto stop = [&] {
        if (PC_Edit->currentIndex() == shown)
            return;
        ShowSlot(shown);
        ShowCurrentState();
    };
    const auto refuse = [&] {
        stop();
        Ask().Message(this, QStringLiteral("Datei konnte nicht geöffnet werden: %1").arg(file));
    };
    if (file.isEmpty()) {
        const QString start =
            OpenDialogInitialDir.isEmpty() ? DialogFolder() : OpenDialogInitialDir;
        file = Ask().ChooseOpenFile(this, SourceFileDialog(start, QString()));
        if (file.isEmpty())
            return stop();
        OpenDialogInitialDir.clear();
        LastDialogFolder = QFileInfo(file).path();
    } else if (!QFileInfo(file).isFile()) {
        return refuse();
    }
    // Read before a slot is taken: what is no regular file, or no text the
    // user wants as one, leaves every slot as it was.
    datei::TSourceFile source = datei::LoadSourceFile(file);
    if (source.Status == datei::TReadStatus::NotRegular)
        return refuse();
    if (source.Binary &&
        !Ask().AskYesNo(this, QStringLiteral("Die Datei %1 enthält Binärdaten. Trotzdem als Text "
                                             "öffnen?")
                                  .arg(file)))
        return stop();
    OpenSlot(file);
    if (source.Status != datei::TReadStatus::Read) {
        // The slot is taken all the same: what is typed into it is kept like any other text.
        TrackDocument(CurrentSlot());
        throw EKodiwerkError(QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(file));
    }
    CurrentDocument().Encoding = source.Source.Encoding;
    CurrentDocument().Stamp = source.Stamp;
    // Handed over, not copied: a long file's text is in memory once while the editor fills.
    LoadText(CurrentMemo(), std::move(source.Source.Text));
    TrackDocument(CurrentSlot());
    UpdateCommandStates();
}

void TMainForm::OpenCommandLineFile() {
    // Made absolute there: the toolchain commands change the working directory.
    const datei::TCommandLineFiles files =
        datei::CommandLineFiles(Arguments, QDir::currentPath(), SlotCount);
    for (const QString& file : files.Open)
        Guard([this, &file] { OpenDocument(file); });
    if (!files.Refused.isEmpty())
        Ask().Message(this, files.Message());
}

QString TMainForm::DialogFolder() const {
    // Where the dialog would start by default: the folder last chosen in one,
    // never the directory the program happened to be started from.
    return LastDialogFolder.isEmpty() ? datei::DialogFolder(Inis.ProjectDir) : LastDialogFolder;
}

bool TMainForm::SaveCurrentFile() {
    // With no slot in use the hidden editor holds a closed document's text,
    // which must never reach a file.
    if (!AnySlotInUse())
        return false;
    TSlotDocument& document = CurrentDocument();
    if (document.Unnamed())
        return SaveCurrentFileAs();
    // Nein keeps the version another program wrote, and the save stops.
    if (datei::ChangedOnDisk(document.File, document.Stamp) &&
        !Ask().AskYesNo(this, QStringLiteral("Die Datei %1 wurde inzwischen von einem anderen "
                                             "Programm geändert. Überschreiben?")
                                  .arg(document.File)))
        return false;
    Status().SetText(TStatusPanels::ProgressPanel, QStringLiteral("Speichern"));
    TColorMemo* memo = CurrentMemo();
    const datei::TSaveResult saved =
        datei::SaveSourceFile(document.File, memo->Lines(), document.Encoding);
    if (!saved.Written)
        throw EKodiwerkError(
            QStringLiteral("Datei %1 kann nicht erstellt werden").arg(document.File));
    document.Encoding = saved.Encoding;
    document.Stamp = saved.Stamp;
    Recovery.Saved(document.RecoveryId, document.File, document.Encoding, document.Stamp);
    memo->SetModified(false);
    AddRecentFile(document.File);
    UpdateCommandStates();
    Status().SetText(TStatusPanels::ProgressPanel, QStringLiteral("Fertig"));
    Status().SetNote(SaveNote(saved));
    return true;
}

bool TMainForm::SaveCurrentFileAs() {
    if (!AnySlotInUse())
        return false;
    const int slot = CurrentSlot();
    TSlotDocument& document = Slot(slot).Document;
    const QString chosen = Ask().ChooseSaveFile(
        this, SourceFileDialog(DialogFolder(), QFileInfo(document.File).fileName()));
    if (chosen.isEmpty())
        return false;
    LastDialogFolder = QFileInfo(chosen).path();
    document.File = datei::CompleteJavaExtension(chosen);
    // Whatever is under the new name is no version this document knew.
    document.Stamp = {};
    // The template's class takes the name the file is first saved under, so
    // the first program compiles.
    if (std::exchange(document.FromTemplate, false))
        FollowFileName(CurrentMemo(), document.File);
    setWindowTitle(QFileInfo(document.File).fileName());
    ShowTabCaption(slot);
    SaveCurrentFile();
    return true;
}

void TMainForm::FollowFileName(TColorMemo* memo, const QString& path) {
    const QList<datei::TLineChange> changes = datei::TemplateNameChanges(memo->Text(), path);
    if (changes.isEmpty())
        return;
    const int32_t line = memo->CaretLine();
    const int32_t col = memo->CaretCol();
    for (const datei::TLineChange& change : changes) {
        const int32_t start = memo->LineIndex(int32_t(change.Line));
        memo->SetSelection(start, memo->LineLength(start));
        memo->ReplaceSelection(change.Text);
    }
    memo->SetCaretLine(line);
    memo->SetCaretCol(col);
}

void TMainForm::Speichern1Click() {
    SaveCurrentFile();
}

void TMainForm::SpeichernUnter1Click() {
    SaveCurrentFileAs();
}

void TMainForm::AddRecentFile(const QString& path) {
    datei::AddRecentFile(Inis.Files, path);
}

void TMainForm::Datei1Click() {
    for (int n = 1; n <= TInisRecord::RecentFileCount; ++n) {
        const QString& entry = Inis.Files[n - 1];
        QAction* item = ActionNamed(QStringLiteral("F%1").arg(n));
        item->setText(MenuCaption(entry));
        item->setVisible(!entry.isEmpty());
    }
    ActionNamed(QStringLiteral("N1"))->setVisible(!Inis.Files[0].isEmpty());
}

void TMainForm::RecentFileClick(int n) {
    if (n < 1 || n > TInisRecord::RecentFileCount || Inis.Files[n - 1].isEmpty())
        return;
    OpenDocument(Inis.Files[n - 1]);
}
