// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/CompileCommand.h"

#include "ColMemo/ColorMemo.h"
#include "Datei/CompilerCall.h"
#include "Datei/ErrorListRows.h"
#include "Datei/JavaPackage.h"
#include "DirList/JdkFinder.h"
#include "DosCall/RunCaptured.h"
#include "Main/ErrorList.h"
#include "Main/Inis.h"
#include "Main/InputHold.h"
#include "Main/Prompts.h"
#include "Main/SlotDocument.h"
#include "Main/StatusPanels.h"
#include "Main/Workspace.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

namespace {

// A compile shorter than this is over before a cancel button could help.
constexpr int CancelOfferDelayMs = 1000;

// The hourglass while the compiler runs, gone however the run ends.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace

TCompileCommand::TCompileCommand(TWorkspace& workspace, TErrorList& errors)
    : Workspace(workspace), Errors(errors) {
    QObject::connect(Workspace.Status().CancelButton(), &QToolButton::clicked, &CompileCancel,
                     &doscall::TCancel::Cancel);
}

bool TCompileCommand::CheckJdkDir() {
    if (!Workspace.SettingsRecord().JdkDir.isEmpty())
        return true;
    Workspace.Ask().Message(Workspace.Window(), dirlist::JdkNotSetText());
    return false;
}

void TCompileCommand::Compiler1Click() {
    if (Compiling)
        return;
    // Saved here only: a second save inside the compile would make the
    // backup a copy of the file just written and lose the previous version.
    if (CheckJdkDir() && Workspace.SaveCurrentFile())
        CompileSavedFile();
}

bool TCompileCommand::CompileCurrentFile() {
    if (Compiling)
        return false;
    Workspace.SaveCurrentFile();
    return CompileSavedFile();
}

bool TCompileCommand::CompileSavedFile() {
    if (Compiling || !Workspace.AnySlotInUse())
        return false;
    bool compiled = false;
    {
        const QScopedValueRollback<bool> compiling(Compiling, true);
        compiled = CompileShownFile();
    }
    // The window was asked to close meanwhile: now it may, question and all.
    if (CloseWhenDone) {
        CloseWhenDone = false;
        QWidget* window = Workspace.Window();
        QTimer::singleShot(0, window, [window] { window->close(); });
    }
    return compiled;
}

bool TCompileCommand::CompileShownFile() {
    TSlotDocument& document = Workspace.CurrentDocument();
    const QString path = document.File;
    // The launches write their files beside the source, in this directory.
    QDir::setCurrent(QFileInfo(path).path());
    const datei::TJavaProgram program = datei::JavaProgram(path, Workspace.CurrentMemo()->Text());
    // A file beginning with a byte-order mark is compiled from a copy without
    // it; its classes still go where they would, its messages name the source.
    QTemporaryDir markFree;
    QString compiledFile = path;
    if (document.Encoding == datei::TFileEncoding::Utf8WithBom && markFree.isValid())
        compiledFile = datei::CopyWithoutByteOrderMark(path, markFree.path());
    if (compiledFile.isEmpty())
        compiledFile = path;
    const QString classDir = compiledFile == path      ? QString()
                             : program.FolderMatches() ? program.Root
                                                       : QDir::currentPath();
    // The program's other classes are found in its package root.
    const datei::TCompilerCall call = datei::CompilerCall(
        Workspace.SettingsRecord().JdkDir, compiledFile, document.Encoding, classDir, program.Root);
    Workspace.Status().SetText(TStatusPanels::ProgressPanel, QStringLiteral("Compiling: ") + path);

    document.Errors = {};
    Workspace.CurrentMemo()->ClearMarks();
    Errors.TakeOver();
    const doscall::TCapture run = RunCompiler(call);
    return ShowResult(document, run, compiledFile);
}

doscall::TCapture TCompileCommand::RunCompiler(const datei::TCompilerCall& call) {
    CompileCancel.Reset();
    QToolButton* cancel = Workspace.Status().CancelButton();
    // The button only for a compile that takes long enough to be cancelled.
    QTimer offerCancel;
    offerCancel.setSingleShot(true);
    QObject::connect(&offerCancel, &QTimer::timeout, cancel, &QWidget::show);
    offerCancel.start(CancelOfferDelayMs);
    const auto hide = qScopeGuard([cancel] { cancel->hide(); });
    const TWaitCursor hourglass;
    const TInputHold hold(cancel, [this] { CompileCancel.Cancel(); });
    return Warm.Compile(call, QDir::currentPath(), &CompileCancel);
}

bool TCompileCommand::ShowResult(TSlotDocument& document, const doscall::TCapture& run,
                                 const QString& compiledFile) {
    const QString path = document.File;
    // A cancelled compile is no failure of the JDK: its list only says it was cancelled.
    if (!run.Cancelled) {
        for (const QString& message : run.Messages)
            Workspace.Ask().Message(Workspace.Window(), message);
        if (!run.Ran) {
            Workspace.Ask().Message(
                Workspace.Window(),
                QStringLiteral("Fehler beim Aufruf des Compiler! Bitte überprüfen "
                               "Sie den JDK-Pfad unter Bearbeiten->Optionen!"));
            return false;
        }
    }

    QString captured = run.Text();
    if (compiledFile != path)
        captured.replace(compiledFile, path);
    const datei::TJavacOutput output = datei::ParseJavacOutput(captured, path);
    document.Errors = datei::ErrorListRows(output, run, QDir::currentPath());
    Errors.ShowDocument();
    Workspace.MarkErrors(document.Errors);
    if (run.Cancelled) {
        Workspace.Status().SetText(TStatusPanels::ProgressPanel, QStringLiteral("Abgebrochen"));
        return false;
    }
    // Warnings alone do not fail a compile; the caret stays where the user is.
    const bool compiled = !document.Errors.Failed;
    Workspace.Status().SetText(TStatusPanels::ProgressPanel,
                               compiled ? QStringLiteral("Fertig") : QStringLiteral("Fehler"));
    if (!compiled)
        Errors.JumpToFirstError();
    return compiled;
}

void TCompileCommand::WarmUp() {
    QString folder = QDir::currentPath();
    if (Workspace.AnySlotInUse() && !Workspace.CurrentDocument().File.isEmpty())
        folder = QFileInfo(Workspace.CurrentDocument().File).absolutePath();
    Warm.Start(Workspace.SettingsRecord().JdkDir, folder);
}

void TCompileCommand::CancelAndClose() {
    CloseWhenDone = true;
    CompileCancel.Cancel();
}
