// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs the real compilers of this machine for the explanation tests: many
// small files, each compiled on its own, in one JVM per JDK and language
// (data/CompileEach.java), and the javac command itself for comparison.
#include "JdkRig.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QString>
#include <QStringList>

// One way of running javac: a JDK and the language it is asked to speak.
struct TJavacRun {
    TJdk Jdk;
    QString Language; // "en" or "de"

    QString Name() const { return QStringLiteral("JDK %1 %2").arg(Jdk.Major).arg(Language); }
    QStringList LocaleOptions(const QString& prefix = QString()) const {
        const QString country =
            Language == QStringLiteral("de") ? QStringLiteral("DE") : QStringLiteral("US");
        return {prefix + QStringLiteral("-Dfile.encoding=UTF-8"),
                prefix + QStringLiteral("-Duser.language=") + Language,
                prefix + QStringLiteral("-Duser.country=") + country};
    }
};

// English for every JDK, German for every JDK that has German messages (21 on).
inline QList<TJavacRun> JavacRuns() {
    QList<TJavacRun> runs;
    for (const TJdk& jdk : InstalledJdks()) {
        runs.append({jdk, QStringLiteral("en")});
        if (jdk.Major >= 21)
            runs.append({jdk, QStringLiteral("de")});
    }
    return runs;
}

inline QString RunProgram(const QString& program, const QStringList& arguments,
                          const QString& directory, QProcess::ProcessChannel channel) {
    QProcess process;
    process.setWorkingDirectory(directory);
    process.start(program, arguments);
    if (!process.waitForFinished(240000))
        qFatal("%s did not finish", qPrintable(program));
    return QString::fromUtf8(channel == QProcess::StandardOutput ? process.readAllStandardOutput()
                                                                 : process.readAllStandardError());
}

// What javac wrote for each of `files` (absolute paths in one directory), by path.
inline QHash<QString, QString> CompileEach(const TJavacRun& run, const QStringList& files,
                                           const QString& classDir) {
    const QString launcher = QDir(run.Jdk.Dir).filePath(QStringLiteral("bin/java"));
    const QString output = RunProgram(
        launcher,
        run.LocaleOptions() +
            QStringList{QStringLiteral(KW_TEST_DATA_DIR "/CompileEach.java"), classDir} + files,
        QFileInfo(files.first()).path(), QProcess::StandardOutput);
    QStringList lines = output.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QHash<QString, QString> written;
    QString file;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("=== "))) {
            file = line.mid(4);
            written.insert(file, QString());
        } else if (!file.isEmpty())
            written[file] += line + QLatin1Char('\n');
    }
    if (written.size() != files.size())
        qFatal("%s compiled %d of %d files:\n%s", qPrintable(run.Name()), int(written.size()),
               int(files.size()), qPrintable(output));
    return written;
}

// What the javac command writes for `file`, with the same options.
inline QString JavacCommand(const TJavacRun& run, const QString& file, const QString& classDir) {
    return RunProgram(QDir(run.Jdk.Dir).filePath(QStringLiteral("bin/javac")),
                      run.LocaleOptions(QStringLiteral("-J")) +
                          QStringList{QStringLiteral("-nowarn"), QStringLiteral("-encoding"),
                                      QStringLiteral("UTF-8"), QStringLiteral("-d"), classDir,
                                      file},
                      QFileInfo(file).path(), QProcess::StandardError);
}
