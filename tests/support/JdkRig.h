// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The machine's own JDKs for tests that need the real compiler.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

struct TJdk {
    QString Dir;   // the JDK directory, as the options dialog would hold it
    int Major = 0; // 17, 25, ...
};

// The feature release from the JDK's "release" file (JAVA_VERSION="17.0.15").
inline int JdkMajor(const QString& dir) {
    QFile release(QDir(dir).filePath(QStringLiteral("release")));
    if (!release.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression version(QStringLiteral(R"(JAVA_VERSION="(?:1\.)?(\d+))"));
    const QRegularExpressionMatch match = version.match(QString::fromUtf8(release.readAll()));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The JDK whose javac is on PATH: the one a user of this machine has.
inline TJdk DefaultJdk() {
    const QString javac =
        QFileInfo(QStandardPaths::findExecutable(QStringLiteral("javac"))).canonicalFilePath();
    const QString dir = QFileInfo(javac).dir().absoluteFilePath(QStringLiteral(".."));
    return {QDir::cleanPath(dir), JdkMajor(dir)};
}

// Every JDK below /usr/lib/jvm, each once however many links lead to it,
// the default one first.
inline QList<TJdk> InstalledJdks() {
    QList<TJdk> jdks{DefaultJdk()};
    QStringList seen{
        QFileInfo(jdks.first().Dir + QStringLiteral("/bin/javac")).canonicalFilePath()};
    const QDir jvm(QStringLiteral("/usr/lib/jvm"));
    for (const QString& name : jvm.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString javac =
            QFileInfo(jvm.filePath(name) + QStringLiteral("/bin/javac")).canonicalFilePath();
        if (javac.isEmpty() || seen.contains(javac))
            continue;
        seen.append(javac);
        jdks.append({jvm.filePath(name), JdkMajor(jvm.filePath(name))});
    }
    return jdks;
}

// javac writes German messages from JDK 21 on; older ones stay English in a
// German locale.
inline bool SpeaksGerman(const TJdk& jdk) {
    return jdk.Major >= 21;
}

// The options that make javac speak one language whatever this machine's
// locale: "en" or "de".
inline QStringList JavacLanguage(const QString& language) {
    const QString country =
        language == QLatin1String("de") ? QStringLiteral("DE") : QStringLiteral("US");
    return {QStringLiteral("-J-Duser.language=") + language,
            QStringLiteral("-J-Duser.country=") + country};
}
