// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirList/JdkFinder.h"
#include "Main/Inis.h"

#include <QStringList>
#include <memory>

class TPrompts;
class TMainForm;
class TInfoForm;
class THilfeForm;
class TOptionForm;
class TDirListForm;

// Every window of the program, created in the order the start-up needs:
// main window, about box, help window, options dialog, directory chooser;
// and the settings record they share, which lives as long as they do. Right
// after the settings are read the user is told what they could not read;
// once all windows exist the options dialog's path fields are filled, the
// file named on the command line is opened, and what a run that did not end
// normally left is offered.
struct TKodiwerkWindows {
    // `findJdks` looks for the machine's Java installations, for a start
    // with no JDK set and for the chooser; empty: the machine's own search.
    TKodiwerkWindows(TPrompts& prompts, const QStringList& arguments,
                     dirlist::TJdkLookup findJdks = {});
    ~TKodiwerkWindows();

    TInisRecord Inis;
    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TInfoForm> InfoForm;
    std::unique_ptr<THilfeForm> HilfeForm;
    std::unique_ptr<TOptionForm> OptionForm;
    std::unique_ptr<TDirListForm> DirListForm;
    // What the status bar says after a start that found no JDK set and took
    // the newest one of the machine ("JDK gefunden: ..."); empty otherwise.
    QString JdkNote;
};
