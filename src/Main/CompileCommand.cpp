// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/CompileCommand.h"

#include "Datei/CompilerCall.h"
#include "Datei/ErrorListRows.h"
#include "DirList/JdkFinder.h"
#include "DosCall/RunCaptured.h"
#include "Main/ErrorList.h"
#include "Main/Inis.h"
#include "Main/Prompts.h"
#include "Main/SlotDocument.h"
#include "Main/StatusPanels.h"
#include "Main/Workspace.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTemporaryDir>

namespace {

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
    : Workspace(workspace), Errors(errors) {}

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
    const QScopedValueRollback<bool> compiling(Compiling, true);
    TSlotDocument& document = Workspace.CurrentDocument();
    const QString path = document.File;
    // The launches write their files beside the source, in this directory.
    QDir::setCurrent(QFileInfo(path).path());
    // A file beginning with a byte-order mark is compiled from a copy without
    // it; its classes still go beside the source, its messages name the source.
    QTemporaryDir markFree;
    QString compiledFile = path;
    if (document.Encoding == datei::TFileEncoding::Utf8WithBom && markFree.isValid())
        compiledFile = datei::CopyWithoutByteOrderMark(path, markFree.path());
    if (compiledFile.isEmpty())
        compiledFile = path;
    const datei::TCompilerCall call =
        datei::CompilerCall(Workspace.SettingsRecord().JdkDir, compiledFile, document.Encoding,
                            compiledFile == path ? QString() : QDir::currentPath());
    Workspace.Status().SetText(TStatusPanels::ProgressPanel, QStringLiteral("Compiling: ") + path);

    document.Errors = {};
    Errors.TakeOver();

    doscall::TCapture run;
    {
        const TWaitCursor hourglass;
        run = doscall::RunCaptured(call.Program, call.Arguments, QDir::currentPath());
    }
    for (const QString& message : run.Messages)
        Workspace.Ask().Message(Workspace.Window(), message);
    if (!run.Ran) {
        Workspace.Ask().Message(Workspace.Window(),
                                QStringLiteral("Fehler beim Aufruf des Compiler! Bitte überprüfen "
                                               "Sie den JDK-Pfad unter Bearbeiten->Optionen!"));
        return false;
    }

    QString captured = run.Text();
    if (compiledFile != path)
        captured.replace(compiledFile, path);
    const datei::TJavacOutput output = datei::ParseJavacOutput(captured, path);
    document.Errors = datei::ErrorListRows(output, run, QDir::currentPath());
    Errors.ShowDocument();
    // Warnings alone do not fail a compile; the caret stays where the user is.
    const bool compiled = !document.Errors.Failed;
    Workspace.Status().SetText(TStatusPanels::ProgressPanel,
                               compiled ? QStringLiteral("Fertig") : QStringLiteral("Fehler"));
    if (!compiled)
        Errors.JumpToFirstError();
    return compiled;
}
