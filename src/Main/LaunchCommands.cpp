// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/LaunchCommands.h"

#include "ColMemo/ColorMemo.h"
#include "Datei/JavaPackage.h"
#include "Datei/LaunchFiles.h"
#include "Datei/OwnAppletViewer.h"
#include "DosCall/StartProgram.h"
#include "Main/CompileCommand.h"
#include "Main/Inis.h"
#include "Main/Prompts.h"
#include "Main/SlotDocument.h"
#include "Main/StatusPanels.h"
#include "Main/Workspace.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>

namespace {

// What the user reads when the file beside the source cannot be written:
// the batch file's words stay for the script that takes its place.
QString WriteFailure(datei::TLaunchFileResult result, bool page) {
    if (result == datei::TLaunchFileResult::ChangeDirFailed)
        return page ? QStringLiteral("change dir error") : QStringLiteral("Change dir error");
    return page ? QStringLiteral("html file write error")
                : QStringLiteral("bat - file write error");
}

bool IsProgram(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

TLaunchCommands::TLaunchCommands(TWorkspace& workspace, TCompileCommand& compile)
    : Workspace(workspace), Compile(compile) {}

void TLaunchCommands::Runner1Click() {
    if (Compile.CheckJdkDir())
        RunApplication();
}

void TLaunchCommands::Browser1Click() {
    if (Compile.CheckJdkDir())
        RunApplet();
}

void TLaunchCommands::RunApplication() {
    const TInisRecord& inis = Workspace.SettingsRecord();
    if (!Compile.CompileCurrentFile())
        return;
    const datei::TLaunchPlatform platform = datei::NativeLaunchPlatform();
    const QString source = Workspace.CurrentDocument().File;
    const std::optional<datei::TJavaProgram> program = ShownProgram();
    if (!program)
        return;
    const QString script = datei::LaunchScriptName(program->ClassName, platform);
    const datei::TLaunchFileResult written = datei::WriteBesideSource(
        source, script, datei::LaunchScriptLines(inis.JdkDir, *program, inis.RWinMin, platform),
        platform);
    if (written != datei::TLaunchFileResult::Written) {
        Workspace.Ask().Message(Workspace.Window(), WriteFailure(written, false));
        return;
    }

    Workspace.Status().SetText(TStatusPanels::ProgressPanel, QStringLiteral("Running: ") + script);
    // The terminal would start the script whatever the JDK holds and show
    // the shell's complaint only for a moment: a missing java is said here.
    const bool interpreter =
        IsProgram(datei::JdkProgram(inis.JdkDir, QStringLiteral("java"), platform));
    const bool started =
        interpreter &&
        (platform == datei::TLaunchPlatform::Windows
             ? doscall::StartProgram(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), script},
                                     QDir::currentPath(), inis.RWinMin)
             : doscall::StartProgram(QStringLiteral("/bin/sh"), {script}, QDir::currentPath(),
                                     inis.RWinMin));
    if (!started)
        Workspace.Ask().Message(
            Workspace.Window(),
            QStringLiteral("Fehler beim Aufruf des Interpreters! Bitte überprüfen "
                           "Sie den JDK-Pfad"));
    Workspace.Status().SetText(TStatusPanels::ProgressPanel, QStringLiteral("Ready"));
}

void TLaunchCommands::RunApplet() {
    const TInisRecord& inis = Workspace.SettingsRecord();
    if (!Compile.CompileCurrentFile())
        return;
    const datei::TLaunchPlatform platform = datei::NativeLaunchPlatform();
    const QString source = Workspace.CurrentDocument().File;
    const std::optional<datei::TJavaProgram> program = ShownProgram();
    if (!program)
        return;
    const QString className = program->ClassName;
    const QString page = datei::AppletPageName(className);
    const datei::TLaunchFileResult written = datei::WriteBesideSource(
        source, page,
        datei::AppletPageLines(*program, inis.AppX, inis.AppY, QDateTime::currentDateTime(),
                               QLocale::system()),
        platform);
    if (written != datei::TLaunchFileResult::Written) {
        Workspace.Ask().Message(Workspace.Window(), WriteFailure(written, true));
        return;
    }

    // JDKs from 11 on have no viewer of their own; a viewer that cannot be
    // started (no terminal) is stood in for as well.
    const QString workingDir = QDir::currentPath();
    const QString jdkViewer =
        datei::JdkProgram(inis.JdkDir, QStringLiteral("appletviewer"), platform);
    bool started = false;
    if (IsProgram(jdkViewer)) {
        Workspace.Status().SetText(TStatusPanels::ProgressPanel,
                                   QStringLiteral("Browsing: ") +
                                       datei::ViewerCommandLine(inis.JdkDir, className, platform));
        started = doscall::StartProgram(jdkViewer, {page}, workingDir, inis.AWinMin);
    }
    if (!started)
        started = StartOwnAppletViewer(page, workingDir);
    if (!started)
        Workspace.Ask().Message(Workspace.Window(),
                                QStringLiteral("Fehler beim Aufruf des Appletviewers!"));
    Workspace.Status().SetText(TStatusPanels::ProgressPanel, QStringLiteral("Fertig"));
}

std::optional<datei::TJavaProgram> TLaunchCommands::ShownProgram() {
    const datei::TJavaProgram program =
        datei::JavaProgram(Workspace.CurrentDocument().File, Workspace.CurrentMemo()->Text());
    if (program.InPackage() && !program.FolderMatches()) {
        Workspace.Ask().Message(Workspace.Window(), datei::PackageMismatchText(program));
        return std::nullopt;
    }
    return program;
}

bool TLaunchCommands::StartOwnAppletViewer(const QString& page, const QString& workingDir) {
    const TInisRecord& inis = Workspace.SettingsRecord();
    datei::TOwnAppletViewer viewer;
    // A console shows what the applet prints; minimised, the viewer goes without one.
    const bool console = !inis.AWinMin;
    const doscall::TCommand command =
        viewer.Command(inis.JdkDir, viewer.Location(inis.JdkDir), page, console);
    Workspace.Status().SetText(TStatusPanels::ProgressPanel,
                               QStringLiteral("Browsing: ") +
                                   datei::CommandLineText(command.Program, command.Arguments));
    {
        // The first use with a JDK compiles the viewer: a few seconds.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        if (viewer.ClassDirectory(inis.JdkDir).isEmpty())
            return false;
    }
    if (datei::TOwnAppletViewer::Start(command, workingDir, console))
        return true;
    // A desktop without a terminal still gets to see the applet, only not what it prints.
    return console && datei::TOwnAppletViewer::Start(
                          viewer.Command(inis.JdkDir, viewer.Location(inis.JdkDir), page, false),
                          workingDir, false);
}
