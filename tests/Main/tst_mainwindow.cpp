// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands: captions, shortcuts and first states as the
// user meets them, and the way shortcut keys are dispatched.
#include "ColMemo/ColorMemo.h"
#include "ColMemo/ColorRules.h"
#include "Main/MainForm.h"
#include "MainWindowRig.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

namespace {
// Records the key presses that reach a widget.
class KeyRecorder : public QObject {
public:
    QList<int> Keys;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            Keys.append(static_cast<QKeyEvent*>(event)->key());
        return false;
    }
};
} // namespace

class TestMainWindow : public MainWindowRig {
    Q_OBJECT

private slots:
    void init() { QVERIFY(StartMainWindow()); }
    void cleanup() { form.reset(); }

    void menu_items_have_their_captions_shortcuts_and_first_states_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");
        const struct {
            const char* name;
            const char* caption;
            const char* shortcut;
            bool enabled;
        } rows[] = {
            {"Neu1", "&Neu", "Ctrl+N", true},
            {"NeuApplet1", "Neues Applet", "Ctrl+T", true},
            {"NeuApplication1", "Neue &Application", "Ctrl+A", true},
            {"Oeffnen1", "Ö&ffnen...", "Ctrl+O", true},
            {"Speichern1", "&Speichern", "Ctrl+S", false},
            {"SpeichernUnter1", "Speichern &unter...", "", false},
            {"Schliessen1", "S&chließen", "Ctrl+W", false},
            {"AllesSchliessen1", "&Alles Schließen", "", false},
            {"Drucken1", "&Drucken", "Ctrl+P", false},
            {"Druckereinrichten1", "D&rucker einrichten ...", "", true},
            {"Beenden1", "&Beenden", "Alt+F4", true},
            {"Rueckgaengig1", "&Rückgängig", "Alt+Backspace", false},
            {"Ausschneiden1", "&Ausschneiden", "Ctrl+X", false},
            {"Kopieren1", "&Kopieren", "Ctrl+C", false},
            {"Einfuegen1", "&Einfügen", "Ctrl+V", false},
            {"Loeschen1", "&Löschen", "", false},
            {"Allesmarkieren1", "Alles &markieren", "Ctrl+A", true},
            {"Suchen1", "&Suchen...", "Ctrl+F", false},
            {"Ersetzen1", "E&rsetzen...", "Ctrl+R", false},
            {"Font1", "&Schriftarten...", "", true},
            {"Optionen1", "&Optionen", "", true},
            {"Compiler1", "&Compiler", "F8", false},
            {"Browser1", "&Appletviewer", "F9", false},
            {"Runner1", "A&pplication", "F10", false},
            {"Inhalt1", "In&halt", "F1", true},
            {"Info1", "&Info...", "", true},
            {"Rueckgaengig3", "&Rückgängig", "Alt+Backspace", true},
            {"Schliessen3", "S&chliessen", "Ctrl+W", true},
            {"SpeichernUnter3", "Speichern unter...", "", true},
            {"Compiler3", "Compiler", "F8", false},
            {"Browser3", "AppletViewer", "F9", false},
            {"Runner3", "Application", "F10", false},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name)
                << QString::fromLatin1(row.name) << QString::fromUtf8(row.caption)
                << QString::fromLatin1(row.shortcut) << row.enabled;
    }

    void menu_items_have_their_captions_shortcuts_and_first_states() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, enabled);
        QAction* action = Action(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), shortcut);
        QCOMPARE(action->isEnabled(), enabled);
    }

    void tool_bar_buttons_come_in_order_with_their_hints() {
        QStringList hints;
        QStringList enabled;
        for (QAction* action : Control<QToolBar>("ToolBar1")->actions()) {
            hints << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
            if (!action->isSeparator() && action->isEnabled())
                enabled << action->objectName();
            if (!action->isSeparator())
                QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
        }
        QCOMPARE(hints, (QStringList{"Neue Datei", "Datei öffnen", "Datei Speichern",
                                     "Datei drucken", "|", "Ausschneiden", "Kopieren", "Einfügen",
                                     "Suchen", "Ersetzen", "|", "Compilieren", "Applet starten",
                                     "Applikation starten", "|", "Hilfe zum Programm"}));
        QCOMPARE(enabled, (QStringList{"Neu2", "Oeffnen2", "Hilfe2"}));
    }

    void recent_file_items_and_their_separator_start_hidden() {
        QVERIFY(!Action(QStringLiteral("N1"))->isVisible());
        for (const char* name : {"F1", "F2", "F3", "F4", "F5"})
            QVERIFY(!Action(QString::fromLatin1(name))->isVisible());
    }

    void ctrl_a_in_an_editor_selects_all_text() {
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("int a;\r\nint b;"));
        memo->SetSelStart(3);
        QSignalSpy newApplication(Action("NeuApplication1"), &QAction::triggered);
        QSignalSpy selectAll(Action("Allesmarkieren3"), &QAction::triggered);
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(selectAll.size(), 1);
        QCOMPARE(newApplication.size(), 0);
        QCOMPARE(memo->SelStart(), 0);
        QCOMPARE(memo->SelLength(), memo->TextLength());
    }

    void ctrl_a_outside_an_editor_creates_an_application() {
        QSignalSpy newApplication(Action("NeuApplication1"), &QAction::triggered);
        QSignalSpy selectAll(Action("Allesmarkieren1"), &QAction::triggered);
        QTest::keyClick(form.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(newApplication.size(), 1);
        QCOMPARE(selectAll.size(), 0);
    }

    void function_keys_in_an_editor_reach_the_popup_items() {
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("class A {}"));
        QSignalSpy popupCompile(Action("Compiler3"), &QAction::triggered);
        QSignalSpy menuCompile(Action("Compiler1"), &QAction::triggered);
        QTest::keyClick(memo, Qt::Key_F8);
        QCOMPARE(popupCompile.size(), 1);
        QCOMPARE(menuCompile.size(), 0);
    }

    void a_disabled_item_swallows_its_key() {
        // An empty editor: the opening handler disables the compile item, and
        // F8 must neither trigger it nor reach the editor.
        TColorMemo* memo = OpenFocusedDoc(QString());
        KeyRecorder recorder;
        memo->installEventFilter(&recorder);
        QSignalSpy popupCompile(Action("Compiler3"), &QAction::triggered);
        QTest::keyClick(memo, Qt::Key_F8);
        QCOMPARE(popupCompile.size(), 0);
        QVERIFY(!Action("Compiler3")->isEnabled());
        QVERIFY(!recorder.Keys.contains(Qt::Key_F8));
        // A key no menu carries goes on to the editor.
        QTest::keyClick(memo, Qt::Key_Q);
        QVERIFY(recorder.Keys.contains(Qt::Key_Q));
        QCOMPARE(memo->Text(), QStringLiteral("q"));
    }

    void the_menu_opening_handler_runs_before_the_item_is_considered() {
        // Find was left disabled by the last state update; the opening handler
        // of "&Bearbeiten" sees the text and enables it before the key is judged.
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("x"));
        memo->clearFocus();
        Action("Suchen1")->setEnabled(false);
        QSignalSpy find(Action("Suchen1"), &QAction::triggered);
        QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(find.size(), 1);
    }

    void every_editor_colours_java_with_a_copy_of_the_first_editors_rules() {
        for (int n = 1; n <= 5; ++n) {
            colmemo::TDrawRules& rules = form->SlotMemo(n)->ColorRules();
            QCOMPARE(rules.Count(), 4);
            QCOMPARE(rules.Items(0).KeyMaxHeight, 20);
            QCOMPARE(rules.Items(2).Keywords().size(), size_t(48));
            if (n > 1) // a copy of its own, not the first editor's collection
                QVERIFY(&rules != &form->SlotMemo(1)->ColorRules());
        }
        // A copy, not a share: changing the first editor's rules leaves the others alone.
        form->SlotMemo(1)->ColorRules().Items(2).Enabled = false;
        QVERIFY(form->SlotMemo(3)->ColorRules().Items(2).Enabled);
    }

    void the_editor_of_a_new_or_chosen_page_takes_the_keyboard() {
        Action("Neu1")->trigger();
        Action("Neu1")->trigger();
        QCOMPARE(QApplication::focusWidget(), form->SlotMemo(2));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
        QCOMPARE(form->SlotMemo(2)->Text(), QStringLiteral("ab"));
        // The user picks the first page: typing goes there.
        Pages()->setCurrentIndex(0);
        QCOMPARE(QApplication::focusWidget(), form->SlotMemo(1));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("c"));
        QCOMPARE(form->SlotMemo(1)->Text(), QStringLiteral("c"));
        // Closing a page hands the keyboard to the page shown next.
        Pages()->setCurrentIndex(1);
        QCOMPARE(QApplication::focusWidget(), form->SlotMemo(2));
        prompts.Answers.enqueue(TPrompts::Answer::No);
        Action("Schliessen1")->trigger();
        QCOMPARE(form->LastSlot(), 0);
        QCOMPARE(QApplication::focusWidget(), form->SlotMemo(1));
    }

    void the_caret_position_follows_arrow_keys_at_once() {
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("ab\r\ncd\r\nef"));
        memo->SetSelStart(0);
        QTest::keyClick(memo, Qt::Key_Down);
        QCOMPARE(Status(0), QStringLiteral("  2:   1"));
        QTest::keyClick(memo, Qt::Key_End);
        QCOMPARE(Status(0), QStringLiteral("  2:   3"));
    }

    void closing_the_last_document_disables_what_acted_on_it() {
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("class A {}"));
        memo->SetSelection(0, 5);
        RefreshStates();
        QVERIFY(Action("Speichern2")->isEnabled());
        QVERIFY(Action("Kopieren2")->isEnabled());
        Action("Schliessen1")->trigger();
        QCOMPARE(form->LastSlot(), -1);
        for (QAction* action :
             {Action("Speichern1"), Action("Speichern2"), Action("Kopieren2"), Action("Compiler2"),
              Action("Schliessen1"), Action("AllesSchliessen1")})
            QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
        QCOMPARE(Status(0), QString());
        QCOMPARE(Status(1), QString());
    }

    void while_no_page_is_open_the_empty_area_says_what_to_do() {
        auto* hint = Control<QLabel>(QStringLiteral("EmptyHint"));
        QVERIFY(hint->isVisible());
        QVERIFY(!Pages()->isVisible());
        QVERIFY(hint->text().contains(QStringLiteral("Neue Application")));
        QVERIFY(hint->text().contains(QStringLiteral("Öffnen")));
        QVERIFY(!hint->accessibleName().isEmpty());
        Command("Neu1");
        QVERIFY(!hint->isVisible());
        QVERIFY(Pages()->isVisible());
        Command("Schliessen1");
        QVERIFY(hint->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
