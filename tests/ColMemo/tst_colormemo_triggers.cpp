// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoRig.h"

#include <QClipboard>
#include <QScrollBar>

namespace {

// Forty short lines "line NN", each 7 characters plus CR LF: line k starts at 9k.
QString FortyLines() {
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("line %1").arg(i, 2, 10, QLatin1Char('0'));
    return lines.join(QStringLiteral("\r\n"));
}

// Lets the paint that follows an action happen and returns what it scanned.
TColorMemo::TPaintReport NextPaint(TColorMemo& memo, int before) {
    memorig::Settle();
    [&] { QVERIFY(memo.LastPaint().Count > before); }();
    return memo.LastPaint();
}

const QString HotSpotLine = QStringLiteral("see \x1eMain\x1f here");

// Shows forty lines with the caret at (line, column), types one letter and checks that only the
// caret line was recoloured; returns the paint count after it, so the next trigger can be told
// apart.
int TypeLetterAt(TColorMemo& memo, int32_t line, int32_t column) {
    [&] { QVERIFY(memorig::Show(memo, FortyLines(), QSize(400, 300))); }();
    memo.SetSelStart(memo.LineIndex(line) + column);
    memorig::Settle();
    QTest::keyClick(&memo, Qt::Key_Q);
    [&] { QVERIFY(NextPaint(memo, 0).CaretLineOnly); }();
    return memo.LastPaint().Count;
}

} // namespace

class TestColorMemoTriggers : public QObject {
    Q_OBJECT

private slots:
    void typed_letter_scans_only_the_caret_line_and_look_back();
    void changes_that_are_no_single_keystroke_scan_the_window_data();
    void changes_that_are_no_single_keystroke_scan_the_window();
    void scroll_fires_event_then_scans_the_window();
    void navigation_key_collapses_selection_to_its_end_first();
    void navigation_key_with_shift_keeps_the_selection();
    void releasing_shift_recolours_the_window();
    void left_mouse_button_recolours_the_window();
    void redraw_always_scans_the_window_after_every_change();
    void hot_spot_text_is_blue_and_underlined();
    void hot_spot_markers_are_solid_blocks();
    void hot_spot_shows_hand_cursor_only_over_its_text_data();
    void hot_spot_shows_hand_cursor_only_over_its_text();
    void hot_spot_click_reports_text_between_markers();
    void hot_spot_far_into_the_text_is_tracked();
    void inactive_hot_spot_never_reports_a_click();
};

void TestColorMemoTriggers::typed_letter_scans_only_the_caret_line_and_look_back() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, FortyLines(), QSize(400, 900)));
    memo.SetSelStart(memo.LineIndex(30) + 7);
    memorig::Settle();
    const int before = memo.LastPaint().Count;
    QTest::keyClick(&memo, Qt::Key_X);
    const TColorMemo::TPaintReport paint = NextPaint(memo, before);
    QVERIFY(paint.CaretLineOnly);
    // the Java rules look 19 lines back
    QCOMPARE(paint.ScanStart, memo.LineIndex(11));
    QCOMPARE(paint.ScanEnd, memo.LineIndex(30) + 8);
}

void TestColorMemoTriggers::changes_that_are_no_single_keystroke_scan_the_window_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("enter") << "enter";
    QTest::newRow("backspace") << "backspace";
    QTest::newRow("delete") << "delete";
    QTest::newRow("paste") << "paste";
    QTest::newRow("undo") << "undo";
    QTest::newRow("typing over a selection") << "overtype";
}

void TestColorMemoTriggers::changes_that_are_no_single_keystroke_scan_the_window() {
    QFETCH(QString, action);
    TColorMemo memo;
    const int before = TypeLetterAt(memo, 3, 2);
    if (action == "enter") {
        QTest::keyClick(&memo, Qt::Key_Return);
    } else if (action == "backspace") {
        QTest::keyClick(&memo, Qt::Key_Backspace);
    } else if (action == "delete") {
        QTest::keyClick(&memo, Qt::Key_Delete);
    } else if (action == "paste") {
        QApplication::clipboard()->setText(QStringLiteral("ab"));
        memo.paste();
    } else if (action == "undo") {
        memo.undo();
    } else {
        memo.SetSelection(memo.LineIndex(3), 1);
        QTest::keyClick(&memo, Qt::Key_Z);
    }
    const TColorMemo::TPaintReport paint = NextPaint(memo, before);
    QVERIFY(!paint.CaretLineOnly);
    QCOMPARE(paint.ScanStart, 0);
    QVERIFY(paint.ScanEnd > memo.LineIndex(8));
}

void TestColorMemoTriggers::scroll_fires_event_then_scans_the_window() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, FortyLines(), QSize(400, 200)));
    int before = -1;
    int scrolls = 0;
    memo.OnVScroll = [&](TColorMemo* sender) {
        QCOMPARE(sender, &memo);
        ++scrolls;
        before = memo.LastPaint().Count;
    };
    memo.verticalScrollBar()->setValue(25);
    QCOMPARE(scrolls, 1);
    const TColorMemo::TPaintReport paint = NextPaint(memo, before);
    QVERIFY(!paint.CaretLineOnly);
    QCOMPARE(paint.ScanStart, memo.LineIndex(6));
    QVERIFY(paint.ScanEnd > memo.LineIndex(27));
    QVERIFY(paint.ScanEnd < memo.LineIndex(39));

    int hscrolls = 0;
    memo.OnHScroll = [&](TColorMemo*) { ++hscrolls; };
    memo.SetText(QString(300, QLatin1Char('w')));
    memorig::Settle();
    memo.horizontalScrollBar()->setValue(50);
    QVERIFY(hscrolls > 0);
}

void TestColorMemoTriggers::navigation_key_collapses_selection_to_its_end_first() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, FortyLines()));
    memo.SetSelection(memo.LineIndex(2) + 1, 4);
    memorig::Settle();
    const int before = memo.LastPaint().Count;
    int32_t selAtKeyDown = -1;
    int32_t lengthAtKeyDown = -1;
    memo.OnKeyDown = [&](TColorMemo*, int&, Qt::KeyboardModifiers) {
        selAtKeyDown = memo.SelStart();
        lengthAtKeyDown = memo.SelLength();
    };
    QTest::keyClick(&memo, Qt::Key_Left);
    QCOMPARE(selAtKeyDown, memo.LineIndex(2) + 5);
    QCOMPARE(lengthAtKeyDown, 0);
    QCOMPARE(memo.SelStart(), memo.LineIndex(2) + 4);
    QCOMPARE(memo.SelLength(), 0);
    QVERIFY(!NextPaint(memo, before).CaretLineOnly);
}

void TestColorMemoTriggers::navigation_key_with_shift_keeps_the_selection() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, FortyLines()));
    memo.SetSelection(memo.LineIndex(2) + 1, 4);
    QTest::keyClick(&memo, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(memo.SelStart(), memo.LineIndex(2) + 1);
    QCOMPARE(memo.SelLength(), 5);
}

void TestColorMemoTriggers::releasing_shift_recolours_the_window() {
    TColorMemo memo;
    const int before = TypeLetterAt(memo, 5, 0);
    QTest::keyRelease(&memo, Qt::Key_Shift, Qt::ShiftModifier);
    const TColorMemo::TPaintReport paint = NextPaint(memo, before);
    QVERIFY(!paint.CaretLineOnly);
    QCOMPARE(paint.ScanStart, 0);
}

void TestColorMemoTriggers::left_mouse_button_recolours_the_window() {
    TColorMemo memo;
    const int before = TypeLetterAt(memo, 5, 0);
    QTest::mousePress(memo.viewport(), Qt::LeftButton, {}, memo.PosFromChar(memo.LineIndex(5)));
    QVERIFY(!NextPaint(memo, before).CaretLineOnly);
    QTest::mouseRelease(memo.viewport(), Qt::LeftButton, {}, memo.PosFromChar(memo.LineIndex(5)));
}

void TestColorMemoTriggers::redraw_always_scans_the_window_after_every_change() {
    TColorMemo memo;
    memo.SetRedrawAlways(true);
    QVERIFY(memorig::Show(memo, FortyLines(), QSize(400, 300)));
    memo.SetSelStart(memo.LineIndex(5) + 3);
    memorig::Settle();
    const int before = memo.LastPaint().Count;
    QTest::keyClick(&memo, Qt::Key_Q);
    QVERIFY(!NextPaint(memo, before).CaretLineOnly);
}

void TestColorMemoTriggers::hot_spot_text_is_blue_and_underlined() {
    TColorMemo memo;
    memo.HotSpot().Active = true;
    QVERIFY(memorig::Show(memo, HotSpotLine));
    const QImage image = memorig::Grab(memo);
    const QColor base = memorig::Background(memo);
    const QRect main = memorig::TextRect(memo, 5, 4);
    const memorig::TInk ink = memorig::InkIn(image, main, base);
    QVERIFY(ink.Blue > 20);
    QCOMPARE(ink.Black, 0);
    // an underline: a row below the baseline that is blue almost across the whole word
    int longest = 0;
    for (int y = main.center().y(); y <= main.bottom(); ++y)
        longest = std::max(
            longest, memorig::InkIn(image, QRect(main.left(), y, main.width(), 1), base).Blue);
    QVERIFY(longest >= main.width() - 2);
    const memorig::TInk see = memorig::InkIn(image, memorig::TextRect(memo, 0, 3), base);
    QCOMPARE(see.Blue, 0);
    QVERIFY(see.Black > 10);
}

void TestColorMemoTriggers::hot_spot_markers_are_solid_blocks() {
    TColorMemo memo;
    memo.HotSpot().Active = true;
    memo.HotSpot().MarkerColor = colmemo::clRed;
    QVERIFY(memorig::Show(memo, HotSpotLine));
    memo.SetSelStart(0);
    const QImage image = memorig::Grab(memo);
    for (int32_t marker : {4, 9}) {
        const QRect block = memorig::TextRect(memo, marker, 1);
        QVERIFY(block.width() > 2);
        for (int y = block.top(); y <= block.bottom(); ++y)
            for (int x = block.left() + 1; x < block.right(); ++x)
                QCOMPARE(image.pixelColor(x, y), QColor(Qt::red));
    }
}

void TestColorMemoTriggers::hot_spot_shows_hand_cursor_only_over_its_text_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("hand");
    QTest::newRow("inside") << HotSpotLine << 6 << true;
    QTest::newRow("before") << HotSpotLine << 1 << false;
    QTest::newRow("after") << HotSpotLine << 12 << false;
    const QString two = QStringLiteral("a \x1eX\x1f b \x1eY\x1f c");
    QTest::newRow("between two hot spots") << two << 6 << false;
    QTest::newRow("second hot spot") << two << 9 << true;
    QTest::newRow("past the line end") << HotSpotLine << 40 << false;
}

void TestColorMemoTriggers::hot_spot_shows_hand_cursor_only_over_its_text() {
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(bool, hand);
    TColorMemo memo;
    memo.HotSpot().Active = true;
    QVERIFY(memorig::Show(memo, text));
    const QRect chars = memorig::TextRect(memo, std::min<int>(index, int(text.size())), 1);
    const QPoint at = index < text.size() ? chars.center() : chars.center() + QPoint(200, 0);
    QTest::mouseMove(memo.viewport(), at);
    QTRY_COMPARE(memo.viewport()->cursor().shape(),
                 hand ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void TestColorMemoTriggers::hot_spot_click_reports_text_between_markers() {
    TColorMemo memo;
    memo.HotSpot().Active = true;
    QStringList clicked;
    memo.OnHotSpotClick = [&](TColorMemo* sender, const QString& text) {
        QCOMPARE(sender, &memo);
        clicked << text;
    };
    QVERIFY(memorig::Show(memo, HotSpotLine));
    const QPoint main = memorig::TextRect(memo, 6, 2).center();
    QTest::mouseMove(memo.viewport(), main);
    QTRY_COMPARE(memo.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, main);
    QCOMPARE(clicked, QStringList{QStringLiteral("Main")});

    const QPoint here = memorig::TextRect(memo, 12, 1).center();
    QTest::mouseMove(memo.viewport(), here);
    QTRY_COMPARE(memo.viewport()->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, here);
    QCOMPARE(clicked.size(), 1);
}

void TestColorMemoTriggers::hot_spot_far_into_the_text_is_tracked() {
    TColorMemo memo;
    memo.HotSpot().Active = true;
    QStringList lines(4000, QStringLiteral("filler line"));
    lines << HotSpotLine;
    QString clicked;
    memo.OnHotSpotClick = [&](TColorMemo*, const QString& text) { clicked = text; };
    QVERIFY(memorig::Show(memo, lines.join("\r\n"), QSize(400, 200)));
    memo.SetSelStart(memo.TextLength());
    memorig::Settle();
    const int32_t start = memo.LineIndex(4000);
    QVERIFY(start > 40000);
    const QPoint main = memorig::TextRect(memo, start + 6, 2).center();
    QTest::mouseMove(memo.viewport(), main);
    QTRY_COMPARE(memo.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, main);
    QCOMPARE(clicked, QStringLiteral("Main"));
}

void TestColorMemoTriggers::inactive_hot_spot_never_reports_a_click() {
    TColorMemo memo;
    int clicks = 0;
    memo.OnHotSpotClick = [&](TColorMemo*, const QString&) { ++clicks; };
    QVERIFY(memorig::Show(memo, HotSpotLine));
    const QPoint main = memorig::TextRect(memo, 6, 2).center();
    QTest::mouseMove(memo.viewport(), main);
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, main);
    QCOMPARE(memo.viewport()->cursor().shape(), Qt::IBeamCursor);
    QCOMPARE(clicks, 0);
    const memorig::TInk ink = memorig::InkIn(memorig::Grab(memo), memorig::TextRect(memo, 5, 4),
                                             memorig::Background(memo));
    QCOMPARE(ink.Blue, 0);
}

QTEST_MAIN(TestColorMemoTriggers)
#include "tst_colormemo_triggers.moc"
