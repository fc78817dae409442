// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Hilfe/HelpOpener.h"

#include <functional>
#include <memory>

class QPrinter;
class TOptionForm;
class TWorkspace;

// Printing the current document into a text file or onto a printer, the
// printer set-up, the help file and the about box. One printer serves the
// whole run, so the printer set-up holds for later jobs.
class TPrintAndHelp {
public:
    explicit TPrintAndHelp(TWorkspace& workspace);
    ~TPrintAndHelp();

    // The options dialog, whose print page the print command reads when it prints.
    void SetPrintOptions(TOptionForm* options) { PrintOptions = options; }
    // Where F1 hands the help file; the real desktop unless a test puts in its own.
    void SetHelpDesktop(THelpPlatform desktop) { HelpDesktop = std::move(desktop); }
    void SetShowInfo(std::function<void()> showInfo) { ShowInfo = std::move(showInfo); }

    void Drucken1Click();
    void Druckereinrichten1Click();
    void Inhalt1Click();
    void Info1Click();

private:
    QPrinter& ThePrinter();

    TWorkspace& Workspace;
    TOptionForm* PrintOptions = nullptr;
    THelpPlatform HelpDesktop = THelpPlatform::Desktop();
    std::function<void()> ShowInfo;
    std::unique_ptr<QPrinter> Printer;
};
