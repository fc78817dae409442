#include "Datei/OwnAppletViewer.h"

#include "DosCall/ProcessSetup.h"
#include "DosCall/StartProgram.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

// Resources of a static library must be registered by hand, outside any namespace.
static void RegisterViewerSources() {
    Q_INIT_RESOURCE(appletviewer);
}

namespace datei {

namespace {

const QString SourceRoot = QStringLiteral(":/appletviewer/");

QString MainClassFile() {
    return TOwnAppletViewer::MainClass.split(QLatin1Char('.')).join(QLatin1Char('/')) +
           QStringLiteral(".class");
}

bool HoldsViewer(const QString& classDirectory) {
    return QFileInfo(QDir(classDirectory).filePath(MainClassFile())).isFile();
}

} // namespace

TOwnAppletViewer::TOwnAppletViewer(QString cacheRoot, TRunCompiler run, TLaunchPlatform platform)
    : CacheRoot(std::move(cacheRoot)), Run(std::move(run)), Platform(platform) {
    if (!Run)
        Run = [](const doscall::TCommand& javac) {
            return doscall::RunCaptured(javac.Program, javac.Arguments);
        };
}

QString TOwnAppletViewer::DefaultCacheRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/appletviewer");
}

QList<std::pair<QString, QByteArray>> TOwnAppletViewer::Sources() {
    RegisterViewerSources();
    QList<std::pair<QString, QByteArray>> sources;
    QDirIterator it(SourceRoot, {QStringLiteral("*.java")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            sources.append({path.mid(SourceRoot.size()), file.readAll()});
    }
    std::sort(sources.begin(), sources.end());
    return sources;
}

// Classes are kept per JDK (its javac, wherever a link leads, with size, time
// and the version file) and per version of the sources: class files of a
// newer JDK do not run on an older one, and a new Kodiwerk brings new sources.
QString TOwnAppletViewer::CacheKey(const QString& jdkDir) const {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const auto& [path, text] : Sources()) {
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

QString TOwnAppletViewer::Location(const QString& jdkDir) const {
    return QDir(CacheRoot).filePath(CacheKey(jdkDir));
}

QString TOwnAppletViewer::ClassDirectory(const QString& jdkDir) {
    LastCompileOutput.clear();
    const QString target = Location(jdkDir);
    if (HoldsViewer(target) || Compile(jdkDir, target))
        return target;
    return QString();
}

bool TOwnAppletViewer::Compile(const QString& jdkDir, const QString& target) {
    if (!QDir().mkpath(CacheRoot)) {
        LastCompileOutput =
            QStringLiteral("Das Verzeichnis %1 kann nicht angelegt werden.").arg(CacheRoot);
        return false;
    }
    // Built aside and moved in whole, so no one ever finds half a viewer.
    QTemporaryDir work(QDir(CacheRoot).filePath(QStringLiteral("build-XXXXXX")));
    if (!work.isValid()) {
        LastCompileOutput = work.errorString();
        return false;
    }
    const QString classes = work.filePath(QStringLiteral("classes"));
    // The user waits for this compile: a few small classes need no optimising compiler.
    QStringList arguments{QStringLiteral("-J-XX:TieredStopAtLevel=1"),
                          QStringLiteral("-J-XX:+UseSerialGC"),
                          QStringLiteral("-encoding"),
                          QStringLiteral("UTF-8"),
                          QStringLiteral("-d"),
                          classes};
    for (const auto& [path, text] : Sources()) {
        const QString file = work.filePath(QStringLiteral("src/") + path);
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size()) {
            LastCompileOutput = out.errorString();
            return false;
        }
        arguments << file;
    }
    const QString javac = JdkProgram(jdkDir, QStringLiteral("javac"), Platform);
    const doscall::TCapture run = Run({javac, arguments});
    LastCompileOutput = run.Text();
    if (!run.Ran) {
        LastCompileOutput += QStringLiteral("%1 kann nicht ausgeführt werden.").arg(javac);
        return false;
    }
    // Warnings (such as the removal notice of java.applet) leave the status 0.
    if (!run.Succeeded() || !HoldsViewer(classes))
        return false;
    // What an interrupted earlier attempt left there is of no use.
    if (QFileInfo::exists(target) && !HoldsViewer(target))
        QDir(target).removeRecursively();
    // Another Kodiwerk may have moved its own classes in first.
    return QDir().rename(classes, target) || HoldsViewer(target);
}

doscall::TCommand TOwnAppletViewer::Command(const QString& jdkDir, const QString& classDirectory,
                                            const QString& pageName, bool console) const {
    const bool windowsWithoutConsole = Platform == TLaunchPlatform::Windows && !console;
    const QString java = windowsWithoutConsole ? QStringLiteral("javaw") : QStringLiteral("java");
    return {JdkProgram(jdkDir, java, Platform),
            {QStringLiteral("-cp"), classDirectory, MainClass, pageName}};
}

bool TOwnAppletViewer::Start(const doscall::TCommand& command, const QString& workingDir,
                             bool console) {
    if (console)
        return doscall::StartProgram(command.Program, command.Arguments, workingDir, false);
    QProcess process;
    process.setProgram(command.Program);
    process.setArguments(command.Arguments);
    process.setWorkingDirectory(workingDir);
    process.setProcessEnvironment(doscall::ChildEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace datei
