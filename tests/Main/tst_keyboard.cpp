// SPDX-License-Identifier: GPL-3.0-or-later
// The shortcuts a user presses most, typed into whatever has the keyboard
// focus, and what the window looks like after each.
#include "MainWindowRig.h"
#include "PaintCounter.h"

#include <QClipboard>

namespace {
// Records the key presses that reach a widget, the modifier keys' own left out.
class KeyRecorder : public QObject {
public:
    QList<int> Keys;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Control && key != Qt::Key_Shift && key != Qt::Key_Alt)
            Keys.append(key);
        return false;
    }
};
} // namespace

class TestKeyboard : public MainWindowRig {
    Q_OBJECT

    // A key as the user presses it: it goes to the focus widget.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), key, modifiers);
    }
    void TypeKeys(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }

private slots:
    void init() {
        QApplication::clipboard()->clear();
        QVERIFY(StartMainWindow());
    }
    void cleanup() { form.reset(); }

    void a_cancelled_exit_leaves_the_kept_document_ready_to_save() {
        Press(Qt::Key_N, Qt::ControlModifier);
        TypeKeys(QStringLiteral("int x;"));
        Press(Qt::Key_N, Qt::ControlModifier);
        Answer({TPrompts::Answer::Cancel});
        Press(Qt::Key_F4, Qt::AltModifier);
        // The empty second document closed without a question; the first one asked.
        QCOMPARE(TextsOf(QStringLiteral("ask")),
                 QStringList{QStringLiteral("Änderungen speichern in noname.java?")});
        QVERIFY(form->isVisible());
        QCOMPARE(form->LastSlot(), 0);
        QCOMPARE(Status(1), QStringLiteral("Geändert"));
        QCOMPARE(Status(0), QStringLiteral("  1:   7"));
        QVERIFY(Action(QStringLiteral("Speichern1"))->isEnabled());
        QVERIFY(Action(QStringLiteral("Speichern2"))->isEnabled());
        Press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(prompts.CallsOf(QStringLiteral("save")).size(), 1);
    }

    void ctrl_s_saves_and_ctrl_w_closes_after_asking() {
        Press(Qt::Key_N, Qt::ControlModifier);
        TypeKeys(QStringLiteral("x"));
        Press(Qt::Key_S, Qt::ControlModifier); // the name dialog is cancelled
        QCOMPARE(prompts.CallsOf(QStringLiteral("save")).size(), 1);
        Answer({TPrompts::Answer::No});
        Press(Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(TextsOf(QStringLiteral("ask")),
                 QStringList{QStringLiteral("Änderungen speichern in noname.java?")});
        QCOMPARE(form->LastSlot(), -1);
        // Nothing is open: Ctrl+S and Ctrl+W find nothing to act on.
        Press(Qt::Key_S, Qt::ControlModifier);
        Press(Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(prompts.Calls.size(), 2);
    }

    void alt_backspace_undoes_and_with_nothing_to_undo_types_nothing() {
        Press(Qt::Key_N, Qt::ControlModifier);
        TColorMemo* memo = form->CurrentMemo();
        Press(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(memo->Text(), QString());
        TypeKeys(QStringLiteral("ab"));
        while (memo->document()->isUndoAvailable())
            Press(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(memo->Text(), QString());
    }

    void clipboard_keys_act_on_the_selection_of_the_moment() {
        Press(Qt::Key_N, Qt::ControlModifier);
        TColorMemo* memo = form->CurrentMemo();
        TypeKeys(QStringLiteral("hello"));
        // Selected with the keyboard: the states were not recomputed, yet
        // the keys judge the selection as it is now.
        Press(Qt::Key_Home);
        for (int i = 0; i < 3; ++i)
            Press(Qt::Key_Right, Qt::ShiftModifier);
        Press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("hel"));
        Press(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(memo->Text(), QStringLiteral("lo"));
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(memo->Text(), QStringLiteral("hello"));
    }

    void clipboard_keys_do_nothing_while_their_commands_are_disabled() {
        Press(Qt::Key_N, Qt::ControlModifier);
        TColorMemo* memo = form->CurrentMemo();
        TypeKeys(QStringLiteral("hello"));
        KeyRecorder recorder;
        memo->installEventFilter(&recorder);
        // No selection: cut and copy are disabled; an empty clipboard: paste is.
        Press(Qt::Key_X, Qt::ControlModifier);
        Press(Qt::Key_C, Qt::ControlModifier);
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(memo->Text(), QStringLiteral("hello"));
        QCOMPARE(QApplication::clipboard()->text(), QString());
        // The disabled items took the keys: the editor never saw them.
        QCOMPARE(recorder.Keys, QList<int>());
        // With no document open, pasting reaches no hidden text either.
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        Answer({TPrompts::Answer::No});
        Press(Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(form->LastSlot(), -1);
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(memo->Text(), QStringLiteral("hello"));
    }

    void alt_with_a_letter_no_menu_takes_types_nothing() {
        Press(Qt::Key_N, Qt::ControlModifier);
        TColorMemo* memo = form->CurrentMemo();
        for (const Qt::Key key : {Qt::Key_Q, Qt::Key_N, Qt::Key_X, Qt::Key_1})
            Press(key, Qt::AltModifier);
        Press(Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(memo->Text(), QString());
        QCOMPARE(prompts.Calls.size(), 0);
        // A menu title's mnemonic still opens its menu.
        Press(Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), Menu(QStringLiteral("Datei1")));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(memo->Text(), QString());
    }

    void a_burst_of_keys_paints_the_status_bar_once_with_its_outcome() {
        Press(Qt::Key_N, Qt::ControlModifier);
        CatchUp();
        TPaintCounter caret;
        TPaintCounter marker;
        Control<QLabel>(QStringLiteral("StatusPanel0"))->installEventFilter(&caret);
        Control<QLabel>(QStringLiteral("StatusPanel1"))->installEventFilter(&marker);
        // Keys that arrive together are handled in one pass of the event loop.
        TypeKeys(QStringLiteral("int zahl = 4;"));
        Press(Qt::Key_Return);
        TypeKeys(QStringLiteral("zahl++;"));
        QCOMPARE(caret.Paints, 0);
        CatchUp();
        QCOMPARE(caret.Paints, 1);
        QCOMPARE(marker.Paints, 1);
        QCOMPARE(Status(0), QStringLiteral("  2:   8"));
        QCOMPARE(Status(1), QStringLiteral("Geändert"));
        QVERIFY(Action(QStringLiteral("Speichern2"))->isEnabled());
    }

    void alt_f4_with_nothing_open_closes_the_window() {
        Press(Qt::Key_F4, Qt::AltModifier);
        QVERIFY(!form->isVisible());
        QVERIFY(prompts.Calls.isEmpty());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
