// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoRig.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextLayout>

using memorig::InkIn;
using memorig::TInk;

namespace {

const QString JavaSample = QStringLiteral("/* block comment with public\r\n"
                                          "   still comment */\r\n"
                                          "public class Hallo {\r\n"
                                          "    // line comment with int\r\n"
                                          "    String string = print();\r\n"
                                          "    int x;   \r\n"
                                          "\tint y; /* a\tb */\r\n"
                                          "}\r\n");

// Where a word occurs in the sample.
int32_t At(const QString& word, int from = 0) {
    return int32_t(JavaSample.indexOf(word, from));
}

enum class TFamily { Black, Blue, Purple, Red };

int Count(const TInk& ink, TFamily family) {
    switch (family) {
    case TFamily::Black:
        return ink.Black;
    case TFamily::Blue:
        return ink.Blue;
    case TFamily::Purple:
        return ink.Purple;
    case TFamily::Red:
        return ink.Red;
    }
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(TFamily)

class TestColorMemoPaint : public QObject {
    Q_OBJECT

private slots:
    void words_are_drawn_in_their_rule_colour_data();
    void words_are_drawn_in_their_rule_colour();
    void selected_keyword_keeps_the_selection_colour();
    void caret_is_drawn_over_the_colours();
    void caret_on_a_very_long_line_stays_on_and_the_idle_window_does_not_repaint();
    void block_comment_begun_above_the_window_is_coloured_inside_it();
    void partly_visible_bottom_line_is_left_plain();
    void long_line_scrolled_sideways_is_coloured_where_it_shows();
    void only_the_visible_lines_keep_their_shaping();
    void on_draw_key_gets_adjacent_keywords_as_one_text();
    void color_lim_max_zero_silences_event_rules();
    void rule_with_mask_z_order_never_shows();
    void five_editors_with_copied_rules_render_alike();
    void disabled_editor_shows_plain_text();
};

void TestColorMemoPaint::words_are_drawn_in_their_rule_colour_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("length");
    QTest::addColumn<TFamily>("family");
    QTest::newRow("public") << At("public class") << 6 << TFamily::Blue;
    QTest::newRow("class") << At("class Hallo") << 5 << TFamily::Blue;
    QTest::newRow("String") << At("String") << 6 << TFamily::Blue;
    QTest::newRow("int declaration") << At("int x") << 3 << TFamily::Blue;
    QTest::newRow("block comment") << 0 << 8 << TFamily::Purple;
    QTest::newRow("keyword in block comment") << At("public") << 6 << TFamily::Purple;
    QTest::newRow("block comment second line") << At("still") << 16 << TFamily::Purple;
    QTest::newRow("line comment") << At("//") << 12 << TFamily::Purple;
    QTest::newRow("keyword in line comment") << At("int", At("//")) << 3 << TFamily::Purple;
    QTest::newRow("opening brace") << At("{") << 1 << TFamily::Red;
    QTest::newRow("closing brace") << At("}\r\n", At("int x")) << 1 << TFamily::Red;
    QTest::newRow("string in lower case") << At("string") << 6 << TFamily::Black;
    QTest::newRow("print contains no int") << At("print") << 5 << TFamily::Black;
    QTest::newRow("class name") << At("Hallo") << 5 << TFamily::Black;
    QTest::newRow("keyword after a tab") << At("int y") << 3 << TFamily::Blue;
    QTest::newRow("comment before a tab") << At("/* a") << 4 << TFamily::Purple;
    QTest::newRow("comment after a tab") << At("b */") << 4 << TFamily::Purple;
}

void TestColorMemoPaint::words_are_drawn_in_their_rule_colour() {
    QFETCH(int, index);
    QFETCH(int, length);
    QFETCH(TFamily, family);
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, JavaSample));
    memo.SetSelStart(memo.TextLength()); // the caret out of the way
    const TInk ink = InkIn(memorig::Grab(memo), memorig::TextRect(memo, index, length),
                           memorig::Background(memo));
    QVERIFY2(Count(ink, family) > 20, qPrintable(QString::number(Count(ink, family))));
    // no trace of another colour: nothing of the plain text shows through the overpaint
    QCOMPARE(Count(ink, family), ink.Total());
}

void TestColorMemoPaint::selected_keyword_keeps_the_selection_colour() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, JavaSample));
    const int32_t keyword = At("public class");
    memo.SetSelection(keyword, 6);
    const QImage image = memorig::Grab(memo);
    const QRect rect = memorig::TextRect(memo, keyword, 6);
    const TInk ink = InkIn(image, rect, memorig::Background(memo));
    QCOMPARE(ink.Blue, 0);
    const QColor highlight = memo.palette().color(QPalette::Highlight);
    int highlighted = 0;
    for (int x = rect.left(); x <= rect.right(); ++x)
        highlighted += image.pixelColor(x, rect.top() + 1) == highlight;
    QVERIFY(highlighted > rect.width() / 2);
    // the unselected keyword next to it is still blue
    const TInk next =
        InkIn(image, memorig::TextRect(memo, At("class Hallo"), 5), memorig::Background(memo));
    QVERIFY(next.Blue > 20);
}

void TestColorMemoPaint::caret_is_drawn_over_the_colours() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, JavaSample));
    // after "int x;" and two blanks: nothing but the caret can be dark there
    memo.SetSelStart(At("int x;") + 8);
    const QImage image = memorig::Grab(memo);
    const QRect caret = memo.cursorRect();
    int dark = 0;
    for (int y = caret.top() + 1; y < caret.bottom(); ++y)
        dark += image.pixelColor(caret.left(), y).lightness() < 60;
    QCOMPARE(dark, caret.height() - 2);
    QVERIFY(memo.LastPaint().Count > 0);

    memo.SetSelStart(At("{"));
    const QImage moved = memorig::Grab(memo);
    QVERIFY(moved.pixelColor(caret.left(), caret.center().y()).lightness() > 200);
}

void TestColorMemoPaint::caret_on_a_very_long_line_stays_on_and_the_idle_window_does_not_repaint() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, QStringLiteral("int a;\r\n") + QString(30000, QLatin1Char('x'))));
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    QVERIFY(flash > 0);
    // on a short line the caret blinks, which repaints
    memo.SetSelStart(2);
    memorig::Settle();
    int paints = memo.LastPaint().Count;
    QTest::qWait(flash);
    QVERIFY(memo.LastPaint().Count > paints);
    // on the long one nothing repaints while idle, and the caret shows
    memo.SetSelStart(8 + 10);
    memorig::Settle();
    paints = memo.LastPaint().Count;

    QTest::qWait(flash);
    QCOMPARE(memo.LastPaint().Count, paints);
    const QRect caret = memo.cursorRect();
    const QImage image = memorig::Grab(memo);
    QVERIFY(image.pixelColor(caret.left(), caret.center().y()).lightness() < 60);
}

void TestColorMemoPaint::block_comment_begun_above_the_window_is_coloured_inside_it() {
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QStringLiteral("int a%1;").arg(i);
    lines[30] = QStringLiteral("/* opened here");
    lines[45] = QStringLiteral("closed here */ int after;");
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, lines.join("\r\n"), QSize(400, 300)));
    memo.verticalScrollBar()->setValue(40);
    QCOMPARE(memo.FirstVisibleLine(), 40);
    const QImage image = memorig::Grab(memo);
    const QColor base = memorig::Background(memo);
    const TInk inside = InkIn(image, memorig::TextRect(memo, memo.LineIndex(41), 7), base);
    QVERIFY(inside.Purple > 20);
    QCOMPARE(inside.Blue, 0);
    const TInk closing = InkIn(image, memorig::TextRect(memo, memo.LineIndex(45), 14), base);
    QVERIFY(closing.Purple > 20);
    const TInk after = InkIn(image, memorig::TextRect(memo, memo.LineIndex(45) + 15, 3), base);
    QVERIFY(after.Blue > 10);
}

void TestColorMemoPaint::partly_visible_bottom_line_is_left_plain() {
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("public");
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, lines.join("\r\n"), QSize(300, 200)));
    const QImage image = memorig::Grab(memo);
    int line = memo.FirstVisibleLine();
    while (memo.PosFromChar(memo.LineIndex(line + 1)).y() < memo.viewport()->height())
        ++line;
    // the last line the viewport shows only in part
    const QRect cut = memorig::TextRect(memo, memo.LineIndex(line), 6);
    QVERIFY(cut.bottom() >= memo.viewport()->height());
    const TInk ink = InkIn(image, cut, memorig::Background(memo));
    QCOMPARE(ink.Blue, 0);
    const TInk above = InkIn(image, memorig::TextRect(memo, memo.LineIndex(line - 1), 6),
                             memorig::Background(memo));
    QVERIFY(above.Blue > 20);
}

void TestColorMemoPaint::long_line_scrolled_sideways_is_coloured_where_it_shows() {
    // A comment opened far to the left of the window and keywords far to the right of the
    // line's start, on a line long enough to keep its shaping between paints.
    QString line = QStringLiteral("/*") + QString(3000, QLatin1Char('c')) + QStringLiteral("*/");
    for (int i = 0; i < 400; ++i)
        line += QStringLiteral(" public");
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, line, QSize(400, 200)));
    const int32_t keyword = int32_t(line.indexOf(QStringLiteral("public")));
    const int32_t comment = keyword - 8;
    memo.SetSelStart(keyword + 8);
    memorig::Settle();
    QVERIFY(memo.horizontalScrollBar()->value() > 0);
    const QColor base = memorig::Background(memo);
    QImage image = memorig::Grab(memo);
    const QRect commentRect = memorig::TextRect(memo, comment, 4);
    QVERIFY(commentRect.left() >= 0);
    QVERIFY(InkIn(image, commentRect, base).Purple > 20);
    QVERIFY(InkIn(image, memorig::TextRect(memo, keyword, 6), base).Blue > 20);
    // once more, after the caret blinked: the line's kept shaping gives the same picture
    memo.SetSelStart(keyword + 9);
    memorig::Settle();
    image = memorig::Grab(memo);
    QVERIFY(InkIn(image, memorig::TextRect(memo, keyword + 7, 6), base).Blue > 20);
    QCOMPARE(InkIn(image, memorig::TextRect(memo, keyword + 6, 1), base).Blue, 0);
}

namespace {

// The lines whose layout keeps its shaping: the visible ones while the colours are on, and
// long lines always. Others letting go is what keeps a scroll through a long file from holding
// the shaping of every line it showed.
QString ShapingKeptWrongly(const TColorMemo& memo, bool colouring) {
    const int first = memo.FirstVisibleLine();
    const int visible = memo.viewport()->height() / memo.fontMetrics().height();
    for (QTextBlock block = memo.document()->firstBlock(); block.isValid(); block = block.next()) {
        const int line = block.blockNumber();
        const bool inView = line >= first && line < first + visible - 1;
        const bool nearView = line >= first && line <= first + visible + 1; // partly shown
        const bool kept = block.layout()->cacheEnabled();
        const bool wrong = block.length() > 2000 ? !kept
                                                 : (colouring && inView && !kept) ||
                                                       (kept && !(colouring && nearView));
        if (wrong)
            return QStringLiteral("line %1 (window from %2): %3").arg(line).arg(first).arg(kept);
    }
    return {};
}

} // namespace

void TestColorMemoPaint::only_the_visible_lines_keep_their_shaping() {
    QString text = QString(2500, QLatin1Char('x')) + QStringLiteral("\r\n");
    for (int i = 0; i < 25; ++i)
        text += JavaSample;
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, text));
    memorig::Grab(memo);
    QVERIFY(memo.document()->findBlockByNumber(1).layout()->cacheEnabled());
    QCOMPARE(ShapingKeptWrongly(memo, true), QString());
    QScrollBar* bar = memo.verticalScrollBar();
    bar->setValue(bar->maximum());
    memorig::Grab(memo);
    QVERIFY(memo.FirstVisibleLine() > 100);
    QCOMPARE(ShapingKeptWrongly(memo, true), QString());
    // lines added above the window shift the ones that kept their shaping
    QTextCursor cursor(memo.document());
    cursor.insertText(QStringLiteral("int a;\nint b;\nint c;\n"));
    memorig::Grab(memo);
    bar->setValue(0);
    memorig::Grab(memo);
    QCOMPARE(ShapingKeptWrongly(memo, true), QString());
    // colours off: the editor's own paint does not need it, not even for the lines in view
    memo.ColorRules().Clear();
    const QImage image = memorig::Grab(memo);
    QCOMPARE(ShapingKeptWrongly(memo, false), QString());
    QCOMPARE(InkIn(image, memo.viewport()->rect(), memorig::Background(memo)).Blue, 0);
}

void TestColorMemoPaint::on_draw_key_gets_adjacent_keywords_as_one_text() {
    TColorMemo memo;
    QStringList keys;
    QList<QRect> rects;
    QList<QColor> fontColors;
    memo.OnDrawKey = [&](QPainter& canvas, const QString& key, QRect rect, QColor fontColor) {
        keys << key;
        rects << rect;
        fontColors << fontColor;
        QCOMPARE(canvas.pen().color(), key == "{}" ? QColor(Qt::red) : QColor(Qt::blue));
    };
    QVERIFY(memorig::Show(memo, QStringLiteral("class A {}")));
    memorig::Grab(memo);
    QVERIFY(keys.contains(QStringLiteral("{}")));
    QVERIFY(keys.contains(QStringLiteral("class")));
    const int brace = int(keys.lastIndexOf(QStringLiteral("{}")));
    const QFontMetrics metrics(memorig::EditorFont());
    QCOMPARE(rects[brace].width(), metrics.horizontalAdvance(QStringLiteral("{}")));
    QCOMPARE(rects[brace].topLeft(), memo.PosFromChar(8));
    QCOMPARE(rects[brace].height(), memo.cursorRect().height());
    QCOMPARE(fontColors[brace], memo.palette().color(QPalette::Text));
    // the editor leaves those runs to the handler: they stay as plain text
    const TInk ink =
        InkIn(memorig::Grab(memo), memorig::TextRect(memo, 0, 5), memorig::Background(memo));
    QCOMPARE(ink.Blue, 0);
    QVERIFY(ink.Black > 20);
}

void TestColorMemoPaint::color_lim_max_zero_silences_event_rules() {
    TColorMemo memo;
    colmemo::TColorRule& rule = memo.ColorRules().Add();
    rule.KeyDrawingType = colmemo::dtEventDraw;
    int calls = 0;
    memo.OnDraw = [&](const colmemo::TColorRule&, const char16_t* fromPos,
                      std::span<colmemo::TKeyDescr> a, int32_t& count) {
        ++calls;
        QCOMPARE(QStringView(fromPos, 4), QStringView(u"mark"));
        a[0].First = 0;
        a[0].Last = 3;
        a[0].Color = colmemo::clRed;
        count = 1;
    };
    memo.SetColorLimMax(8);
    QVERIFY(memorig::Show(memo, QStringLiteral("mark this")));
    const QRect word = memorig::TextRect(memo, 0, 4);
    QVERIFY(InkIn(memorig::Grab(memo), word, memorig::Background(memo)).Red > 20);
    QVERIFY(calls > 0);

    memo.SetColorLimMax(0);
    calls = 0;
    const TInk silenced = InkIn(memorig::Grab(memo), word, memorig::Background(memo));
    QCOMPARE(silenced.Red, 0);
    QCOMPARE(calls, 0);
}

void TestColorMemoPaint::rule_with_mask_z_order_never_shows() {
    TColorMemo memo;
    colmemo::TColorRule& rule = memo.ColorRules().Add();
    rule.KeyDrawingType = colmemo::dtKeyShow;
    rule.ZOrder = 254;
    rule.Keywords() = {u"word"};
    QVERIFY(memorig::Show(memo, QStringLiteral("word")));
    const TInk ink =
        InkIn(memorig::Grab(memo), memorig::TextRect(memo, 0, 4), memorig::Background(memo));
    QCOMPARE(ink.Red, 0);
    QVERIFY(ink.Black > 20);
}

void TestColorMemoPaint::five_editors_with_copied_rules_render_alike() {
    TColorMemo first;
    QVERIFY(memorig::Show(first, JavaSample));
    first.SetSelStart(0);
    first.clearFocus();
    const QImage expected = memorig::Grab(first);
    for (int n = 2; n <= 5; ++n) {
        TColorMemo other;
        other.SetColorRules(first.ColorRules());
        QVERIFY(memorig::Show(other, JavaSample));
        other.clearFocus();
        QCOMPARE(other.ColorRules().Count(), 4);
        QVERIFY2(memorig::Grab(other) == expected, qPrintable(QStringLiteral("editor %1").arg(n)));
    }
}

void TestColorMemoPaint::disabled_editor_shows_plain_text() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, JavaSample));
    memo.setEnabled(false);
    const TInk ink = InkIn(memorig::Grab(memo), memorig::TextRect(memo, At("public class"), 6),
                           memorig::Background(memo));
    QCOMPARE(ink.Blue, 0);
}

QTEST_MAIN(TestColorMemoPaint)
#include "tst_colormemo_paint.moc"
