// SPDX-License-Identifier: GPL-3.0-or-later
#include "DosCall/RunCaptured.h"

#include "DosCall/ChildLifetime.h"
#include "DosCall/ProcessSetup.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QScopedValueRollback>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace doscall {

namespace {

bool Running = false;

// Keeps the first CaptureLimit bytes of what arrives, up to the first zero
// byte; everything after that is dropped as it comes in.
class TCaptureBuffer {
public:
    void Take(const QByteArray& chunk) {
        if (Full)
            return;
        const qsizetype zero = chunk.indexOf('\0');
        const qsizetype wanted = zero < 0 ? chunk.size() : zero;
        Kept.append(chunk.constData(), std::min(wanted, CaptureLimit - Kept.size()));
        Full = zero >= 0 || Kept.size() >= CaptureLimit;
    }
    QByteArray Kept;

private:
    bool Full = false;
};

// Capturing standard error needs a pipe; when the system has none left to
// give (no free file descriptors), nothing is started.
bool PipeAvailable() {
#ifdef Q_OS_UNIX
    int ends[2];
    if (::pipe(ends) != 0)
        return false;
    ::close(ends[0]);
    ::close(ends[1]);
#endif
    return true;
}

} // namespace

QByteArray KeptCapture(const QByteArray& bytes) {
    TCaptureBuffer buffer;
    buffer.Take(bytes);
    return buffer.Kept;
}

TCapture RunCaptured(const QString& program, const QStringList& arguments,
                     const QString& workingDir, TCancel* cancel) {
    TCapture result;
    if (Running)
        return result;
    const QScopedValueRollback<bool> running(Running, true);
    const QEventLoop::ProcessEventsFlags events =
        cancel ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;

    // Queued repaints (the status text announcing the run) come first.
    QCoreApplication::processEvents(events);
    if (cancel && cancel->IsCancelled()) {
        result.Cancelled = true;
        return result;
    }
    if (!PipeAvailable()) {
        result.Messages.append(PipeCreationFailed);
        return result;
    }
    const QString path = FindProgram(program, workingDir);
    if (path.isEmpty())
        return result;

    QProcess process;
    process.setProgram(path);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDir);
    process.setProcessEnvironment(ChildEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    if (cancel)
        TieChild(process, {.OwnProcessGroup = true});

    TCaptureBuffer captured;
    QEventLoop wait;
    bool ended = false;
    QObject::connect(&process, &QProcess::readyReadStandardError, &wait,
                     [&] { captured.Take(process.readAllStandardError()); });
    QObject::connect(&process, &QProcess::finished, &wait, [&] {
        ended = true;
        wait.quit();
    });
    QObject::connect(&process, &QProcess::errorOccurred, &wait, [&](QProcess::ProcessError error) {
        if (error == QProcess::ReadError || error == QProcess::UnknownError)
            wait.quit();
    });
    if (cancel)
        QObject::connect(cancel, &TCancel::Cancelled, &wait, [&] {
            result.Cancelled = true;
            wait.quit();
        });

    process.start();
    if (!process.waitForStarted(-1))
        return result;
    if (process.state() != QProcess::NotRunning && !ended && !result.Cancelled)
        wait.exec(events);
    // A program that ended by itself before the token was seen was not cancelled.
    result.Cancelled = result.Cancelled && !ended;
    const bool endedByItself = ended;
    if (result.Cancelled) {
        EndChild(process);
    } else if (!endedByItself) {
        // The wait ended before the program did: the application is
        // quitting (which ends every event loop) or the pipe broke.
        result.Messages.append(WaitingFailed);
        process.kill();
        process.waitForFinished(-1);
    }
    captured.Take(process.readAllStandardError());

    result.Ran = true;
    result.Exited = endedByItself && process.exitStatus() == QProcess::NormalExit;
    result.ExitCode = result.Exited ? process.exitCode() : -1;
#ifdef Q_OS_UNIX
    // After a crash QProcess's exit code is the signal's number; the runner's
    // own kill is no signal from outside.
    if (endedByItself && process.exitStatus() == QProcess::CrashExit)
        result.Signal = process.exitCode();
#endif
    result.StdErr = captured.Kept;
    return result;
}

} // namespace doscall
