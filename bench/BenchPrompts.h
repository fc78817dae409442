// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Prompts for the benchmarks: every open dialog gets the file given last,
// every other dialog is cancelled, and a message is unexpected (it would
// spoil the timing), so it is reported on standard error.
#include "Main/Prompts.h"

#include <QFont>
#include <cstdio>
#include <optional>

class TBenchPrompts : public TPrompts {
public:
    QString OpenFile;
    // Whether a save question may come (it is answered "no"); otherwise it
    // is reported and cancelled.
    bool QuestionsExpected = true;

    Answer AskYesNoCancel(QWidget*, const QString& text) override {
        if (QuestionsExpected)
            return Answer::No;
        Complain(text);
        return Answer::Cancel;
    }
    bool AskYesNo(QWidget*, const QString& text) override {
        if (!QuestionsExpected)
            Complain(text);
        return false;
    }
    void Message(QWidget*, const QString& text) override { Complain(text); }
    void Error(QWidget*, const QString& text, const QString&) override { Complain(text); }
    QString ChooseOpenFile(QWidget*, const TFileDialogRequest&) override { return OpenFile; }
    QString ChooseSaveFile(QWidget*, const TFileDialogRequest&) override { return {}; }
    std::optional<QFont> ChooseFont(QWidget*, const QFont&) override { return std::nullopt; }
    bool ChoosePrinter(QWidget*, QPrinter*) override { return false; }
    bool SetupPrinter(QWidget*, QPrinter*) override { return false; }
    int ShowModal(QDialog*) override { return 0; }

private:
    static void Complain(const QString& text) {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
};
