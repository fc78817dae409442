// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/PrintAndHelp.h"

#include "ColMemo/ColorMemo.h"
#include "Datei/PrintFile.h"
#include "Datei/PrintLines.h"
#include "Main/Inis.h"
#include "Main/Prompts.h"
#include "Main/SlotDocument.h"
#include "Main/Workspace.h"
#include "Option/OptionForm.h"
#include "Print/PrinterChannel.h"

#include <QPrinter>

TPrintAndHelp::TPrintAndHelp(TWorkspace& workspace) : Workspace(workspace) {}

TPrintAndHelp::~TPrintAndHelp() = default;

QPrinter& TPrintAndHelp::ThePrinter() {
    if (!Printer)
        Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *Printer;
}

void TPrintAndHelp::Drucken1Click() {
    // With no slot in use the hidden editor still holds a closed document's
    // text, which must not be printed.
    if (!Workspace.AnySlotInUse() || !PrintOptions)
        return;
    const TPrintChoice choice = PrintOptions->PrintChoice();
    const datei::TPrintOptions options{datei::PrintMargin(choice.LeftMargin),
                                       [numbers = choice.LineNumbers] { return numbers; }};
    const QStringList lines = Workspace.CurrentMemo()->Lines();
    QWidget* window = Workspace.Window();
    if (choice.IntoFile) {
        const QString path = Workspace.Ask().ChooseSaveFile(window, choice.SaveDialog);
        if (!path.isEmpty())
            datei::PrintToFile(path, lines, Workspace.CurrentDocument().Encoding, options);
        return;
    }
    if (!Workspace.Ask().ChoosePrinter(window, &ThePrinter()))
        return;
    TPrinterChannel printer(ThePrinter());
    datei::PrintLines(lines, options, printer);
}

void TPrintAndHelp::Druckereinrichten1Click() {
    Workspace.Ask().SetupPrinter(Workspace.Window(), &ThePrinter());
}

void TPrintAndHelp::Inhalt1Click() {
    THelpPlatform desktop = HelpDesktop;
    desktop.Message = [this](const QString& text) {
        Workspace.Ask().Message(Workspace.Window(), text);
    };
    hilfe::OpenHelpFile(Workspace.SettingsRecord().HilfeDir, desktop);
}

void TPrintAndHelp::Info1Click() {
    if (ShowInfo)
        ShowInfo();
}
