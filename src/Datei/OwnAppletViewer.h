#pragma once

#include "Datei/LaunchFiles.h"
#include "DosCall/RunCaptured.h"
#include "DosCall/Terminals.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace datei {

// Runs javac and waits for it.
using TRunCompiler = std::function<doscall::TCapture(const doscall::TCommand&)>;

// The applet viewer that comes with Kodiwerk, for JDKs that have none of
// their own. Its Java sources are compiled into the executable; the first
// time a JDK is used they are compiled with that JDK's javac into a cache
// directory of the user's, one per JDK and version of the sources, so a
// changed or different JDK gets classes of its own.
class TOwnAppletViewer {
public:
    static inline const QString MainClass = QStringLiteral("kodiwerk.viewer.AppletViewer");

    // `cacheRoot` holds one directory of classes per JDK; `run` runs javac
    // (by default with RunCaptured, so the windows keep repainting).
    explicit TOwnAppletViewer(QString cacheRoot = DefaultCacheRoot(), TRunCompiler run = {},
                              TLaunchPlatform platform = NativeLaunchPlatform());

    // Below the user's cache directory.
    static QString DefaultCacheRoot();

    // The viewer's Java sources by their path below the class directory
    // ("kodiwerk/viewer/AppletViewer.java").
    static QList<std::pair<QString, QByteArray>> Sources();

    // Where the classes compiled by the JDK in `jdkDir` are kept, compiled or not.
    QString Location(const QString& jdkDir) const;

    // The class directory of the viewer compiled by the JDK in `jdkDir`,
    // compiled first when the cache has none for it; "" when it cannot be
    // compiled, and then CompileOutput() says why.
    QString ClassDirectory(const QString& jdkDir);
    QString CompileOutput() const { return LastCompileOutput; }

    // The JDK's interpreter showing the page (a name relative to the working
    // directory) with the viewer's classes; without a console window of its
    // own on Windows when `console` is false.
    doscall::TCommand Command(const QString& jdkDir, const QString& classDirectory,
                              const QString& pageName, bool console) const;

    // Starts `command` in `workingDir` and returns at once: with `console` in
    // a terminal window that shows what the applet prints, otherwise with no
    // window but the viewer's own. False when it cannot be started.
    static bool Start(const doscall::TCommand& command, const QString& workingDir, bool console);

private:
    QString CacheKey(const QString& jdkDir) const;
    bool Compile(const QString& jdkDir, const QString& target);

    QString CacheRoot;
    TRunCompiler Run;
    TLaunchPlatform Platform;
    QString LastCompileOutput;
};

} // namespace datei
