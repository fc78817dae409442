// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/WarmCompiler.h"
#include "DosCall/Cancel.h"

#include <QString>

class TErrorList;
struct TSlotDocument;
class TWorkspace;

// The compile command (F8): the JDK directory check, the compiler on the
// current slot's file and its messages into the error list. Also the first
// step of both launches. Compiles go through a compiler kept warm in the
// background; one that takes long can be cancelled, and the user's input
// meanwhile is dropped.
class TCompileCommand {
public:
    TCompileCommand(TWorkspace& workspace, TErrorList& errors);

    // False, after saying so, while no JDK directory is set.
    bool CheckJdkDir();
    void Compiler1Click();
    // Saves the current slot's file (an unnamed one whose name dialog is
    // cancelled compiles as "noname.java" in the current directory) and runs
    // the compiler on it. True when the compiler ran and ended with exit
    // status 0, warnings or not; false also while another compile runs and
    // when the compile was cancelled.
    bool CompileCurrentFile();

    // Gets the warm compiler ready for the JDK set now (and ends it while none
    // is set), in the folder of the file shown or else the current one.
    void WarmUp();
    bool IsCompiling() const { return Compiling; }
    // Ends the compile that runs; it then reports "Abgebrochen".
    void Cancel() { CompileCancel.Cancel(); }
    // Cancels the compile that runs and closes the window once it has ended.
    void CancelAndClose();

private:
    // The compile without the save before it.
    bool CompileSavedFile();
    bool CompileShownFile();
    doscall::TCapture RunCompiler(const datei::TCompilerCall& call);
    // The run's messages into the error list and the status bar; whether it compiled.
    bool ShowResult(TSlotDocument& document, const doscall::TCapture& run,
                    const QString& compiledFile);

    TWorkspace& Workspace;
    TErrorList& Errors;
    datei::TWarmCompiler Warm;
    doscall::TCancel CompileCancel;
    bool Compiling = false; // a compile runs; no second one starts
    bool CloseWhenDone = false;
};
