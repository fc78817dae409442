#pragma once

// The real main window, shown and active, with scripted answers to every
// question and settings of its own; the base of the main-window tests.
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"
#include "ScriptedPrompts.h"
#include "TestSettings.h"

#include <QAction>
#include <QApplication>
#include <QtTest>
#include <memory>

class MainWindowRig : public QObject {
protected:
    ScriptedPrompts prompts;
    std::unique_ptr<TMainForm> form;

    // Call from init(): a fresh window over fresh settings.
    bool StartMainWindow() {
        UseThrowAwayConfig();
        QApplication::setQuitOnLastWindowClosed(false);
        ClearSettings();
        prompts = ScriptedPrompts();
        form = std::make_unique<TMainForm>(prompts);
        form->show();
        return QTest::qWaitForWindowActive(form.get());
    }

    QAction* Action(const QString& name) const { return form->findChild<QAction*>(name); }

    // Takes a slot for `path` and fills its editor, as a document command would.
    TColorMemo* OpenDoc(const QString& text, const QString& path = TMainForm::NoName) {
        form->OpenSlot(path);
        TColorMemo* memo = form->CurrentMemo();
        memo->SetText(text);
        return memo;
    }
};
