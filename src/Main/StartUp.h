#pragma once

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
// and the settings record they share, which lives as long as they do.
struct TKodiwerkWindows {
    TKodiwerkWindows(TPrompts& prompts, const QStringList& arguments);
    ~TKodiwerkWindows();

    TInisRecord Inis;
    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TInfoForm> InfoForm;
    std::unique_ptr<THilfeForm> HilfeForm;
    std::unique_ptr<TOptionForm> OptionForm;
    std::unique_ptr<TDirListForm> DirListForm;
};
