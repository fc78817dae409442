// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog from the real main window, wired by the start-up:
// Bearbeiten > Optionen, a new tab width, OK; the open editors take it, and
// the open dialog starts in the new project directory.
#include "ColMemo/ColorMemo.h"
#include "Main/EditLogic.h"
#include "Main/MainForm.h"
#include "Main/StartUp.h"
#include "ScriptedPrompts.h"
#include "TestSettings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestOptionsInMain : public QObject {
    Q_OBJECT

    TScriptedPrompts prompts;
    std::unique_ptr<TKodiwerkWindows> windows;

    void Trigger(const char* name) {
        auto* action = windows->MainForm->findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(action && action->isEnabled(), name);
        action->trigger();
    }
    TColorMemo* Memo(int n) const { return windows->MainForm->SlotMemo(n); }
    static QLineEdit* Field(QDialog* dialog, const char* name) {
        return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static void Click(QDialog* dialog, const char* name) {
        QTest::mouseClick(dialog->findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    static double StopsFor(int tabs) {
        return mainform::TabStopDistance(tabs,
                                         QFontMetrics(QApplication::font()).averageCharWidth());
    }

private slots:
    void init() {
        UseThrowAwayConfig();
        QApplication::setQuitOnLastWindowClosed(false);
        ClearSettings();
        prompts = TScriptedPrompts();
        windows = std::make_unique<TKodiwerkWindows>(prompts, QStringList());
        windows->MainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(windows->MainForm.get()));
    }
    void cleanup() { windows.reset(); }

    void ok_in_the_options_dialog_reaches_the_open_editors_and_the_open_dialog() {
        Trigger("Neu1");
        Trigger("Neu1");
        QCOMPARE(Memo(1)->tabStopDistance(), StopsFor(2));
        QTemporaryDir project;
        prompts.OnModal = [&](QDialog* dialog) {
            dialog->show();
            Field(dialog, "E_Tabs")->setText(QStringLiteral("8"));
            Field(dialog, "E_ProjektDir")->setText(project.path());
            Click(dialog, "B_OK");
            return dialog->result();
        };
        Trigger("Optionen1");

        QCOMPARE(prompts.CallsOf("modal").size(), 1);
        QCOMPARE(prompts.CallsOf("modal")[0].Text, QStringLiteral("OptionForm"));
        QCOMPARE(windows->Inis.Tabs, 8);
        QVERIFY(StopsFor(8) != StopsFor(2));
        QCOMPARE(Memo(1)->tabStopDistance(), StopsFor(8));
        QCOMPARE(Memo(2)->tabStopDistance(), StopsFor(8));

        Trigger("Oeffnen1"); // cancelled: no file queued
        QCOMPARE(prompts.CallsOf("open").size(), 1);
        QCOMPARE(prompts.CallsOf("open")[0].Request.InitialDir, project.path());
    }

    void the_line_numbers_follow_the_editor_page_and_are_remembered() {
        Trigger("Neu1");
        // On at a first start, in every editor.
        QVERIFY(Memo(1)->LineNumbers());
        QVERIFY(Memo(1)->GutterWidth() > 0);
        const int caret = Memo(1)->CaretLine();
        prompts.OnModal = [&](QDialog* dialog) {
            dialog->show();
            auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("CB_Zeilennummern"));
            box->setChecked(false);
            Click(dialog, "B_OK");
            return dialog->result();
        };
        Trigger("Optionen1");
        QVERIFY(!Memo(1)->LineNumbers());
        QCOMPARE(Memo(1)->GutterWidth(), 0);
        QCOMPARE(Memo(1)->CaretLine(), caret);

        // Remembered for the next start.
        windows->MainForm->close();
        windows.reset();
        windows = std::make_unique<TKodiwerkWindows>(prompts, QStringList());
        QVERIFY(!windows->Inis.LineNumbers);
        QVERIFY(!Memo(1)->LineNumbers());
    }

    // OK stops at an applet width that is no number after the tab width is
    // stored; the user then leaves with Abbruch. The editors follow the width
    // that is stored, and the open dialog keeps its directory.
    void a_stopped_ok_left_with_abbruch_still_brings_the_stored_tab_width_into_effect() {
        Trigger("Neu1");
        QTemporaryDir project;
        prompts.OnModal = [&](QDialog* dialog) {
            dialog->show();
            Field(dialog, "E_Tabs")->setText(QStringLiteral("8"));
            Field(dialog, "E_AppX")->clear();
            Field(dialog, "E_ProjektDir")->setText(project.path());
            Click(dialog, "B_OK");
            Click(dialog, "B_Cancel");
            return dialog->result();
        };
        Trigger("Optionen1");

        QCOMPARE(prompts.CallsOf("error").size(), 1);
        QCOMPARE(windows->Inis.Tabs, 8);
        QCOMPARE(Memo(1)->tabStopDistance(), StopsFor(8));
        Trigger("Oeffnen1");
        QCOMPARE(prompts.CallsOf("open").size(), 1);
        QVERIFY(prompts.CallsOf("open")[0].Request.InitialDir != project.path());
    }
};

QTEST_MAIN(TestOptionsInMain)
#include "tst_optionsinmain.moc"
