// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace datei {

// The conventions of the machine a launch runs on: the JDK's program names,
// the launch script's language and its line ends.
enum class TLaunchPlatform {
    Windows, // bin\java.exe, a batch file for the command interpreter, CR LF
    Unix,    // bin/java, a script for /bin/sh, LF
};

TLaunchPlatform NativeLaunchPlatform();

// The file name without directory and without its last dot part:
// Hallo.java gives Hallo, A.b.java gives A.b, a name without a dot stays whole.
QString ClassName(const QString& sourcePath);

// A program below the JDK directory, the directory taken as it is:
// "C:\jdk" + "\bin\java.exe", "/opt/jdk" + "/bin/java".
QString JdkProgram(const QString& jdkDir, const QString& name, TLaunchPlatform platform);

// --- application launch -------------------------------------------------------

// Hallo.bat or Hallo.sh.
QString LaunchScriptName(const QString& className, TLaunchPlatform platform);

// The script that runs the class with the JDK's interpreter and leaves two
// empty lines after its output; unless `rWinMin`, the window then waits for
// a key (Windows) or for Enter (Unix) before it closes.
QStringList LaunchScriptLines(const QString& jdkDir, const QString& className, bool rWinMin,
                              TLaunchPlatform platform);

// The same for the class of `program`: one in a package is run by its full
// name from its package root, which the line changes to first; one in the
// unnamed package gets the lines above.
struct TJavaProgram;
QStringList LaunchScriptLines(const QString& jdkDir, const TJavaProgram& program, bool rWinMin,
                              TLaunchPlatform platform);

// One argument for /bin/sh, whatever it holds: 'it'\''s'.
QString ShellQuote(const QString& argument);

// --- applet launch ------------------------------------------------------------

// Hallo.html.
QString AppletPageName(const QString& className);

// The locale's long time format without a time zone: hours, minutes, seconds.
QString LongTimeFormat(const QLocale& locale);

// The eight lines of the page that embeds the class in an appletWidth x
// appletHeight area, signed with `now` in the locale's short date and long time.
QStringList AppletPageLines(const QString& className, int appletWidth, int appletHeight,
                            const QDateTime& now, const QLocale& locale);
// The same for the class of `program`: one in a package is named by its path
// below the package root, which becomes the applet's code base.
QStringList AppletPageLines(const TJavaProgram& program, int appletWidth, int appletHeight,
                            const QDateTime& now, const QLocale& locale);

// The JDK's own applet viewer on the page, as one unquoted line.
QString ViewerCommandLine(const QString& jdkDir, const QString& className,
                          TLaunchPlatform platform);

// A program call as one line for the status bar: the program and its
// arguments separated by blanks, those with a blank in double quotes.
QString CommandLineText(const QString& program, const QStringList& arguments);

// --- writing beside the source ----------------------------------------------------

enum class TLaunchFileResult {
    Written,
    ChangeDirFailed, // the source's directory could not become the current one
    WriteFailed,     // the file could not be created, written or closed
};

// Makes the directory of `sourcePath` the process's current directory, then
// writes `lines` to `fileName` there, each ended by the platform's line end,
// in the local 8-bit encoding. A file of that name is replaced as a whole, so
// a script still being read by an earlier launch keeps its own copy.
TLaunchFileResult WriteBesideSource(const QString& sourcePath, const QString& fileName,
                                    const QStringList& lines, TLaunchPlatform platform);

} // namespace datei
