// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace {

// Ten lines "abc", so line k starts at index 5k (three characters plus CR LF).
QString TenLines() {
    QStringList lines;
    for (int i = 0; i < 10; ++i)
        lines << QStringLiteral("abc");
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

class TestColorMemoText : public QObject {
    Q_OBJECT

private slots:
    void text_keeps_lines_with_any_line_end_data();
    void text_keeps_lines_with_any_line_end();
    void text_keeps_non_breaking_spaces();
    void a_new_text_takes_nothing_from_where_the_caret_stood();
    void selstart_round_trips_at_line_ends_data();
    void selstart_round_trips_at_line_ends();
    void selection_never_holds_half_a_break_data();
    void selection_never_holds_half_a_break();
    void line_index_answers_per_line_data();
    void line_index_answers_per_line();
    void line_index_minus_one_is_caret_line();
    void line_text_is_empty_out_of_range();
    void replace_selection_is_one_undoable_change();
    void caret_line_and_col_clamp_data();
    void caret_line_and_col_clamp();
    void caret_properties_in_empty_text_stay_at_zero();
    void caret_properties_describe_selection_start();
    void caret_col_uses_remembered_line_after_user_moved();
    void caret_col_on_empty_last_line_stays_there();
    void caret_col_after_remembered_line_vanished_uses_last_line();
    void first_visible_line_follows_scrolling();
    void key_events_run_in_order_before_the_change();
    void key_down_setting_zero_consumes_key();
    void key_press_setting_zero_drops_character();
    void key_press_can_replace_character();
    void enter_inserts_crlf_and_reports_13_data();
    void enter_inserts_crlf_and_reports_13();
    void tab_inserts_tab_character();
    void on_change_fires_once_per_text_change();
    void on_change_ignores_format_and_layout_changes();
    void paste_keeps_separators_as_characters();
    void copy_keeps_non_breaking_spaces();
    void on_click_sees_moved_caret();
    void modified_follows_edits_and_loads();
};

void TestColorMemoText::text_keeps_lines_with_any_line_end_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("lines");
    QTest::newRow("empty") << ""
                           << "" << 0 << 0;
    QTest::newRow("one line") << "abc"
                              << "abc" << 3 << 1;
    QTest::newRow("lf") << "a\nb"
                        << "a\r\nb" << 4 << 2;
    QTest::newRow("cr") << "a\rb"
                        << "a\r\nb" << 4 << 2;
    QTest::newRow("mixed") << "x\r\ny\nz\rw"
                           << "x\r\ny\r\nz\r\nw" << 10 << 4;
    QTest::newRow("trailing break") << "a\r\nb\r\n"
                                    << "a\r\nb\r\n"
                                    << 6 << 2;
    QTest::newRow("only a break") << "\r\n"
                                  << "\r\n"
                                  << 2 << 1;
    QTest::newRow("empty line before end") << "a\r\n\r\n"
                                           << "a\r\n\r\n"
                                           << 5 << 2;
    QTest::newRow("separators are characters")
        << QStringLiteral("a\u2028b\u2029c\r\n\ufdd0\ufdd1")
        << QStringLiteral("a\u2028b\u2029c\r\n\ufdd0\ufdd1") << 9 << 2;
}

void TestColorMemoText::text_keeps_lines_with_any_line_end() {
    QFETCH(QString, input);
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(int, lines);
    TColorMemo memo;
    const QString unshared(input.constData(), input.size());
    memo.SetText(input);
    // The line ends are converted in place, never in the caller's text.
    QCOMPARE(input, unshared);
    QCOMPARE(memo.Text(), text);
    QCOMPARE(memo.TextLength(), length);
    QCOMPARE(memo.LineCount(), lines);
    QCOMPARE(memo.Lines().size(), lines);
    QVERIFY(memo.Text().startsWith(memo.Lines().join(QStringLiteral("\r\n"))));
}

void TestColorMemoText::text_keeps_non_breaking_spaces() {
    TColorMemo memo;
    const QString text = QStringLiteral("a\u00a0b\r\n\u00a0");
    memo.SetText(text);
    QCOMPARE(memo.Text(), text);
    QCOMPARE(memo.LineText(1), QStringLiteral("\u00a0"));
}

void TestColorMemoText::a_new_text_takes_nothing_from_where_the_caret_stood() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("a\u2028b"));
    memo.SetSelStart(2); // just behind the separator
    // A replacement character of the file's own is no stand-in for the separator.
    const QString next = QStringLiteral("x\ufffdy\r\n\ufffd");
    memo.SetText(next);
    QCOMPARE(memo.Text(), next);
    QCOMPARE(memo.SelStart(), 0);
}

void TestColorMemoText::selstart_round_trips_at_line_ends_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("lineLength");
    // "ab\r\ncd\r\n": CR at 2 and 6, LF at 3 and 7, text end 8.
    QTest::newRow("start") << 0 << 0 << 0 << 2;
    QTest::newRow("on first CR") << 2 << 2 << 0 << 2;
    QTest::newRow("on first LF") << 3 << 2 << 0 << 2;
    QTest::newRow("second line start") << 4 << 4 << 1 << 2;
    QTest::newRow("on second CR") << 6 << 6 << 1 << 2;
    QTest::newRow("on second LF") << 7 << 6 << 1 << 2;
    QTest::newRow("text end after break") << 8 << 8 << 2 << 0;
    QTest::newRow("past the end") << 50 << 8 << 2 << 0;
    QTest::newRow("negative") << -4 << 0 << 0 << 2;
}

void TestColorMemoText::selstart_round_trips_at_line_ends() {
    QFETCH(int, index);
    QFETCH(int, selStart);
    QFETCH(int, line);
    QFETCH(int, lineLength);
    TColorMemo memo;
    memo.SetText(QStringLiteral("ab\r\ncd\r\n"));
    memo.SetSelStart(index);
    QCOMPARE(memo.SelStart(), selStart);
    QCOMPARE(memo.SelLength(), 0);
    QCOMPARE(memo.LineFromChar(index), line);
    QCOMPARE(memo.LineLength(index), lineLength);
}

void TestColorMemoText::selection_never_holds_half_a_break_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("selText");
    // "ab\r\ncd"
    QTest::newRow("across the break") << 1 << 4 << 1 << 4 << "b\r\nc";
    QTest::newRow("CR alone") << 2 << 1 << 2 << 2 << "\r\n";
    QTest::newRow("LF alone") << 3 << 1 << 2 << 2 << "\r\n";
    QTest::newRow("up to the CR") << 0 << 2 << 0 << 2 << "ab";
    QTest::newRow("length clamped") << 5 << 100 << 5 << 1 << "d";
    QTest::newRow("negative length") << 4 << -3 << 4 << 0 << "";
    QTest::newRow("whole text") << 0 << 6 << 0 << 6 << "ab\r\ncd";
}

void TestColorMemoText::selection_never_holds_half_a_break() {
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, selText);
    TColorMemo memo;
    memo.SetText(QStringLiteral("ab\r\ncd"));
    memo.SetSelection(start, length);
    QCOMPARE(memo.SelStart(), selStart);
    QCOMPARE(memo.SelLength(), selLength);
    QCOMPARE(memo.SelText(), selText);

    memo.SetSelStart(start);
    memo.SetSelLength(length);
    QCOMPARE(memo.SelLength(), selLength);
}

void TestColorMemoText::line_index_answers_per_line_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("index");
    QTest::newRow("first") << "ab\r\ncd\r\n" << 0 << 0;
    QTest::newRow("second") << "ab\r\ncd\r\n" << 1 << 4;
    QTest::newRow("empty last line") << "ab\r\ncd\r\n" << 2 << 8;
    QTest::newRow("past the end") << "ab\r\ncd\r\n" << 3 << -1;
    QTest::newRow("negative") << "ab\r\ncd\r\n" << -7 << -1;
    QTest::newRow("empty text line 0") << "" << 0 << 0;
    QTest::newRow("empty text line 1") << "" << 1 << -1;
    QTest::newRow("empty lines") << "\r\n\r\n\r\n" << 2 << 4;
}

void TestColorMemoText::line_index_answers_per_line() {
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, index);
    TColorMemo memo;
    memo.SetText(text);
    QCOMPARE(memo.LineIndex(line), index);
}

void TestColorMemoText::line_index_minus_one_is_caret_line() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("ab\r\ncd\r\nef"));
    memo.SetSelStart(6);
    QCOMPARE(memo.LineIndex(-1), 4);
    memo.SetSelStart(10);
    QCOMPARE(memo.LineIndex(-1), 8);
}

void TestColorMemoText::line_text_is_empty_out_of_range() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("ab\r\n\tcd"));
    QCOMPARE(memo.LineText(1), QStringLiteral("\tcd"));
    QCOMPARE(memo.LineText(2), QString());
    QCOMPARE(memo.LineText(-1), QString());
    QCOMPARE(memo.Lines(), QStringList({"ab", "\tcd"}));
}

void TestColorMemoText::replace_selection_is_one_undoable_change() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("one two"));
    int changes = 0;
    memo.OnChange = [&](TColorMemo* sender) {
        QCOMPARE(sender, &memo);
        ++changes;
    };
    memo.SetSelection(4, 3);
    memo.ReplaceSelection(QStringLiteral("2\n3"));
    QCOMPARE(changes, 1);
    QCOMPARE(memo.Text(), QStringLiteral("one 2\r\n3"));
    QCOMPARE(memo.SelStart(), 8);
    QVERIFY(memo.Modified());

    memo.SetSelection(0, 3);
    memo.ReplaceSelection(QStringLiteral("ONE"));
    QCOMPARE(changes, 2);
    memo.undo();
    memo.undo();
    QCOMPARE(memo.Text(), QStringLiteral("one two"));
}

void TestColorMemoText::caret_line_and_col_clamp_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<int>("caretCol");
    QTest::newRow("line beyond the end") << 1000 << 0 << 45 << 9 << 0;
    QTest::newRow("column beyond the line") << 1000 << 99 << 48 << 9 << 3;
    QTest::newRow("negative column") << 1000 << -5 << 45 << 9 << 0;
    QTest::newRow("negative line") << -3 << 0 << 0 << 0 << 0;
    QTest::newRow("middle") << 4 << 2 << 22 << 4 << 2;
    QTest::newRow("column on the break") << 4 << 4 << 23 << 4 << 3;
}

void TestColorMemoText::caret_line_and_col_clamp() {
    QFETCH(int, line);
    QFETCH(int, col);
    QFETCH(int, selStart);
    QFETCH(int, caretLine);
    QFETCH(int, caretCol);
    TColorMemo memo;
    memo.SetText(TenLines());
    memo.SetSelection(12, 20);
    memo.SetCaretLine(line);
    QCOMPARE(memo.SelLength(), 0);
    memo.SetCaretCol(col);
    QCOMPARE(memo.SelStart(), selStart);
    QCOMPARE(memo.SelLength(), 0);
    QCOMPARE(memo.CaretLine(), caretLine);
    QCOMPARE(memo.CaretCol(), caretCol);
}

void TestColorMemoText::caret_properties_in_empty_text_stay_at_zero() {
    TColorMemo memo;
    memo.SetCaretLine(5);
    QCOMPARE(memo.SelStart(), 0);
    memo.SetCaretCol(3);
    QCOMPARE(memo.SelStart(), 0);
    QCOMPARE(memo.CaretLine(), 0);
    QCOMPARE(memo.CaretCol(), 0);
}

void TestColorMemoText::caret_properties_describe_selection_start() {
    TColorMemo memo;
    memo.SetText(TenLines());
    QCOMPARE(memo.CaretLine(), 0);
    QCOMPARE(memo.CaretCol(), 0);
    memo.SetSelection(7, 15);
    QCOMPARE(memo.CaretLine(), 1);
    QCOMPARE(memo.CaretCol(), 2);
}

void TestColorMemoText::caret_col_uses_remembered_line_after_user_moved() {
    TColorMemo memo;
    memo.SetText(TenLines());
    memo.SetCaretLine(2);
    QTest::keyClick(&memo, Qt::Key_Down);
    QTest::keyClick(&memo, Qt::Key_Down);
    QCOMPARE(memo.SelStart(), 20);
    memo.SetCaretCol(1);
    QCOMPARE(memo.SelStart(), 11);
}

void TestColorMemoText::caret_col_on_empty_last_line_stays_there() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("abc\r\n"));
    memo.SetSelStart(5);
    QCOMPARE(memo.CaretLine(), 1);
    memo.SetCaretCol(2);
    QCOMPARE(memo.SelStart(), 5);
}

void TestColorMemoText::caret_col_after_remembered_line_vanished_uses_last_line() {
    TColorMemo memo;
    memo.SetText(TenLines());
    memo.SetCaretLine(9);
    memo.SetText(QStringLiteral("ab\r\ncd\r\nef"));
    memo.SetCaretCol(1);
    QCOMPARE(memo.SelStart(), 9);
}

void TestColorMemoText::first_visible_line_follows_scrolling() {
    TColorMemo memo;
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QString::number(i);
    memo.SetText(lines.join('\n'));
    memo.resize(200, 150);
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    QCOMPARE(memo.FirstVisibleLine(), 0);
    memo.verticalScrollBar()->setValue(37);
    QCOMPARE(memo.FirstVisibleLine(), 37);
}

void TestColorMemoText::key_events_run_in_order_before_the_change() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("ab"));
    memo.SetSelStart(2);
    QStringList log;
    memo.OnKeyDown = [&](TColorMemo*, int& key, Qt::KeyboardModifiers) {
        log << QStringLiteral("down %1 %2").arg(key).arg(memo.Text());
    };
    memo.OnKeyPress = [&](TColorMemo*, QChar& ch) {
        log << QStringLiteral("press %1 %2").arg(ch).arg(memo.Text());
    };
    memo.OnChange = [&](TColorMemo*) { log << QStringLiteral("change ") + memo.Text(); };
    QTest::keyClick(&memo, Qt::Key_X);
    QCOMPARE(log, QStringList({QStringLiteral("down %1 ab").arg(int(Qt::Key_X)), "press x ab",
                               "change abx"}));
}

void TestColorMemoText::key_down_setting_zero_consumes_key() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("ab"));
    int presses = 0;
    int changes = 0;
    memo.OnKeyDown = [](TColorMemo*, int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_X || key == Qt::Key_Right)
            key = 0;
    };
    memo.OnKeyPress = [&](TColorMemo*, QChar&) { ++presses; };
    memo.OnChange = [&](TColorMemo*) { ++changes; };
    QTest::keyClick(&memo, Qt::Key_X);
    QTest::keyClick(&memo, Qt::Key_Right);
    QCOMPARE(memo.Text(), QStringLiteral("ab"));
    QCOMPARE(memo.SelStart(), 0);
    QCOMPARE(presses, 0);
    QCOMPARE(changes, 0);
    QTest::keyClick(&memo, Qt::Key_Y);
    QCOMPARE(memo.Text(), QStringLiteral("yab"));
}

void TestColorMemoText::key_press_setting_zero_drops_character() {
    TColorMemo memo;
    int changes = 0;
    memo.OnKeyPress = [](TColorMemo*, QChar& ch) {
        if (ch == QLatin1Char('q') || ch == QChar(13))
            ch = QChar(0);
    };
    memo.OnChange = [&](TColorMemo*) { ++changes; };
    QTest::keyClick(&memo, Qt::Key_Q);
    QTest::keyClick(&memo, Qt::Key_Return);
    QCOMPARE(memo.Text(), QString());
    QCOMPARE(changes, 0);
}

void TestColorMemoText::key_press_can_replace_character() {
    TColorMemo memo;
    memo.OnKeyPress = [](TColorMemo*, QChar& ch) { ch = ch.toUpper(); };
    QTest::keyClicks(&memo, QStringLiteral("ab"));
    QCOMPARE(memo.Text(), QStringLiteral("AB"));
}

void TestColorMemoText::enter_inserts_crlf_and_reports_13_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("shift return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
}

void TestColorMemoText::enter_inserts_crlf_and_reports_13() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TColorMemo memo;
    memo.SetText(QStringLiteral("abcd"));
    memo.SetSelStart(2);
    QList<int> pressed;
    memo.OnKeyPress = [&](TColorMemo*, QChar& ch) { pressed << ch.unicode(); };
    QTest::keyClick(&memo, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(pressed, QList<int>({13}));
    QCOMPARE(memo.Text(), QStringLiteral("ab\r\ncd"));
    QCOMPARE(memo.LineCount(), 2);
    QCOMPARE(memo.SelStart(), 4);
}

void TestColorMemoText::tab_inserts_tab_character() {
    QWidget window;
    auto* memo = new TColorMemo(&window);
    auto* other = new TColorMemo(&window);
    other->move(0, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Tab);
    // The focus stays: the next key reaches this editor, not the next one.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    QCOMPARE(memo->Text(), QStringLiteral("\tx"));
    QVERIFY(other->Text().isEmpty());
}

void TestColorMemoText::on_change_fires_once_per_text_change() {
    TColorMemo memo;
    int changes = 0;
    memo.OnChange = [&](TColorMemo*) { ++changes; };
    memo.SetText(QStringLiteral("ab\r\ncd"));
    QCOMPARE(changes, 1);
    memo.SetSelStart(1);
    QTest::keyClick(&memo, Qt::Key_Delete);
    QCOMPARE(changes, 2);
    memo.undo();
    QCOMPARE(changes, 3);
    QCOMPARE(memo.Text(), QStringLiteral("ab\r\ncd"));
    // an equal-length replacement is still a change
    memo.SetSelection(0, 1);
    QTest::keyClick(&memo, Qt::Key_Z);
    QCOMPARE(changes, 4);
    QCOMPARE(memo.Text(), QStringLiteral("zb\r\ncd"));
    // and so is taking it back with the caret elsewhere, before it, where it does not move
    memo.SetSelection(4, 1);
    QTest::keyClick(&memo, Qt::Key_Y);
    memo.SetSelStart(0);
    QCOMPARE(changes, 5);
    memo.undo();
    QCOMPARE(memo.Text(), QStringLiteral("zb\r\ncd"));
    QCOMPARE(changes, 6);
    // as is one edit of several stretches that keeps the length
    memo.SetSelStart(0);
    memo.ReplaceStretches({{1, 1, QStringLiteral("B")}, {5, 1, QStringLiteral("D")}});
    QCOMPARE(memo.Text(), QStringLiteral("zB\r\ncD"));
    QCOMPARE(changes, 7);
}

void TestColorMemoText::on_change_ignores_format_and_layout_changes() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("ab\r\ncd"));
    int changes = 0;
    memo.OnChange = [&](TColorMemo*) { ++changes; };
    QTextCursor c(memo.document());
    c.setPosition(0);
    c.setPosition(4, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.mergeCharFormat(bold);
    QFont font(QStringLiteral("Monospace"));
    font.setPointSize(17);
    memo.setFont(font);
    memo.setTabStopDistance(40);
    memo.resize(321, 123);
    QCOMPARE(changes, 0);
    QTest::keyClick(&memo, Qt::Key_X);
    QCOMPARE(changes, 1);
}

void TestColorMemoText::paste_keeps_separators_as_characters() {
    TColorMemo memo;
    int changes = 0;
    memo.OnChange = [&](TColorMemo*) { ++changes; };
    QApplication::clipboard()->setText(QStringLiteral("x\u2028y\nz"));
    memo.paste();
    QCOMPARE(changes, 1);
    QCOMPARE(memo.Text(), QStringLiteral("x\u2028y\r\nz"));
    QCOMPARE(memo.LineCount(), 2);
}

void TestColorMemoText::copy_keeps_non_breaking_spaces() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("a\u00a0b\r\nc"));
    memo.SetSelection(0, 6);
    memo.copy();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\u00a0b\nc"));
}

void TestColorMemoText::on_click_sees_moved_caret() {
    TColorMemo memo;
    memo.SetText(TenLines());
    memo.resize(300, 300);
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    int lineAtClick = -1;
    memo.OnClick = [&](TColorMemo*) { lineAtClick = memo.CaretLine(); };
    const QRect third = memo.cursorRect(QTextCursor(memo.document()->findBlockByNumber(3)));
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, third.center() + QPoint(2, 0));
    QCOMPARE(lineAtClick, 3);
}

void TestColorMemoText::modified_follows_edits_and_loads() {
    TColorMemo memo;
    memo.SetText(QStringLiteral("abc"));
    QVERIFY(!memo.Modified());
    QTest::keyClick(&memo, Qt::Key_X);
    QVERIFY(memo.Modified());
    memo.SetModified(false);
    QVERIFY(!memo.Modified());
    memo.SetModified(true);
    memo.SetText(QString());
    QVERIFY(!memo.Modified());
}

QTEST_MAIN(TestColorMemoText)
#include "tst_colormemo_text.moc"
