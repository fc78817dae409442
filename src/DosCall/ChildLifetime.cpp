// SPDX-License-Identifier: GPL-3.0-or-later
#include "DosCall/ChildLifetime.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace doscall {

void TieChild(QProcess& process, TChildTies ties) {
#ifdef Q_OS_UNIX
    const pid_t parent = ::getpid();
    // Runs in the child between fork and exec: system calls only.
    process.setChildProcessModifier([ties, parent] {
        if (ties.OwnProcessGroup)
            ::setpgid(0, 0);
#ifdef Q_OS_LINUX
        if (ties.EndWithParent) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            // The parent may have died before the call: then nobody is left to tell.
            if (::getppid() != parent)
                ::_exit(127);
        }
#else
        Q_UNUSED(parent);
#endif
    });
#else
    Q_UNUSED(process);
    Q_UNUSED(ties);
#endif
}

void EndChild(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
#ifdef Q_OS_UNIX
    // A group id stays taken while its leader lives, so this reaches only the child's own group.
    if (const qint64 pid = process.processId(); pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
#endif
    process.kill();
    process.waitForFinished(-1);
}

} // namespace doscall
