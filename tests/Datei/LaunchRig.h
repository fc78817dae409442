// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Running the machine's JDKs and the files a launch writes, from a test.
#include "Datei/Templates.h"
#include "JdkRig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

// Every JDK of the machine, the default one first.
inline QStringList TestJdks() {
    QStringList dirs;
    for (const TJdk& jdk : InstalledJdks())
        dirs << jdk.Dir;
    return dirs;
}

struct TProgramOutput {
    bool Finished = false;
    int ExitCode = -1;
    QString Out;
    QString Err;
};

inline QProcessEnvironment Utf8Environment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return env;
}

// Runs to its end in `dir` with standard input closed, by default in a UTF-8 locale.
inline TProgramOutput RunProgram(const QString& dir, const QString& program,
                                 const QStringList& arguments,
                                 const QProcessEnvironment& env = Utf8Environment()) {
    const int timeoutMs = 120000;
    QProcess process;
    process.setWorkingDirectory(dir);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    TProgramOutput output;
    output.Finished =
        process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    output.ExitCode = process.exitCode();
    output.Out = QString::fromUtf8(process.readAllStandardOutput());
    output.Err = QString::fromUtf8(process.readAllStandardError());
    return output;
}

inline bool WriteUtf8(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

// One of the templates as the class `className` in `dir`; returns its path.
inline QString WriteTemplateClass(const QString& dir, const QString& className, bool applet) {
    QString text = applet ? datei::AppletTemplate() : datei::ApplicationTemplate();
    text.replace(QStringLiteral("noname"), className);
    const QString path = QDir(dir).filePath(className + QStringLiteral(".java"));
    return WriteUtf8(path, text) ? path : QString();
}
