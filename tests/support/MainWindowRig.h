// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real main window, shown and active, over a settings record of its own
// and fresh settings, with scripted answers to every question; the base of
// the main-window tests. Tests reach commands and controls by their names
// and use them as a user would.
#include "ColMemo/ColorMemo.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "ScriptedPrompts.h"
#include "TestSettings.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <memory>

class MainWindowRig : public QObject {
protected:
    TInisRecord inis;
    TScriptedPrompts prompts;
    std::unique_ptr<TMainForm> form;

    // Call from init(): a fresh window over the settings file given (none: a first start).
    bool StartMainWindow(const QByteArray& settingsFile = {}) {
        UseThrowAwayConfig();
        QApplication::setQuitOnLastWindowClosed(false);
        form.reset();
        if (settingsFile.isEmpty())
            ClearSettings();
        else if (!WriteSettingsFile(settingsFile))
            return false;
        prompts = TScriptedPrompts();
        inis = TInisRecord();
        form = std::make_unique<TMainForm>(inis, prompts);
        form->show();
        return QTest::qWaitForWindowActive(form.get());
    }

    // The window as the user sees it: the event loop has finished its pass, so the caret
    // status and the command states have caught up with the editor.
    static void CatchUp() { QCoreApplication::processEvents(); }

    template <typename T = QWidget> T* Control(const QString& name) const {
        return form->findChild<T*>(name);
    }
    QAction* Action(const QString& name) const {
        CatchUp();
        return Control<QAction>(name);
    }
    QMenu* Menu(const QString& name) const { return Control<QMenu>(name); }
    QTabWidget* Pages() const { return Control<QTabWidget>(QStringLiteral("PC_Edit")); }
    QString TabText(int slot) const { return Pages()->tabText(slot - 1); }
    // A tab's caption as the user reads it: a single '&' marks a mnemonic
    // and does not show, "&&" shows one '&'.
    QString ShownTabText(int slot) const {
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(Pages()->tabBar());
        return bar->child(slot - 1)->text(QAccessible::Name);
    }
    // The text of status bar panel 0 (caret), 1 (modified) or 2 (progress).
    QString Status(int panel) const {
        CatchUp();
        return Control<QLabel>(QStringLiteral("StatusPanel%1").arg(panel))->text();
    }

    // Triggers a command as the user would; a disabled one would do nothing.
    void Command(const QString& name) {
        QAction* action = Action(name);
        QVERIFY2(action, qPrintable(name));
        QVERIFY2(action->isEnabled(), qPrintable(name));
        action->trigger();
    }
    // Triggers a command whatever its enabled state, as a key that arrives
    // before the states are refreshed does.
    void ForceCommand(const QString& name) {
        QAction* action = Action(name);
        QVERIFY2(action, qPrintable(name));
        action->setEnabled(true);
        action->trigger();
    }
    // Opens the "&Bearbeiten" menu, which brings the command states up to date.
    void RefreshStates() { emit Menu(QStringLiteral("Bearbeiten1"))->aboutToShow(); }
    // The user picks the tab of `slot`.
    void ShowPage(int slot) { Pages()->setCurrentIndex(slot - 1); }

    // Takes a slot for `path` and fills its editor, as a document command would.
    TColorMemo* OpenDoc(const QString& text, const QString& path = TSlotDocument::NoName) {
        form->OpenSlot(path);
        TColorMemo* memo = form->CurrentMemo();
        memo->SetText(text);
        return memo;
    }
    TColorMemo* OpenFocusedDoc(const QString& text) {
        TColorMemo* memo = OpenDoc(text);
        memo->setFocus();
        QCoreApplication::processEvents();
        return memo;
    }
    // Types into the current editor as the user would (the change events run).
    void Type(const QString& text) { form->CurrentMemo()->ReplaceSelection(text); }

    // The answers to the next questions and file dialogs, replacing any left over.
    void Answer(std::initializer_list<TPrompts::Answer> answers) {
        prompts.Answers.clear();
        for (TPrompts::Answer answer : answers)
            prompts.Answers.enqueue(answer);
    }
    void ChooseFiles(std::initializer_list<QString> files) {
        prompts.Files.clear();
        for (const QString& file : files)
            prompts.Files.enqueue(file);
    }
    QStringList TextsOf(const QString& kind) const {
        QStringList texts;
        for (const TScriptedPrompts::Call& call : prompts.CallsOf(kind))
            texts << call.Text;
        return texts;
    }
};
