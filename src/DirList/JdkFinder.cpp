// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirList/JdkFinder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>

namespace dirlist {

namespace {

#ifdef Q_OS_WIN
const QString ExeSuffix = QStringLiteral(".exe");
#else
const QString ExeSuffix;
#endif

bool IsFile(const QString& path) {
    return QFileInfo(path).isFile();
}

bool IsJavaInstallation(const QString& dir) {
    return HoldsCompiler(dir) || IsFile(dir + QStringLiteral("/bin/java") + ExeSuffix);
}

// JAVA_VERSION="17.0.15" from the installation's release file.
QString ReleaseVersion(const QString& dir) {
    QFile release(dir + QStringLiteral("/release"));
    if (!release.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression line(QStringLiteral("^JAVA_VERSION=\"?([^\"\\s]+)\"?\\s*$"),
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(release.readAll()));
    return match.hasMatch() ? match.captured(1) : QString();
}

// Old versions count as 1.x; the feature release is what a user compares.
QVersionNumber FeatureVersion(const QString& version) {
    QVersionNumber number = QVersionNumber::fromString(version);
    if (number.segmentCount() >= 2 && number.majorVersion() == 1) {
        QList<int> rest = number.segments();
        rest.removeFirst();
        number = QVersionNumber(rest);
    }
    return number;
}

// A version from the directory's name, for installations without a release file.
QString VersionFromName(const QString& dir) {
    static const QRegularExpression digits(QStringLiteral("\\d+(\\.\\d+)*"));
    return digits.match(QFileInfo(dir).fileName()).captured(0);
}

} // namespace

QString CompilerPath(const QString& jdkDir) {
    return QDir(jdkDir).filePath(QStringLiteral("bin/javac") + ExeSuffix);
}

bool HoldsCompiler(const QString& jdkDir) {
    return IsFile(CompilerPath(jdkDir));
}

TJdkSearch MachineJdkSearch() {
    TJdkSearch search;
    const QString home = QDir::homePath();
#ifdef Q_OS_WIN
    for (const char* variable : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"}) {
        const QString programs = qEnvironmentVariable(variable);
        if (programs.isEmpty())
            continue;
        for (const char* vendor : {"Java", "Eclipse Adoptium", "Zulu", "Microsoft"})
            search.Roots << QDir(programs).filePath(QString::fromLatin1(vendor));
    }
#else
    search.Roots << QStringLiteral("/usr/lib/jvm") << QStringLiteral("/usr/lib64/jvm")
                 << QStringLiteral("/usr/java") << QStringLiteral("/opt/java")
                 << QStringLiteral("/opt");
#endif
    search.Roots << home + QStringLiteral("/.jdks")
                 << home + QStringLiteral("/.sdkman/candidates/java");
    search.JavaHome = qEnvironmentVariable("JAVA_HOME");
    search.JavacOnPath = QStandardPaths::findExecutable(QStringLiteral("javac"));
    return search;
}

QList<TFoundJdk> FindJdks(const TJdkSearch& search) {
    QStringList candidates;
    for (const QString& root : search.Roots) {
        const QDir dir(root);
        for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            candidates << dir.filePath(name);
    }
    if (!search.JavaHome.isEmpty())
        candidates << search.JavaHome;
    if (!search.JavacOnPath.isEmpty()) {
        // Follow links such as /usr/bin/javac to the installation's own bin.
        const QFileInfo compiler(QFileInfo(search.JavacOnPath).canonicalFilePath());
        QDir bin = compiler.dir();
        if (bin.dirName() == QStringLiteral("bin") && bin.cdUp())
            candidates << bin.path();
    }

    QList<TFoundJdk> found;
    QSet<QString> seen;
    for (const QString& candidate : candidates) {
        const QString dir = QFileInfo(candidate).canonicalFilePath();
        if (dir.isEmpty() || seen.contains(dir) || !IsJavaInstallation(dir))
            continue;
        seen.insert(dir);
        TFoundJdk jdk;
        jdk.Dir = dir;
        jdk.Version = ReleaseVersion(dir);
        jdk.Feature = FeatureVersion(jdk.Version.isEmpty() ? VersionFromName(dir) : jdk.Version);
        jdk.HasCompiler = HoldsCompiler(dir);
        found << jdk;
    }
    std::sort(found.begin(), found.end(), [](const TFoundJdk& a, const TFoundJdk& b) {
        const int order = QVersionNumber::compare(a.Feature, b.Feature);
        return order != 0 ? order > 0 : a.Dir < b.Dir;
    });
    return found;
}

QList<TFoundJdk> MachineJdks() {
    return FindJdks(MachineJdkSearch());
}

std::optional<TFoundJdk> NewestCompilerJdk(const QList<TFoundJdk>& found) {
    for (const TFoundJdk& jdk : found)
        if (jdk.HasCompiler)
            return jdk;
    return std::nullopt;
}

QString JdkDirSetting(const TFoundJdk& jdk) {
    return QDir::toNativeSeparators(jdk.Dir);
}

QString JdkTakenText(const TFoundJdk& jdk) {
    const QString text = QStringLiteral("JDK gefunden: ") + JdkDirSetting(jdk);
    return jdk.Version.isEmpty() ? text : text + QStringLiteral(" (Version %1)").arg(jdk.Version);
}

QString JdkNotSetText() {
    return QStringLiteral("Das JDK-Verzeichnis ist noch nicht eingestellt "
                          "(siehe Menü->Bearbeiten->Optionen).\n"
                          "Falls noch kein JDK installiert ist: Unter Debian installiert der "
                          "Befehl „sudo apt install default-jdk“ eines.");
}

} // namespace dirlist
