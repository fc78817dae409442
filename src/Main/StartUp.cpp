#include "Main/StartUp.h"

#include "DirList/DirListForm.h"
#include "Hilfe/HilfeForm.h"
#include "Info/InfoForm.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Option/OptionForm.h"

TKodiwerkWindows::TKodiwerkWindows(Prompts& prompts, const QStringList& arguments) {
    MainForm = std::make_unique<TMainForm>(prompts, arguments);
    InfoForm = std::make_unique<TInfoForm>(MainForm.get());
    HilfeForm = std::make_unique<THilfeForm>();
    OptionForm = std::make_unique<TOptionForm>(TInis, prompts, MainForm.get());
    TMainForm* main = MainForm.get();
    OptionForm->ApplyTabStops = [main] { main->ApplyTabStops(); };
    OptionForm->SetOpenDialogDir = [main](const QString& dir) { main->OpenDialogInitialDir = dir; };
    main->ShowOptions = [this, &prompts] { prompts.ShowModal(OptionForm.get()); };
    main->ShowInfo = [this, &prompts] { prompts.ShowModal(InfoForm.get()); };
    // Only now that every window exists may the command-line file be opened.
    DirListForm = std::make_unique<TDirListForm>(
        *OptionForm, [main] { main->Guard([main] { main->OpenCommandLineFile(); }); },
        MainForm.get());
}

// The dialogs are children of the main window: release them before it goes.
TKodiwerkWindows::~TKodiwerkWindows() {
    DirListForm.reset();
    OptionForm.reset();
    HilfeForm.reset();
    InfoForm.reset();
    MainForm.reset();
}
