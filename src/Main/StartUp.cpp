#include "Main/StartUp.h"

#include "DirList/DirListForm.h"
#include "Hilfe/HilfeForm.h"
#include "Info/InfoForm.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Option/OptionForm.h"

TKodiwerkWindows::TKodiwerkWindows(TPrompts& prompts, const QStringList& arguments) {
    MainForm = std::make_unique<TMainForm>(Inis, prompts, arguments);
    TMainForm* main = MainForm.get();
    InfoForm = std::make_unique<TInfoForm>(main);
    HilfeForm = std::make_unique<THilfeForm>();
    OptionForm = std::make_unique<TOptionForm>(Inis, prompts, main);
    main->SetDialogs([this, &prompts] { return prompts.ShowModal(OptionForm.get()); },
                     [this, &prompts] { prompts.ShowModal(InfoForm.get()); });
    main->SetPrintOptions(OptionForm.get());
    // Only now that every window exists may the command-line file be opened.
    DirListForm = std::make_unique<TDirListForm>(
        *OptionForm, [main] { main->OpenCommandLineFile(); }, main);
}

// The dialogs are children of the main window: release them before it goes.
TKodiwerkWindows::~TKodiwerkWindows() {
    DirListForm.reset();
    OptionForm.reset();
    HilfeForm.reset();
    InfoForm.reset();
    MainForm.reset();
}
