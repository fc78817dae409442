// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DosCall/Cancel.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace doscall {

// The runner's own messages; it shows none itself, the caller does.
inline const QString PipeCreationFailed = QStringLiteral("Stdout pipe creation failed");
inline const QString WaitingFailed = QStringLiteral("Waiting Failed");

// At most this many bytes of a program's standard error are kept.
inline constexpr qsizetype CaptureLimit = 200000;

// What a captured run brought back.
struct TCapture {
    // The program was started and waited for; StdErr holds what it wrote.
    // False when it could not be started (no message: the caller has its
    // own words for that) or a run was already going on.
    bool Ran = false;
    // It ended by itself rather than by a crash or a kill.
    bool Exited = false;
    // The cancel token ended the run: the program was killed (Ran true), or
    // the token was triggered before it could start (Ran false).
    bool Cancelled = false;
    int ExitCode = -1;
    // The signal that ended it when it did not end by itself (a crash, or a
    // kill from outside); 0 when it exited, when the runner ended it itself,
    // and on systems without signals.
    int Signal = 0;
    // Its standard error: the first CaptureLimit bytes, up to (not
    // including) the first zero byte; line ends as the program wrote them.
    QByteArray StdErr;
    // The runner's own messages for the user, in the order they arose.
    QStringList Messages;

    bool Succeeded() const { return Ran && Exited && ExitCode == 0; }
    // The captured text; started programs always run in a UTF-8 locale.
    QString Text() const { return QString::fromUtf8(StdErr); }
};

// What a capture keeps of a program's standard error: the first
// CaptureLimit bytes, up to (not including) the first zero byte.
QByteArray KeptCapture(const QByteArray& bytes);

// Runs `program` with `arguments` (each handed over as it is, blanks and
// umlauts included) in `workingDir` (empty: the current directory) and waits
// for its end. Standard input is closed, standard output is this process's
// own, standard error is read while the program runs, so a program writing
// megabytes neither blocks nor fills memory. A call made while another one
// runs (from a timer) returns at once with Ran false.
//
// Without `cancel` the wait is a local event loop without user input:
// windows keep repainting and timers keep running, but no command can start.
// With it the wait handles every event, user input included (the caller
// filters that itself), and a triggered token kills the program, together
// with whatever it started, since it runs in a process group of its own.
TCapture RunCaptured(const QString& program, const QStringList& arguments,
                     const QString& workingDir = QString(), TCancel* cancel = nullptr);

} // namespace doscall
