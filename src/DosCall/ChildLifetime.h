// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

namespace doscall {

// How a program started through `process` is tied to this one.
struct TChildTies {
    // The kernel ends the program as soon as this process ends, however it
    // ends (SIGKILL included); a program whose start comes too late for that
    // does not start at all. Linux only. The tie is to the thread that starts
    // the program, so start it from one that lives as long as the process.
    bool EndWithParent = false;
    // The program leads a process group of its own, so EndChild reaches
    // whatever it starts in turn (a shell script's sleep, say). Unix only.
    bool OwnProcessGroup = false;
};

// Applies `ties` to the next start of `process`.
void TieChild(QProcess& process, TChildTies ties);

// Kills the running program of `process`, and its process group when it
// leads one, and waits for its end.
void EndChild(QProcess& process);

} // namespace doscall
