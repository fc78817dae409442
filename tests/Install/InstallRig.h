// SPDX-License-Identifier: GPL-3.0-or-later
// Running the programs an installation is checked with: the installed
// program itself, the package tools, lintian and man.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

struct TRun {
    int Code = -1;
    QString Output; // standard output, and standard error unless kept apart
    QString Errors; // standard error when kept apart
};

inline TRun Run(const QString& program, const QStringList& arguments, int timeoutMs = 120000,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                bool errorsApart = false) {
    QProcess process;
    process.setProcessChannelMode(errorsApart ? QProcess::SeparateChannels
                                              : QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, QStringLiteral("timed out: ") + program, {}};
    }
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {code, QString::fromUtf8(process.readAllStandardOutput()),
            errorsApart ? QString::fromUtf8(process.readAllStandardError()) : QString()};
}

// A program the set-up installs; its absence is a broken set-up, not a pass.
inline QString Tool(const char* name) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (path.isEmpty())
        qFatal("%s is missing: scripts/setup.sh installs it", name);
    return path;
}

// The environment of a program started where there is no display at all.
inline QProcessEnvironment WithoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}
