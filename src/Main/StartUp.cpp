// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/StartUp.h"

#include "DirList/DirListForm.h"
#include "Hilfe/HilfeForm.h"
#include "Info/InfoForm.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Option/OptionForm.h"

namespace {

// With no JDK set, the newest one of the machine is taken as if the user had
// chosen it in the options: a first start can compile at once. The note for
// the status bar, or "" when a JDK was set or none was found.
QString TakeNewestJdk(TInisRecord& inis, const dirlist::TJdkLookup& findJdks) {
    if (!inis.JdkDir.isEmpty())
        return {};
    const std::optional<dirlist::TFoundJdk> jdk = dirlist::NewestCompilerJdk(findJdks());
    if (!jdk)
        return {};
    inis.JdkDir = dirlist::JdkDirSetting(*jdk);
    return dirlist::JdkTakenText(*jdk);
}

} // namespace

TKodiwerkWindows::TKodiwerkWindows(TPrompts& prompts, const QStringList& arguments,
                                   dirlist::TJdkLookup findJdks) {
    if (!findJdks)
        findJdks = dirlist::MachineJdks;
    MainForm = std::make_unique<TMainForm>(Inis, prompts, arguments);
    TMainForm* main = MainForm.get();
    if (!Inis.UnreadableNote.isEmpty())
        prompts.Message(main, Inis.UnreadableNote);
    JdkNote = TakeNewestJdk(Inis, findJdks);
    if (!JdkNote.isEmpty())
        main->ShowNote(JdkNote);
    InfoForm = std::make_unique<TInfoForm>(main);
    HilfeForm = std::make_unique<THilfeForm>();
    OptionForm = std::make_unique<TOptionForm>(Inis, prompts, main);
    main->SetDialogs([this, &prompts] { return prompts.ShowModal(OptionForm.get()); },
                     [this, &prompts] { prompts.ShowModal(InfoForm.get()); });
    main->SetPrintOptions(OptionForm.get());
    DirListForm = std::make_unique<TDirListForm>(prompts, main);
    DirListForm->FindJdks = findJdks;
    OptionForm->ChooseDirectory = [this](const QString& startDir, dirlist::TDirField field) {
        return DirListForm->Choose(startDir, field);
    };
    // Only now that every window exists may the command-line file be opened.
    OptionForm->LoadPathFields();
    main->OpenCommandLineFile();
    // What is left from a crash takes the slots the command line left free.
    main->OfferRecovery();
    // In the background, so the first F8 finds the compiler ready.
    main->WarmUpCompiler();
}

// The dialogs are children of the main window: release them before it goes.
TKodiwerkWindows::~TKodiwerkWindows() {
    DirListForm.reset();
    OptionForm.reset();
    HilfeForm.reset();
    InfoForm.reset();
    MainForm.reset();
}
