// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class TErrorList;
class TWorkspace;

// The compile command (F8): the JDK directory check, the compiler on the
// current slot's file and its messages into the error list. Also the first
// step of both launches.
class TCompileCommand {
public:
    TCompileCommand(TWorkspace& workspace, TErrorList& errors);

    // False, after saying so, while no JDK directory is set.
    bool CheckJdkDir();
    void Compiler1Click();
    // Saves the current slot's file (an unnamed one whose name dialog is
    // cancelled compiles as "noname.java" in the current directory) and runs
    // the compiler on it. True when the compiler ran and ended with exit
    // status 0, warnings or not; false also while another compile runs.
    bool CompileCurrentFile();

private:
    // The compile without the save before it.
    bool CompileSavedFile();

    TWorkspace& Workspace;
    TErrorList& Errors;
    bool Compiling = false; // a compile runs; no second one starts
};
