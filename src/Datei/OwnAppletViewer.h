#pragma once

#include "Datei/LaunchFiles.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace datei {

// A program and its arguments, each argument kept whole.
struct TProgramCall {
    QString Program;
    QStringList Arguments;
};

// What a program left when it ended: whether it could be started and ran
// to its end, its exit status and what it wrote to standard error.
struct TFinishedRun {
    bool Finished = false;
    int ExitCode = -1;
    QString StandardError;
};

using TRunAndWait = std::function<TFinishedRun(const TProgramCall&)>;

// Runs the program with standard input closed and waits for it (at most five
// minutes; a program still running then is killed and counts as not finished).
TFinishedRun RunAndWait(const TProgramCall& call);

// The applet viewer that comes with Kodiwerk, for JDKs that have none of
// their own. Its Java sources are compiled into the executable; the first
// time a JDK is used they are compiled with that JDK's javac into a cache
// directory of the user's, one per JDK and version of the sources, so a
// changed or different JDK gets classes of its own.
class TOwnAppletViewer {
public:
    static inline const QString MainClass = QStringLiteral("kodiwerk.viewer.AppletViewer");

    // `cacheRoot` holds one directory of classes per JDK; `run` runs javac.
    explicit TOwnAppletViewer(QString cacheRoot = DefaultCacheRoot(), TRunAndWait run = RunAndWait,
                              TLaunchPlatform platform = NativeLaunchPlatform());

    // Below the user's cache directory.
    static QString DefaultCacheRoot();

    // The viewer's Java sources by their path below the class directory
    // ("kodiwerk/viewer/AppletViewer.java").
    static QList<std::pair<QString, QByteArray>> Sources();

    // The class directory of the viewer compiled by the JDK in `jdkDir`,
    // compiled first when the cache has none for it; "" when it cannot be
    // compiled, and then CompileOutput() says why.
    QString ClassDirectory(const QString& jdkDir);
    QString CompileOutput() const { return LastCompileOutput; }

    // The JDK's interpreter showing the page (a name relative to the current
    // directory) with the viewer's classes; without a console window of its
    // own on Windows when `console` is false.
    TProgramCall Command(const QString& jdkDir, const QString& classDirectory,
                         const QString& pageName, bool console) const;

private:
    QString CacheKey(const QString& jdkDir) const;
    bool Compile(const QString& jdkDir, const QString& target);

    QString CacheRoot;
    TRunAndWait Run;
    TLaunchPlatform Platform;
    QString LastCompileOutput;
};

} // namespace datei
