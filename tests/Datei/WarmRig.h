// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// JDK-shaped directories made of shell scripts, and whether a process runs.
#include "LaunchRig.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

inline bool WriteScript(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + text) > 0 &&
           file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// A JDK in `dir` whose bin/javac and (unless empty) bin/java run the given
// shell lines; returns `dir`, or "" when it cannot be written.
inline QString ScriptJdk(const QString& dir, const QByteArray& javac, const QByteArray& java = {}) {
    if (!WriteScript(dir + "/bin/javac", javac))
        return {};
    if (!java.isEmpty() && !WriteScript(dir + "/bin/java", java))
        return {};
    return dir;
}

// Shell lines that hand everything to the real JDK's `program`.
inline QByteArray Forward(const QString& jdk, const char* program) {
    return "exec '" + (jdk + "/bin/" + program).toUtf8() + "' \"$@\"\n";
}

// Whether process `pid` still runs; a zombie has ended.
inline bool ProcessRuns(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    const char state = close >= 0 && close + 2 < line.size() ? line[close + 2] : 'X';
    return state != 'Z' && state != 'X';
}

inline bool EndsWithin(qint64 pid, int ms) {
    const QDeadlineTimer deadline(ms);
    while (ProcessRuns(pid)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}
