// The two launches: the current slot's class as an application in a terminal
// of its own (through a script beside the source), and as an applet in a
// viewer (through a page beside the source). Both compile first and return as
// soon as the program has started.
#include "Datei/LaunchFiles.h"
#include "Datei/OwnAppletViewer.h"
#include "DosCall/StartProgram.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"

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

void TMainForm::Runner1Click() {
    if (CheckJdkDir())
        RunApplication();
}

void TMainForm::Browser1Click() {
    if (CheckJdkDir())
        RunApplet();
}

void TMainForm::RunApplication() {
    if (!CompileCurrentFile())
        return;
    const datei::TLaunchPlatform platform = datei::NativeLaunchPlatform();
    const QString source = SlotFile(CurrentSlot());
    const QString className = datei::ClassName(source);
    const QString script = datei::LaunchScriptName(className, platform);
    const datei::TLaunchFileResult written = datei::WriteBesideSource(
        source, script, datei::LaunchScriptLines(Inis.JdkDir, className, Inis.RWinMin, platform),
        platform);
    if (written != datei::TLaunchFileResult::Written) {
        Ask.Message(this, WriteFailure(written, false));
        return;
    }

    SetStatusText(ProgressPanel, QStringLiteral("Running: ") + script);
    // The terminal would start the script whatever the JDK holds and show
    // the shell's complaint only for a moment: a missing java is said here.
    const bool interpreter =
        IsProgram(datei::JdkProgram(Inis.JdkDir, QStringLiteral("java"), platform));
    const bool started =
        interpreter &&
        (platform == datei::TLaunchPlatform::Windows
             ? doscall::StartProgram(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), script},
                                     QDir::currentPath(), Inis.RWinMin)
             : doscall::StartProgram(QStringLiteral("/bin/sh"), {script}, QDir::currentPath(),
                                     Inis.RWinMin));
    if (!started)
        Ask.Message(this, QStringLiteral("Fehler beim Aufruf des Interpreters! Bitte überprüfen "
                                         "Sie den JDK-Pfad"));
    SetStatusText(ProgressPanel, QStringLiteral("Ready"));
}

void TMainForm::RunApplet() {
    if (!CompileCurrentFile())
        return;
    const datei::TLaunchPlatform platform = datei::NativeLaunchPlatform();
    const QString source = SlotFile(CurrentSlot());
    const QString className = datei::ClassName(source);
    const QString page = datei::AppletPageName(className);
    const datei::TLaunchFileResult written = datei::WriteBesideSource(
        source, page,
        datei::AppletPageLines(className, Inis.AppX, Inis.AppY, QDateTime::currentDateTime(),
                               QLocale::system()),
        platform);
    if (written != datei::TLaunchFileResult::Written) {
        Ask.Message(this, WriteFailure(written, true));
        return;
    }

    // JDKs from 11 on have no viewer of their own; a viewer that cannot be
    // started (no terminal) is stood in for as well.
    const QString workingDir = QDir::currentPath();
    const QString jdkViewer =
        datei::JdkProgram(Inis.JdkDir, QStringLiteral("appletviewer"), platform);
    bool started = false;
    if (IsProgram(jdkViewer)) {
        SetStatusText(ProgressPanel,
                      QStringLiteral("Browsing: ") +
                          datei::ViewerCommandLine(Inis.JdkDir, className, platform));
        started = doscall::StartProgram(jdkViewer, {page}, workingDir, Inis.AWinMin);
    }
    if (!started)
        started = StartOwnAppletViewer(page, workingDir);
    if (!started)
        Ask.Message(this, QStringLiteral("Fehler beim Aufruf des Appletviewers!"));
    SetStatusText(ProgressPanel, QStringLiteral("Fertig"));
}

bool TMainForm::StartOwnAppletViewer(const QString& page, const QString& workingDir) {
    datei::TOwnAppletViewer viewer;
    // A console shows what the applet prints; minimised, the viewer goes without one.
    const bool console = !Inis.AWinMin;
    const doscall::TCommand command =
        viewer.Command(Inis.JdkDir, viewer.Location(Inis.JdkDir), page, console);
    SetStatusText(ProgressPanel, QStringLiteral("Browsing: ") +
                                     datei::CommandLineText(command.Program, command.Arguments));
    {
        // The first use with a JDK compiles the viewer: a few seconds.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        if (viewer.ClassDirectory(Inis.JdkDir).isEmpty())
            return false;
    }
    if (datei::TOwnAppletViewer::Start(command, workingDir, console))
        return true;
    // A desktop without a terminal still gets to see the applet, only not what it prints.
    return console && datei::TOwnAppletViewer::Start(
                          viewer.Command(Inis.JdkDir, viewer.Location(Inis.JdkDir), page, false),
                          workingDir, false);
}
