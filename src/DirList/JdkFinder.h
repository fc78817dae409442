// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVersionNumber>
#include <functional>
#include <optional>

// Finding the Java installations of the machine, without widgets.
namespace dirlist {

// The compiler below a JDK directory: bin/javac, or bin/javac.exe on Windows.
QString CompilerPath(const QString& jdkDir);
bool HoldsCompiler(const QString& jdkDir);

// Where to look: every subdirectory of each root, the Java home, and the
// installation that holds the compiler found on the search path.
struct TJdkSearch {
    QStringList Roots;
    QString JavaHome;
    QString JavacOnPath; // the compiler the search path finds; "" for none
};

// The usual places of this platform and the process environment.
TJdkSearch MachineJdkSearch();

struct TFoundJdk {
    QString Dir;            // canonical path, no trailing separator
    QString Version;        // as the installation states it, "" when unknown
    QVersionNumber Feature; // for ordering: "1.8.0_202" counts as 8.0.202
    bool HasCompiler = false;
};

// The Java installations (directories holding bin/java or the compiler),
// each once however many ways lead to it, newest first.
QList<TFoundJdk> FindJdks(const TJdkSearch& search);

// The installations of this machine: FindJdks over MachineJdkSearch.
QList<TFoundJdk> MachineJdks();
// Where the installations come from; tests put in their own.
using TJdkLookup = std::function<QList<TFoundJdk>()>;

// The installation a start with no JDK set takes: the newest one that holds
// the compiler (`found` as FindJdks orders it). Nothing when none does.
std::optional<TFoundJdk> NewestCompilerJdk(const QList<TFoundJdk>& found);
// The directory to store for an installation, as the chooser writes it.
QString JdkDirSetting(const TFoundJdk& jdk);
// The status-bar text of a start that took `jdk`.
QString JdkTakenText(const TFoundJdk& jdk);
// The JDK check's message while no JDK directory is set: where to set it,
// and how to get a JDK when the machine has none.
QString JdkNotSetText();

} // namespace dirlist
