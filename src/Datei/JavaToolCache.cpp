// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/JavaToolCache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace datei {

QList<std::pair<QString, QByteArray>> TJavaTool::Sources() const {
    if (RegisterResources)
        RegisterResources();
    QList<std::pair<QString, QByteArray>> sources;
    QDirIterator it(ResourceRoot, {QStringLiteral("*.java")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            sources.append({path.mid(ResourceRoot.size()), file.readAll()});
    }
    std::sort(sources.begin(), sources.end());
    return sources;
}

QString UserCacheFolder(const QString& name) {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QLatin1Char('/') +
           name;
}

TJavaToolCache::TJavaToolCache(TJavaTool tool, QString cacheRoot, TLaunchPlatform platform)
    : Tool(std::move(tool)), Root(std::move(cacheRoot)), Platform(platform) {}

bool TJavaToolCache::Holds(const QString& classDirectory) const {
    const QString mainClassFile =
        Tool.MainClass.split(QLatin1Char('.')).join(QLatin1Char('/')) + QStringLiteral(".class");
    return QFileInfo(QDir(classDirectory).filePath(mainClassFile)).isFile();
}

// Classes are kept per JDK (its javac, wherever a link leads, with size, time
// and the version file) and per version of the sources: class files of a
// newer JDK do not run on an older one, and a new Kodiwerk brings new sources.
QString TJavaToolCache::CacheKey(const QString& jdkDir) const {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const auto& [path, text] : Tool.Sources()) {
        hash.addData(path.toUtf8());
        hash.addData(text);
    }
    const QFileInfo javac(JdkProgram(jdkDir, QStringLiteral("javac"), Platform));
    hash.addData(javac.canonicalFilePath().toUtf8());
    hash.addData(QByteArray::number(javac.size()));
    hash.addData(QByteArray::number(javac.lastModified().toMSecsSinceEpoch()));
    QFile release(QDir(jdkDir).filePath(QStringLiteral("release")));
    if (release.open(QIODevice::ReadOnly))
        hash.addData(release.readAll());
    return QString::fromLatin1(hash.result().toHex().left(20));
}

QString TJavaToolCache::Location(const QString& jdkDir) const {
    return QDir(Root).filePath(CacheKey(jdkDir));
}

QString TJavaToolCache::ClassDirectory(const QString& jdkDir, const TRunCompiler& run) {
    LastCompileOutput.clear();
    const QString target = Location(jdkDir);
    if (Holds(target))
        return target;
    const std::unique_ptr<TBuild> build = PrepareBuild(jdkDir);
    if (!build || !FinishBuild(*build, run(build->Javac)))
        return QString();
    return target;
}

std::unique_ptr<TJavaToolCache::TBuild> TJavaToolCache::PrepareBuild(const QString& jdkDir) {
    LastCompileOutput.clear();
    if (!QDir().mkpath(Root)) {
        LastCompileOutput =
            QStringLiteral("Das Verzeichnis %1 kann nicht angelegt werden.").arg(Root);
        return nullptr;
    }
    auto build = std::make_unique<TBuild>();
    build->Target = Location(jdkDir);
    build->Work =
        std::make_unique<QTemporaryDir>(QDir(Root).filePath(QStringLiteral("build-XXXXXX")));
    if (!build->Work->isValid()) {
        LastCompileOutput = build->Work->errorString();
        return nullptr;
    }
    build->Classes = build->Work->filePath(QStringLiteral("classes"));
    // Someone waits for this compile: a few small classes need no optimising compiler.
    QStringList arguments{QStringLiteral("-J-XX:TieredStopAtLevel=1"),
                          QStringLiteral("-J-XX:+UseSerialGC"),
                          QStringLiteral("-encoding"),
                          QStringLiteral("UTF-8"),
                          QStringLiteral("-d"),
                          build->Classes};
    for (const auto& [path, text] : Tool.Sources()) {
        const QString file = build->Work->filePath(QStringLiteral("src/") + path);
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size()) {
            LastCompileOutput = out.errorString();
            return nullptr;
        }
        arguments << file;
    }
    build->Javac = {JdkProgram(jdkDir, QStringLiteral("javac"), Platform), arguments};
    return build;
}

bool TJavaToolCache::FinishBuild(TBuild& build, const doscall::TCapture& run) {
    LastCompileOutput = run.Text();
    if (!run.Ran) {
        LastCompileOutput +=
            QStringLiteral("%1 kann nicht ausgeführt werden.").arg(build.Javac.Program);
        return false;
    }
    // Warnings (such as the removal notice of java.applet) leave the status 0.
    if (!run.Succeeded() || !Holds(build.Classes))
        return false;
    // What an interrupted earlier attempt left there is of no use.
    if (QFileInfo::exists(build.Target) && !Holds(build.Target))
        QDir(build.Target).removeRecursively();
    // Another Kodiwerk may have moved its own classes in first.
    return QDir().rename(build.Classes, build.Target) || Holds(build.Target);
}

} // namespace datei
