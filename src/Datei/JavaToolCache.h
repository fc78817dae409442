// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/LaunchFiles.h"
#include "DosCall/RunCaptured.h"
#include "DosCall/Terminals.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <utility>

namespace datei {

// Runs javac and waits for it.
using TRunCompiler = std::function<doscall::TCapture(const doscall::TCommand&)>;

// A small Java program that comes with Kodiwerk as source, in the Qt
// resources below ResourceRoot.
struct TJavaTool {
    QString ResourceRoot; // ":/appletviewer/"
    QString MainClass;    // "kodiwerk.viewer.AppletViewer"
    // Registers the resources (those of a static library must be, by hand).
    void (*RegisterResources)() = nullptr;

    // The sources by their path below the class directory
    // ("kodiwerk/viewer/AppletViewer.java"), in name order.
    QList<std::pair<QString, QByteArray>> Sources() const;
};

// The classes of a TJavaTool, compiled with a JDK's own javac into a cache
// directory of the user's, one per JDK and version of the sources, so a
// changed or different JDK gets classes of its own. A compile is made aside
// and moved in whole, so no one ever finds half a tool.
class TJavaToolCache {
public:
    // One compile under way, for callers that run javac themselves (in the
    // background); ClassDirectory does all of it in one call.
    struct TBuild {
        doscall::TCommand Javac;
        QString Target;
        QString Classes;
        std::unique_ptr<QTemporaryDir> Work;
    };

    TJavaToolCache(TJavaTool tool, QString cacheRoot,
                   TLaunchPlatform platform = NativeLaunchPlatform());

    QString CacheRoot() const { return Root; }

    // Where the classes compiled by the JDK in `jdkDir` are kept, compiled or not.
    QString Location(const QString& jdkDir) const;
    // Whether `classDirectory` holds the tool's main class.
    bool Holds(const QString& classDirectory) const;

    // The class directory for the JDK in `jdkDir`, compiled first with `run`
    // when the cache has none for it; "" when it cannot be compiled, and then
    // CompileOutput() says why.
    QString ClassDirectory(const QString& jdkDir, const TRunCompiler& run);
    QString CompileOutput() const { return LastCompileOutput; }

    // The sources written aside and the javac call that compiles them; null
    // (and CompileOutput() says why) when they cannot be written.
    std::unique_ptr<TBuild> PrepareBuild(const QString& jdkDir);
    // Moves what `run` of the build's javac compiled into the cache; false
    // (and CompileOutput() says why) when it did not compile.
    bool FinishBuild(TBuild& build, const doscall::TCapture& run);

private:
    QString CacheKey(const QString& jdkDir) const;

    TJavaTool Tool;
    QString Root;
    TLaunchPlatform Platform;
    QString LastCompileOutput;
};

// The folder `name` below the user's cache directory.
QString UserCacheFolder(const QString& name);

} // namespace datei
