// SPDX-License-Identifier: GPL-3.0-or-later
// Editing commands and status through the real main window: caret status,
// caption and command states, clipboard and undo, auto-indent, Ctrl+Y, tab
// stops and the font command.
#include "ColMemo/ColorMemo.h"
#include "Main/FindDialog.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/ReplaceDialog.h"
#include "MainWindowRig.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

class TestEditCommands : public MainWindowRig {
    Q_OBJECT

    QStringList Enabled(const QStringList& names) const {
        QStringList on;
        for (const QString& name : names)
            if (Action(name)->isEnabled())
                on << name;
        return on;
    }
    // Left edge of the character at `col` in the first line, in pixels.
    static qreal XOf(TColorMemo* memo, int col) {
        const QTextBlock block = memo->document()->firstBlock();
        memo->document()->documentLayout()->blockBoundingRect(block); // lays the block out
        return block.layout()->lineAt(0).cursorToX(col);
    }

    const QStringList textCommands{
        "Speichern1", "SpeichernUnter1", "Drucken1",   "Suchen1",   "Ersetzen1", "Compiler1",
        "Browser1",   "Runner1",         "Speichern2", "Drucken2",  "Suchen2",   "Ersetzen2",
        "Compiler2",  "Browser2",        "Runner2",    "Compiler3", "Browser3",  "Runner3"};
    const QStringList inUseCommands{"Schliessen1", "AllesSchliessen1", "Allesmarkieren1",
                                    "Schliessen3"};
    const QStringList selectionCommands{"Ausschneiden1", "Kopieren1", "Loeschen1",
                                        "Ausschneiden2", "Kopieren2", "Ausschneiden3",
                                        "Kopieren3",     "Loeschen3"};
    const QStringList pasteCommands{"Einfuegen1", "Einfuegen2", "Einfuegen3"};
    const QStringList undoCommands{"Rueckgaengig1", "Rueckgaengig3"};
    const QStringList neverDisabled{"Speichern3", "SpeichernUnter3", "Allesmarkieren3", "Neu1",
                                    "Oeffnen1",   "Font1",           "Optionen1",       "Info1"};

private slots:
    void init() {
        QApplication::clipboard()->clear();
        QVERIFY(StartMainWindow());
    }
    void cleanup() { form.reset(); }

    // ---- caret status ------------------------------------------------------

    void caret_status_shows_line_and_column_right_aligned_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("status");
        QTest::newRow("start") << 0 << 0 << "  1:   1";
        QTest::newRow("line 12, column 5") << 11 << 4 << " 12:   5";
        QTest::newRow("four-digit line widens") << 1233 << 4 << "1234:   5";
    }
    void caret_status_shows_line_and_column_right_aligned() {
        QFETCH(int, line);
        QFETCH(int, col);
        QFETCH(QString, status);
        QStringList lines;
        for (int i = 0; i < 1500; ++i)
            lines << QStringLiteral("line %1").arg(i);
        TColorMemo* memo = OpenDoc(lines.join(QStringLiteral("\r\n")));
        memo->SetCaretLine(line);
        memo->SetCaretCol(col);
        QCOMPARE(Status(0), status);
    }

    void caret_status_follows_a_mouse_click() {
        TColorMemo* memo = OpenDoc(QStringLiteral("ab\r\ncdef"));
        // Just right of the left edge of "f": the caret goes before it.
        const QPoint f = memo->PosFromChar(7) + QPoint(1, memo->fontMetrics().height() / 2);
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, f);
        QCOMPARE(memo->SelStart(), 7);
        QCOMPARE(Status(0), QStringLiteral("  2:   4"));
    }

    // ---- caption and command states -------------------------------------------

    void caption_reads_kodiwerk_until_the_first_update() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk"));
        QCOMPARE(Status(0), QString());
        QCOMPARE(Status(1), QString());
    }

    void new_empty_document_disables_text_commands() {
        OpenDoc(QString());
        RefreshStates();
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - noname.java"));
        QCOMPARE(Status(1), QString());
        QCOMPARE(Enabled(textCommands), QStringList());
        QCOMPARE(Enabled(inUseCommands), inUseCommands);
        QCOMPARE(Enabled(selectionCommands + pasteCommands + undoCommands), QStringList());
        QCOMPARE(Enabled(neverDisabled), neverDisabled);
    }

    void caption_names_the_file_with_its_extension() {
        OpenDoc(QStringLiteral("x"), QStringLiteral("/home/u/src/Hallo.java"));
        RefreshStates();
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - Hallo.java"));
    }

    void text_enables_the_text_commands_and_marks_the_change() {
        TColorMemo* memo = OpenFocusedDoc(QString());
        QTest::keyClicks(memo, QStringLiteral("int"));
        QCOMPARE(Enabled(textCommands), textCommands);
        QCOMPARE(Status(1), QStringLiteral("Geändert"));
        QCOMPARE(Enabled(undoCommands), undoCommands);
        QCOMPARE(Enabled(selectionCommands), QStringList());
    }

    void selection_enables_cut_copy_and_delete_when_the_menu_opens() {
        TColorMemo* memo = OpenDoc(QStringLiteral("hello world"));
        CatchUp();
        memo->SetSelection(0, 5);
        QCOMPARE(Enabled(selectionCommands), QStringList()); // not recomputed yet
        emit Menu("Bearbeiten1")->aboutToShow();
        QCOMPARE(Enabled(selectionCommands), selectionCommands);
        memo->SetSelStart(2);
        emit Menu("PopupMenu")->aboutToShow();
        QCOMPARE(Enabled(selectionCommands), QStringList());
    }

    void clipboard_text_enables_paste() {
        OpenDoc(QStringLiteral("x"));
        RefreshStates();
        QCOMPARE(Enabled(pasteCommands), QStringList());
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        RefreshStates();
        QCOMPARE(Enabled(pasteCommands), pasteCommands);
    }

    void no_slot_in_use_disables_every_document_command() {
        // The hidden first editor keeps the closed document's text and flag.
        TColorMemo* memo = OpenFocusedDoc(QString());
        QTest::keyClicks(memo, QStringLiteral("abc"));
        memo->SetSelection(0, 2);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        form->CloseCurrentSlot();
        QCOMPARE(form->LastSlot(), -1);
        RefreshStates();
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - noname.java"));
        QCOMPARE(Status(1), QString());
        QCOMPARE(Enabled(textCommands + inUseCommands + selectionCommands + pasteCommands +
                         undoCommands),
                 QStringList());
        QCOMPARE(Enabled(neverDisabled), neverDisabled);
    }

    void commands_refuse_to_act_without_a_slot_in_use() {
        TColorMemo* memo = OpenDoc(QStringLiteral("closed text"));
        form->CloseCurrentSlot();
        memo->SetSelection(0, 6);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        ForceCommand("Loeschen1");
        ForceCommand("Ausschneiden1");
        ForceCommand("Einfuegen1");
        ForceCommand("Allesmarkieren1");
        ForceCommand("Suchen1");
        ForceCommand("Ersetzen1");
        QCOMPARE(memo->Text(), QStringLiteral("closed text"));
        QCOMPARE(memo->SelLength(), 6);
        QVERIFY(!Control<QDialog>("FindDialog") || !Control<QDialog>("FindDialog")->isVisible());
        QVERIFY(!Control<QDialog>("ReplaceDialog") ||
                !Control<QDialog>("ReplaceDialog")->isVisible());
    }

    void switching_tabs_updates_caption_and_status() {
        OpenDoc(QStringLiteral("first"), QStringLiteral("/p/Eins.java"));
        TColorMemo* second = OpenDoc(QStringLiteral("a\r\nsecond"), QStringLiteral("/p/Zwei.java"));
        second->SetSelStart(5);
        Pages()->setCurrentIndex(0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - Eins.java"));
        QCOMPARE(Status(0), QStringLiteral("  1:   1"));
        Pages()->setCurrentIndex(1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - Zwei.java"));
        QCOMPARE(Status(0), QStringLiteral("  2:   3"));
    }

    // ---- clipboard and undo -------------------------------------------------------

    void cut_and_paste_move_the_selection() {
        TColorMemo* memo = OpenDoc(QStringLiteral("one two"));
        memo->SetSelection(0, 4);
        ForceCommand("Ausschneiden1");
        QCOMPARE(memo->Text(), QStringLiteral("two"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("one "));
        memo->SetSelStart(3);
        ForceCommand("Einfuegen1");
        QCOMPARE(memo->Text(), QStringLiteral("twoone "));
    }

    void copy_keeps_the_text_and_delete_removes_the_selection_only() {
        TColorMemo* memo = OpenDoc(QStringLiteral("line 1\r\nline 2"));
        memo->SetSelection(4, 5);
        ForceCommand("Kopieren1");
        QCOMPARE(memo->Text(), QStringLiteral("line 1\r\nline 2"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral(" 1\nl"));
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        ForceCommand("Loeschen1");
        QCOMPARE(memo->Text(), QStringLiteral("lineine 2"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
        ForceCommand("Loeschen1"); // nothing selected: nothing deleted
        QCOMPARE(memo->Text(), QStringLiteral("lineine 2"));
    }

    void undo_takes_back_typing() {
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("x"));
        memo->SetSelStart(1);
        QTest::keyClicks(memo, QStringLiteral("yz"));
        QCOMPARE(memo->Text(), QStringLiteral("xyz"));
        while (memo->document()->isUndoAvailable())
            ForceCommand("Rueckgaengig1");
        QCOMPARE(memo->Text(), QStringLiteral("x"));
    }

    void select_all_selects_the_whole_text() {
        TColorMemo* memo = OpenDoc(QStringLiteral("a\r\nbc"));
        memo->SetSelStart(2);
        Action("Allesmarkieren1")->trigger();
        QCOMPARE(memo->SelStart(), 0);
        QCOMPARE(memo->SelLength(), 5);
    }

    // ---- auto-indent ----------------------------------------------------------------

    void enter_repeats_the_indentation_of_its_line_data() {
        QTest::addColumn<bool>("autoTab");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("two tabs") << true << "\t\tint a;" << 8 << "\t\tint a;\r\n\t\t" << 12;
        QTest::newRow("inside the line") << true << "  ab" << 3 << "  a\r\n  b" << 7;
        QTest::newRow("blank line") << true << "   " << 3 << "   \r\n" << 5;
        QTest::newRow("empty line") << true << "" << 0 << "\r\n" << 2;
        QTest::newRow("second line") << true << "x\r\n\ty" << 5 << "x\r\n\ty\r\n\t" << 8;
        QTest::newRow("auto-tab off") << false << "\t\tint a;" << 8 << "\t\tint a;\r\n" << 10;
    }
    void enter_repeats_the_indentation_of_its_line() {
        QFETCH(bool, autoTab);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, result);
        QFETCH(int, caretAfter);
        inis.AutoTab = autoTab;
        TColorMemo* memo = OpenFocusedDoc(text);
        memo->SetSelStart(caret);
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(memo->Text(), result);
        QCOMPARE(memo->SelStart(), caretAfter);
        // The next character is typed plainly after the indentation.
        QTest::keyClick(memo, Qt::Key_Q);
        QCOMPARE(memo->Text(), result.left(caretAfter) + "q" + result.mid(caretAfter));
    }

    void only_enter_arms_the_indentation() {
        inis.AutoTab = true;
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("\tx"));
        memo->SetSelStart(2);
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClick(memo, Qt::Key_Y);
        // A line break from the program is not an Enter of the user.
        memo->ReplaceSelection(QStringLiteral("\r\n"));
        QCOMPARE(memo->Text(), QStringLiteral("\tx\r\n\ty\r\n"));
    }

    // ---- Ctrl+Y -----------------------------------------------------------------------

    void ctrl_y_deletes_the_caret_line_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("line 3 of five") << 2 << "l1\r\nl2\r\nl4\r\nl5" << 8;
        QTest::newRow("first line") << 0 << "l2\r\nl3\r\nl4\r\nl5" << 0;
        QTest::newRow("last line keeps the break before it") << 4 << "l1\r\nl2\r\nl3\r\nl4\r\n"
                                                             << 16;
    }
    void ctrl_y_deletes_the_caret_line() {
        QFETCH(int, line);
        QFETCH(QString, result);
        QFETCH(int, caretAfter);
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("l1\r\nl2\r\nl3\r\nl4\r\nl5"));
        memo->SetModified(false);
        memo->SetCaretLine(line);
        memo->SetCaretCol(1);
        QTest::keyClick(memo, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(memo->Text(), result);
        QCOMPARE(memo->SelStart(), caretAfter);
        QVERIFY(memo->Modified());
        QCOMPARE(Status(1), QStringLiteral("Geändert"));
        QVERIFY(!Action("Rueckgaengig1")->isEnabled());
        ForceCommand("Rueckgaengig1");
        QCOMPARE(memo->Text(), result);
    }

    void ctrl_y_leaves_no_undo_reaching_past_it() {
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("a\r\nb"));
        memo->SetSelStart(4);
        QTest::keyClicks(memo, QStringLiteral("cd"));
        memo->SetCaretLine(0);
        QTest::keyClick(memo, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(memo->Text(), QStringLiteral("bcd"));
        ForceCommand("Rueckgaengig1");
        QCOMPARE(memo->Text(), QStringLiteral("bcd"));
    }

    void ctrl_y_never_redoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("result");
        QTest::newRow("a line is deleted") << "a\r\nb" << 0 << "b";
        QTest::newRow("empty last line: nothing to delete") << "a\r\n" << 3 << "a\r\n";
    }
    void ctrl_y_never_redoes() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, result);
        TColorMemo* memo = OpenFocusedDoc(text);
        memo->SetSelStart(memo->TextLength());
        QTest::keyClick(memo, Qt::Key_X);
        ForceCommand("Rueckgaengig1");
        QCOMPARE(memo->Text(), text);
        QVERIFY(memo->document()->isRedoAvailable());
        memo->SetSelStart(caret);
        QTest::keyClick(memo, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(memo->Text(), result);
    }

    void ctrl_shift_y_and_alt_ctrl_y_do_nothing_special_data() {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("ctrl+shift") << int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("ctrl+alt") << int(Qt::ControlModifier | Qt::AltModifier);
    }
    void ctrl_shift_y_and_alt_ctrl_y_do_nothing_special() {
        QFETCH(int, modifiers);
        TColorMemo* memo = OpenFocusedDoc(QStringLiteral("l1\r\nl2\r\nl3"));
        memo->SetCaretLine(1);
        QTest::keyClick(memo, Qt::Key_Y, Qt::KeyboardModifiers(modifiers));
        // Whatever the editor itself makes of the key, no line goes.
        QCOMPARE(memo->LineCount(), 3);
        QVERIFY(memo->LineText(1).contains(QStringLiteral("l2")));
    }

    // ---- tab stops --------------------------------------------------------------------

    void tab_stops_lie_about_every_tabs_times_eight_pixels_data() {
        QTest::addColumn<int>("tabs");
        QTest::newRow("tabs 2") << 2;
        QTest::newRow("tabs 4") << 4;
    }
    void tab_stops_lie_about_every_tabs_times_eight_pixels() {
        QFETCH(int, tabs);
        inis.Tabs = tabs;
        TColorMemo* first = OpenDoc(QStringLiteral("\t\tx"));
        TColorMemo* second = OpenDoc(QStringLiteral("\tx"));
        // Truncation to whole dialog units may shorten a stop by less than a unit.
        const qreal unit = QFontMetrics(QApplication::font()).averageCharWidth() / 4.0;
        for (TColorMemo* memo : {first, second}) {
            const qreal distance = memo->tabStopDistance();
            QVERIFY2(distance <= 8 * tabs && distance > 8 * tabs - unit,
                     qPrintable(QString::number(distance)));
            QVERIFY(!memo->tabChangesFocus());
        }
        QTest::qWait(0);
        // The layout follows: two tabs reach twice as far as one.
        QCOMPARE(XOf(first, 1) - XOf(first, 0), first->tabStopDistance());
        QCOMPARE(XOf(first, 2) - XOf(first, 0), 2 * first->tabStopDistance());
    }

    void tabs_zero_gives_the_narrowest_tabs() {
        inis.Tabs = 0;
        TColorMemo* memo = OpenDoc(QStringLiteral("\t\t\tx"));
        QTest::qWait(0);
        QCOMPARE(memo->tabStopDistance(), 1.0);
        QVERIFY(XOf(memo, 3) - XOf(memo, 0) <= 3.0);
    }

    // ---- font ---------------------------------------------------------------------------

    void chosen_font_reaches_all_five_editors_and_the_settings() {
        OpenDoc(QStringLiteral("x"));
        QFont chosen(QStringLiteral("DejaVu Sans Mono"), 17);
        chosen.setBold(true);
        prompts.Fonts.enqueue(chosen);
        Command("Font1");
        QCOMPARE(prompts.CallsOf(QStringLiteral("font")).size(), 1);
        for (int n = 1; n <= 5; ++n) {
            QCOMPARE(form->SlotMemo(n)->font().family(), QStringLiteral("DejaVu Sans Mono"));
            QCOMPARE(form->SlotMemo(n)->font().pointSize(), 17);
            QVERIFY(form->SlotMemo(n)->font().bold());
        }
        QCOMPARE(inis.Font, form->SlotMemo(1)->font());
    }

    void the_font_dialog_shows_the_family_the_editor_draws_with() {
        // The stored name is "Courier New"; where it is missing another
        // family stands in, and that is what the user sees and confirms.
        const QFont editor = form->SlotMemo(1)->font();
        QCOMPARE(editor.family(), QStringLiteral("Courier New"));
        prompts.OnFont = [](const QFont& shown) { return shown; }; // OK, nothing changed
        Command("Font1");
        const QFont shown = prompts.CallsOf(QStringLiteral("font")).at(0).Font;
        QCOMPARE(shown.family(), QFontInfo(editor).family());
        QCOMPARE(shown.pointSize(), editor.pointSize());
        // OK without a change changes nothing, the stored name included.
        QCOMPARE(form->SlotMemo(1)->font(), editor);
        QCOMPARE(form->SlotMemo(5)->font(), editor);
        QCOMPARE(inis.Font.family(), QStringLiteral("Courier New"));
    }

    void underline_and_strike_out_from_the_dialog_are_not_taken_over() {
        prompts.OnFont = [](const QFont& shown) {
            QFont chosen = shown;
            chosen.setPointSize(13);
            chosen.setUnderline(true);
            chosen.setStrikeOut(true);
            return std::optional<QFont>(chosen);
        };
        Command("Font1");
        for (int n = 1; n <= 5; ++n) {
            QCOMPARE(form->SlotMemo(n)->font().pointSize(), 13);
            QVERIFY(!form->SlotMemo(n)->font().underline());
            QVERIFY(!form->SlotMemo(n)->font().strikeOut());
        }
        QVERIFY(!inis.Font.underline() && !inis.Font.strikeOut());
    }

    void cancelled_font_dialog_changes_no_font_but_reapplies_tab_stops() {
        TColorMemo* memo = OpenDoc(QStringLiteral("\tx"));
        const QFont before = memo->font();
        inis.Tabs = 6;
        ForceCommand("Font1"); // nothing queued: the user cancels
        QCOMPARE(memo->font(), before);
        QCOMPARE(inis.Font, before);
        QVERIFY(memo->tabStopDistance() > 8 * 4);
    }
};

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
