// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Compiling with a real javac of the machine as the compile command does,
// and what the error list makes of it.
#include "Datei/CompilerCall.h"
#include "Datei/ErrorListRows.h"
#include "Datei/JavacOutput.h"
#include "DosCall/RunCaptured.h"
#include "JdkRig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

Q_DECLARE_METATYPE(TJdk)

struct TJavacRun {
    doscall::TCapture Run;
    datei::TJavacOutput Output;
    datei::TErrorRows List;
};

// Compiles `path` in its own directory with the compile command's arguments,
// `extra` before them.
inline TJavacRun CompileWith(const TJdk& jdk, const QString& path, const QStringList& extra = {},
                             datei::TFileEncoding encoding = datei::TFileEncoding::Utf8) {
    const datei::TCompilerCall call = datei::CompilerCall(jdk.Dir, path, encoding);
    const QString dir = QFileInfo(path).path();
    TJavacRun compile;
    compile.Run = doscall::RunCaptured(call.Program, extra + call.Arguments, dir);
    compile.Output = datei::ParseJavacOutput(compile.Run.Text(), path);
    compile.List = datei::ErrorListRows(compile.Output, compile.Run, dir);
    return compile;
}

inline QString WriteFile(const QString& dir, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write a test file");
    return file.fileName();
}

// Rows "JDK 17 en", "JDK 25 en", "JDK 25 de": every JDK of the machine in
// English, and in German where it has German messages.
inline void JdkLanguageRows() {
    QTest::addColumn<TJdk>("jdk");
    QTest::addColumn<QString>("language");
    for (const TJdk& jdk : InstalledJdks()) {
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("de")}) {
            if (language == QLatin1String("en") || SpeaksGerman(jdk))
                QTest::newRow(qPrintable(QStringLiteral("JDK %1 %2").arg(jdk.Major).arg(language)))
                    << jdk << language;
        }
    }
}

inline void JdkRows() {
    QTest::addColumn<TJdk>("jdk");
    for (const TJdk& jdk : InstalledJdks())
        QTest::newRow(qPrintable(QStringLiteral("JDK %1").arg(jdk.Major))) << jdk;
}

// What an entry's position marks in the source lines.
inline QChar Marked(const QStringList& source, const datei::TErrorListEntry& entry) {
    const QString line = source.value(entry.Line - 1);
    return entry.Column >= 1 && entry.Column <= line.size() ? line[entry.Column - 1] : QChar();
}
