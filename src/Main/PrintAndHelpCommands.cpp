// Printing the current document into a text file or onto a printer, the
// printer set-up, the help file and the about box.
#include "ColMemo/ColorMemo.h"
#include "Datei/PrintFile.h"
#include "Datei/PrintLines.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Option/OptionForm.h"
#include "Print/PrinterChannel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPrinter>

QPrinter& TMainForm::ThePrinter() {
    if (!Printer)
        Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *Printer;
}

void TMainForm::Drucken1Click() {
    // With no slot in use the hidden editor still holds a closed document's
    // text, which must not be printed.
    if (!AnySlotInUse() || !PrintOptions)
        return;
    const QCheckBox* numbers = PrintOptions->CB_ZeilenNr();
    const datei::TPrintOptions options{datei::PrintMargin(PrintOptions->E_LinkerRand()->text()),
                                       [numbers] { return numbers->isChecked(); }};
    const QStringList lines = CurrentMemo()->Lines();
    if (PrintOptions->CB_DateiDruck()->isChecked()) {
        const QString path = Ask.ChooseSaveFile(this, PrintOptions->SaveDialog_Druck());
        if (!path.isEmpty())
            datei::PrintToFile(path, lines, CurrentDocument().Encoding, options);
        return;
    }
    if (!Ask.ChoosePrinter(this, &ThePrinter()))
        return;
    TPrinterChannel printer(ThePrinter());
    datei::PrintLines(lines, options, printer);
}

void TMainForm::Druckereinrichten1Click() {
    Ask.SetupPrinter(this, &ThePrinter());
}

void TMainForm::Inhalt1Click() {
    THelpPlatform desktop = HelpDesktop;
    desktop.Message = [this](const QString& text) { Ask.Message(this, text); };
    OpenHelpFile(Inis.HilfeDir, desktop);
}

void TMainForm::Info1Click() {
    if (ShowInfo)
        ShowInfo();
}
