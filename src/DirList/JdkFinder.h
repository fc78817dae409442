#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVersionNumber>

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

} // namespace dirlist
