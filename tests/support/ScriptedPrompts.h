// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Prompts for tests: answers are queued in advance, every call is recorded.
// A call with nothing queued answers like a user who cancels, and is recorded,
// so a test sees questions it did not expect.
#include "Main/Prompts.h"

#include <QDialog>
#include <QQueue>
#include <QStringList>
#include <functional>

class TScriptedPrompts : public TPrompts {
public:
    struct Call {
        // "ask", "message", "error", "open", "save", "font", "printer", "setup", "modal",
        // "yesno"
        QString Kind;
        QString Text;    // message text, the dialog's proposed name, a font's family
        QString Caption; // error caption, or the dialog's initial directory
        TFileDialogRequest Request = {};
        QFont Font = {}; // the font a font dialog was shown
    };

    QQueue<Answer> Answers;
    QQueue<QString> Files; // for open and save dialogs; "" = cancel
    QQueue<std::optional<QFont>> Fonts;
    // When set, answers the font dialogs instead of Fonts, given the font shown.
    std::function<std::optional<QFont>(const QFont&)> OnFont;
    QQueue<bool> PrinterAnswers;
    // Runs while a question is "shown", before it is answered.
    std::function<void()> OnAsk;
    // Runs while a dialog of ours is "shown"; returns its result code.
    std::function<int(QDialog*)> OnModal;
    QList<Call> Calls;

    Answer AskYesNoCancel(QWidget*, const QString& text) override {
        Calls.append({QStringLiteral("ask"), text, {}});
        if (OnAsk)
            OnAsk();
        return Answers.isEmpty() ? Answer::Cancel : Answers.dequeue();
    }
    void Message(QWidget*, const QString& text) override {
        Calls.append({QStringLiteral("message"), text, {}});
    }
    void Error(QWidget*, const QString& text, const QString& caption) override {
        Calls.append({QStringLiteral("error"), text, caption});
    }
    QString ChooseOpenFile(QWidget*, const TFileDialogRequest& request) override {
        Calls.append({QStringLiteral("open"), request.ProposedName, request.InitialDir, request});
        return Files.isEmpty() ? QString() : Files.dequeue();
    }
    QString ChooseSaveFile(QWidget*, const TFileDialogRequest& request) override {
        Calls.append({QStringLiteral("save"), request.ProposedName, request.InitialDir, request});
        return Files.isEmpty() ? QString() : Files.dequeue();
    }
    std::optional<QFont> ChooseFont(QWidget*, const QFont& initial) override {
        Calls.append({QStringLiteral("font"), initial.family(), {}, {}, initial});
        if (OnFont)
            return OnFont(initial);
        return Fonts.isEmpty() ? std::nullopt : Fonts.dequeue();
    }
    bool ChoosePrinter(QWidget*, QPrinter*) override {
        Calls.append({QStringLiteral("printer"), {}, {}});
        return !PrinterAnswers.isEmpty() && PrinterAnswers.dequeue();
    }
    bool SetupPrinter(QWidget*, QPrinter*) override {
        Calls.append({QStringLiteral("setup"), {}, {}});
        return !PrinterAnswers.isEmpty() && PrinterAnswers.dequeue();
    }
    int ShowModal(QDialog* dialog) override {
        Calls.append({QStringLiteral("modal"), dialog->objectName(), {}});
        return OnModal ? OnModal(dialog) : int(QDialog::Rejected);
    }

    // The calls of one kind, in order.
    QList<Call> CallsOf(const QString& kind) const {
        QList<Call> result;
        for (const Call& call : Calls)
            if (call.Kind == kind)
                result.append(call);
        return result;
    }

    // Takes its answer from Answers too; with none queued the answer is Nein.
    bool AskYesNo(QWidget*, const QString& text) override {
        Calls.append({QStringLiteral("yesno"), text, {}});
        if (OnAsk)
            OnAsk();
        return !Answers.isEmpty() && Answers.dequeue() == Answer::Yes;
    }
};
