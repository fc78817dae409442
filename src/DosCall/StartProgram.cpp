// SPDX-License-Identifier: GPL-3.0-or-later
#include "DosCall/StartProgram.h"

#include "DosCall/ProcessSetup.h"
#include "DosCall/Terminals.h"

#include <QCoreApplication>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace doscall {

bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingDir,
                  bool minimised) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QString path = FindProgram(program, workingDir);
    if (path.isEmpty())
        return false;

    QProcess process;
#ifdef Q_OS_WIN
    // A console window of its own, shown minimised on request.
    process.setProgram(path);
    process.setArguments(arguments);
    process.setCreateProcessArgumentsModifier([minimised](QProcess::CreateProcessArguments* args) {
        args->flags |= CREATE_NEW_CONSOLE;
        if (minimised) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = SW_SHOWMINNOACTIVE;
        }
    });
#else
    const QString terminal = FindTerminal();
    if (terminal.isEmpty())
        return false;
    const TCommand command = TerminalCommand(terminal, path, arguments, minimised);
    process.setProgram(command.Program);
    process.setArguments(command.Arguments);
#endif
    process.setWorkingDirectory(workingDir);
    process.setProcessEnvironment(ChildEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace doscall
