// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/JavaToolCache.h"
#include "Datei/LaunchFiles.h"
#include "DosCall/RunCaptured.h"
#include "DosCall/Terminals.h"

#include <QString>
#include <QStringList>

namespace datei {

// The applet viewer that comes with Kodiwerk, for JDKs that have none of
// their own: a TJavaTool compiled once per JDK into the user's cache.
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
    QString Location(const QString& jdkDir) const { return Cache.Location(jdkDir); }

    // The class directory of the viewer compiled by the JDK in `jdkDir`,
    // compiled first when the cache has none for it; "" when it cannot be
    // compiled, and then CompileOutput() says why.
    QString ClassDirectory(const QString& jdkDir) { return Cache.ClassDirectory(jdkDir, Run); }
    QString CompileOutput() const { return Cache.CompileOutput(); }

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
    TJavaToolCache Cache;
    TRunCompiler Run;
    TLaunchPlatform Platform;
};

} // namespace datei
