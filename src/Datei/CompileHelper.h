// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/JavaToolCache.h"
#include "DosCall/Terminals.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace datei {

// Kodiwerk's compile helper: a small Java program that keeps a VM with the
// JDK's compiler running and compiles on request, answering with what the
// javac command would have written (resources/compilehelper).

inline const QString CompileHelperClass = QStringLiteral("kodiwerk.compile.CompileHelper");

TJavaTool CompileHelperTool();

// Below the user's cache directory.
QString CompileHelperCacheRoot();

// What the VM is started with: a small heap for the serial collector, the
// quick compiler only, and the VM's own warnings on standard error.
QStringList CompileHelperVmOptions();

// The JDK's interpreter running the helper's classes in `classDirectory`.
doscall::TCommand CompileHelperCommand(const QString& jdkDir, const QString& classDirectory,
                                       TLaunchPlatform platform = NativeLaunchPlatform());

// The helper's environment for compiles a fresh javac would make in
// `environment`; empty, with `reason` set, when a helper there would not
// write what javac writes.
QProcessEnvironment CompileHelperEnvironment(const QProcessEnvironment& environment,
                                             QString& reason);

} // namespace datei
