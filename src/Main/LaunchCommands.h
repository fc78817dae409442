// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace datei {
struct TJavaProgram;
}

class TCompileCommand;
class TWorkspace;

// The two launches: the current slot's class as an application in a terminal
// of its own (through a script beside the source), and as an applet in a
// viewer (through a page beside the source). Both compile first and return as
// soon as the program has started.
class TLaunchCommands {
public:
    TLaunchCommands(TWorkspace& workspace, TCompileCommand& compile);

    void Runner1Click();
    void Browser1Click();

private:
    void RunApplication();
    void RunApplet();
    // The shown file's program; none, after saying so, when its folder does
    // not match its package, since its class could not be found.
    std::optional<datei::TJavaProgram> ShownProgram();
    // Kodiwerk's viewer on `page`, compiled first when this JDK has no copy yet.
    bool StartOwnAppletViewer(const QString& page, const QString& workingDir);

    TWorkspace& Workspace;
    TCompileCommand& Compile;
};
