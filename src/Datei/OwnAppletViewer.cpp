// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/OwnAppletViewer.h"

#include "DosCall/ProcessSetup.h"
#include "DosCall/StartProgram.h"

#include <QProcess>

// Resources of a static library must be registered by hand, outside any namespace.
static void RegisterViewerSources() {
    Q_INIT_RESOURCE(appletviewer);
}

namespace datei {

namespace {

TJavaTool ViewerTool() {
    return {QStringLiteral(":/appletviewer/"), TOwnAppletViewer::MainClass, &RegisterViewerSources};
}

} // namespace

TOwnAppletViewer::TOwnAppletViewer(QString cacheRoot, TRunCompiler run, TLaunchPlatform platform)
    : Cache(ViewerTool(), std::move(cacheRoot), platform), Run(std::move(run)), Platform(platform) {
    if (!Run)
        Run = [](const doscall::TCommand& javac) {
            return doscall::RunCaptured(javac.Program, javac.Arguments);
        };
}

QString TOwnAppletViewer::DefaultCacheRoot() {
    return UserCacheFolder(QStringLiteral("appletviewer"));
}

QList<std::pair<QString, QByteArray>> TOwnAppletViewer::Sources() {
    return ViewerTool().Sources();
}

doscall::TCommand TOwnAppletViewer::Command(const QString& jdkDir, const QString& classDirectory,
                                            const QString& pageName, bool console) const {
    const bool windowsWithoutConsole = Platform == TLaunchPlatform::Windows && !console;
    const QString java = windowsWithoutConsole ? QStringLiteral("javaw") : QStringLiteral("java");
    return {JdkProgram(jdkDir, java, Platform),
            {QStringLiteral("-cp"), classDirectory, MainClass, pageName}};
}

bool TOwnAppletViewer::Start(const doscall::TCommand& command, const QString& workingDir,
                             bool console) {
    if (console)
        return doscall::StartProgram(command.Program, command.Arguments, workingDir, false);
    QProcess process;
    process.setProgram(command.Program);
    process.setArguments(command.Arguments);
    process.setWorkingDirectory(workingDir);
    process.setProcessEnvironment(doscall::ChildEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace datei
