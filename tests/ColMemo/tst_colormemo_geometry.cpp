// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemo.h"
#include "ColMemo/ColorMemoGeometry.h"
#include "ColMemo/ColorMemoPainter.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace {

// Lines "ab", "cd", "" and "ef": starts 0, 4, 8, 10; text end 12.
const QString Text = QStringLiteral("ab\r\ncd\r\n\r\nef");

} // namespace

class TestColorMemoGeometry : public QObject {
    Q_OBJECT

private slots:
    void fetch_text_copies_breaks_as_crlf_data();
    void fetch_text_copies_breaks_as_crlf();
    void lines_answer_in_the_index_model();
    void visible_lines_are_found_by_index_data();
    void visible_lines_are_found_by_index();
    void only_whole_lines_count_as_entirely_visible();
    void horizontal_scroll_range_follows_the_width();
    void colours_convert_both_ways_data();
    void colours_convert_both_ways();
};

void TestColorMemoGeometry::fetch_text_copies_breaks_as_crlf_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole text") << 0 << 12 << Text;
    QTest::newRow("across a break") << 1 << 5 << "b\r\nc";
    QTest::newRow("the CR alone") << 2 << 3 << "\r";
    QTest::newRow("from the LF") << 3 << 6 << "\ncd";
    QTest::newRow("an empty line's break") << 8 << 10 << "\r\n";
    QTest::newRow("last line") << 10 << 12 << "ef";
    QTest::newRow("nothing") << 5 << 5 << "";
}

void TestColorMemoGeometry::fetch_text_copies_breaks_as_crlf() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, expected);
    TColorMemo memo;
    memo.SetText(Text);
    const TTextModel model(memo.document());
    const TColorMemoGeometry geometry(model, memo.document());
    // one guard character after the copy must stay untouched
    std::vector<char16_t> buffer(size_t(last - first) + 1, u'#');
    geometry.FetchText(first, last, buffer.data());
    QCOMPARE(QString::fromStdU16String({buffer.data(), size_t(last - first)}), expected);
    QCOMPARE(buffer.back(), u'#');
}

void TestColorMemoGeometry::lines_answer_in_the_index_model() {
    TColorMemo memo;
    memo.SetText(Text);
    const TTextModel model(memo.document());
    const TColorMemoGeometry geometry(model, memo.document());
    QCOMPARE(geometry.LineCount(), 4);
    QCOMPARE(geometry.TextLength(), 12);
    QCOMPARE(geometry.LineIndex(2), 8);
    QCOMPARE(geometry.LineIndex(4), -1);
    QCOMPARE(geometry.LineLength(1), 2);
    QCOMPARE(geometry.LineLength(2), 0);
    QCOMPARE(geometry.LineLength(9), 0);
}

void TestColorMemoGeometry::visible_lines_are_found_by_index_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("line");
    // lines 1 and 2 are visible
    QTest::newRow("above the window") << 3 << 0;
    QTest::newRow("first visible") << 4 << 1;
    QTest::newRow("on its LF") << 7 << 1;
    QTest::newRow("empty visible line") << 8 << 2;
    QTest::newRow("its break") << 9 << 2;
    QTest::newRow("below the window") << 10 << 3;
}

void TestColorMemoGeometry::visible_lines_are_found_by_index() {
    QFETCH(int, index);
    QFETCH(int, line);
    TColorMemo memo;
    memo.SetText(Text);
    const TTextModel model(memo.document());
    TColorMemoGeometry geometry(model, memo.document());
    const QTextBlock second = memo.document()->findBlockByNumber(1);
    const qreal height = memo.document()->documentLayout()->blockBoundingRect(second).height();
    geometry.SetWindow(second, QPointF(0, 0), 2 * height);
    QCOMPARE(geometry.FirstVisibleLine(), 1);
    QCOMPARE(geometry.LastVisibleLine(), 2);
    QCOMPARE(geometry.LineOf(index), line);
}

void TestColorMemoGeometry::only_whole_lines_count_as_entirely_visible() {
    TColorMemo memo;
    memo.SetText(Text);
    const TTextModel model(memo.document());
    TColorMemoGeometry geometry(model, memo.document());
    const QTextBlock first = memo.document()->firstBlock();
    const qreal height = memo.document()->documentLayout()->blockBoundingRect(first).height();
    geometry.SetWindow(first, QPointF(0, 4), 2.5 * height);
    QVERIFY(geometry.LineEntirelyVisible(0));
    QVERIFY(geometry.LineEntirelyVisible(1));
    QVERIFY(!geometry.LineEntirelyVisible(2)); // cut off at the bottom
    QVERIFY(!geometry.LineEntirelyVisible(3));
    QVERIFY(geometry.Visible(2) != nullptr);
    QCOMPARE(geometry.Visible(3), nullptr);
}

// Widening leaves the lines' layout alone; the scroll range must still fit the new width.
void TestColorMemoGeometry::horizontal_scroll_range_follows_the_width() {
    TColorMemo memo;
    memo.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const QString line(40, QLatin1Char('x'));
    memo.SetText(QStringLiteral("ab\r\n") + line + QStringLiteral("\r\ncd"));
    const int lineWidth = memo.fontMetrics().horizontalAdvance(line);
    QScrollBar* bar = memo.horizontalScrollBar();
    const auto showWith = [&](int viewportWidth) {
        memo.resize(viewportWidth + memo.width() - memo.viewport()->width(), 200);
        memo.show();
        QCoreApplication::processEvents();
        return bar->maximum();
    };
    QCOMPARE(showWith(lineWidth + 200), 0);
    QVERIFY(showWith(lineWidth / 2) > 0);
    QCOMPARE(showWith(lineWidth + 100), 0);
    QCOMPARE(showWith(lineWidth + 300), 0);
    // narrowing, even to no wider than the long line, leaves no range beyond the line
    QCOMPARE(showWith(lineWidth + 50), 0);
    QVERIFY(showWith(lineWidth - 60) > 0);
    QVERIFY(bar->maximum() <= 80);
}

void TestColorMemoGeometry::colours_convert_both_ways_data() {
    QTest::addColumn<uint>("color");
    QTest::addColumn<QColor>("expected");
    const QPalette palette;
    QTest::newRow("red") << uint(colmemo::clRed) << QColor(255, 0, 0);
    QTest::newRow("blue") << uint(colmemo::clBlue) << QColor(0, 0, 255);
    QTest::newRow("purple") << uint(colmemo::clPurple) << QColor(128, 0, 128);
    QTest::newRow("BBGGRR order") << 0x123456u << QColor(0x56, 0x34, 0x12);
    QTest::newRow("window") << uint(colmemo::clWindow) << palette.color(QPalette::Base);
    QTest::newRow("window text") << 0x80000008u << palette.color(QPalette::Text);
    QTest::newRow("highlight") << 0x8000000Du << palette.color(QPalette::Highlight);
}

void TestColorMemoGeometry::colours_convert_both_ways() {
    QFETCH(uint, color);
    QFETCH(QColor, expected);
    const QColor converted = colmemo::ToQColor(color, QPalette());
    QCOMPARE(converted, expected);
    if (!(color & 0x80000000u))
        QCOMPARE(colmemo::ToTColor(converted), colmemo::TColor(color));
}

QTEST_MAIN(TestColorMemoGeometry)
#include "tst_colormemo_geometry.moc"
