// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/JavaRules.h"
#include "ScanRig.h"

#include <QTest>

using namespace colmemo;

namespace {

// count lines of "abc": line i starts at 5 * i and ends at 5 * i + 3; no break after the last.
std::u16string AbcLines(int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += i == 0 ? u"abc" : u"\r\nabc";
    return text;
}

// Lines of "x" with "/*" opening line begin and "*/" closing line end.
std::u16string CommentedLines(int count, int begin, int end) {
    std::u16string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += u"\r\n";
        text += i == begin ? u"/* x" : i == end ? u"x */" : u"x";
    }
    return text;
}

class TFetchRecorder : public TPlainTextGeometry {
public:
    using TPlainTextGeometry::TPlainTextGeometry;
    void FetchText(int32_t first, int32_t last, char16_t* dest) const override {
        Fetched << QStringLiteral("%1..%2").arg(first).arg(last);
        TPlainTextGeometry::FetchText(first, last, dest);
    }
    mutable QStringList Fetched;
};

} // namespace

class TestScanRegion : public QObject {
    Q_OBJECT

private slots:
    void region_reaches_back_from_anchor_data();
    void region_reaches_back_from_anchor();
    void empty_last_line_is_not_scanned();
    void only_lines_inside_the_region_are_coloured_data();
    void only_lines_inside_the_region_are_coloured();
    void scan_fetches_only_the_region();
};

void TestScanRegion::region_reaches_back_from_anchor_data() {
    QTest::addColumn<QList<int>>("lookBacks"); // KeyMaxHeight of each rule
    QTest::addColumn<bool>("caretLineOnly");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("firstVisible");
    QTest::addColumn<int>("visibleCount");
    QTest::addColumn<int>("startLine");
    QTest::addColumn<int>("scanStart");
    QTest::addColumn<int>("scanEnd");
    using L = QList<int>;
    QTest::newRow("look-back reaches the top") << L{20} << false << 5 << 5 << 10 << 0 << 0 << 75;
    QTest::newRow("look-back of 19 lines") << L{20} << false << 30 << 30 << 10 << 11 << 55 << 200;
    QTest::newRow("only the first rule counts")
        << L{1, 20} << false << 30 << 30 << 10 << 30 << 150 << 200;
    QTest::newRow("no rules") << L{} << false << 30 << 30 << 10 << 30 << 150 << 200;
    QTest::newRow("window reaches the last line")
        << L{20} << false << 50 << 50 << 20 << 31 << 155 << 298;
    QTest::newRow("anchor not entirely visible")
        << L{20} << false << 30 << 30 << 0 << 11 << 55 << 150;
    QTest::newRow("look-back of 0 skips the anchor")
        << L{0} << false << 30 << 30 << 10 << 31 << 155 << 200;
    QTest::newRow("anchor 0 starts at 0") << L{0} << false << 0 << 0 << 10 << 0 << 0 << 50;
    QTest::newRow("first visible beyond the lines")
        << L{1} << false << 70 << 70 << 10 << 70 << 298 << 298;
    QTest::newRow("caret line") << L{20} << true << 25 << 0 << 60 << 6 << 30 << 128;
    QTest::newRow("caret line below the window")
        << L{20} << true << 25 << 0 << 10 << 6 << 30 << 125;
    // The start line lies past the caret line's end: an empty region, not a scan to the end.
    QTest::newRow("caret line with look-back 0")
        << L{0} << true << 25 << 0 << 60 << 26 << 130 << 130;
}

void TestScanRegion::region_reaches_back_from_anchor() {
    QFETCH(QList<int>, lookBacks);
    QFETCH(bool, caretLineOnly);
    QFETCH(int, anchor);
    QFETCH(int, firstVisible);
    QFETCH(int, visibleCount);
    QFETCH(int, startLine);
    QFETCH(int, scanStart);
    QFETCH(int, scanEnd);
    TDrawRules rules;
    for (int lookBack : lookBacks)
        rules.Add().KeyMaxHeight = lookBack;
    TPlainTextGeometry geometry(AbcLines(60));
    geometry.SetWindow(firstVisible, visibleCount);
    const int32_t visibleAnchor = caretLineOnly ? firstVisible : anchor;
    const TScanRegion region =
        ComputeScanRegion(&rules, caretLineOnly, visibleAnchor, anchor, geometry);
    QCOMPARE(region.StartLine, startLine);
    QCOMPARE(region.ScanStart, scanStart);
    QCOMPARE(region.ScanEnd, scanEnd);
}

void TestScanRegion::empty_last_line_is_not_scanned() {
    TPlainTextGeometry geometry(u"ab\r\ncd\r\n");
    QCOMPARE(geometry.LineCount(), 2);
    const TScanRegion region = ComputeScanRegion(nullptr, false, 0, 0, geometry);
    QCOMPARE(region.ScanEnd, 6);
    const TScanRegion caretRegion = ComputeScanRegion(nullptr, true, 0, 2, geometry);
    QCOMPARE(caretRegion.ScanStart, 8);
    QCOMPARE(caretRegion.ScanEnd, 8);
}

void TestScanRegion::only_lines_inside_the_region_are_coloured_data() {
    QTest::addColumn<int>("beginLine");
    QTest::addColumn<int>("endLine");
    QTest::addColumn<int>("firstVisible");
    QTest::addColumn<int>("visibleCount");
    QTest::addColumn<bool>("coloured");
    QTest::newRow("opened 19 lines above the window") << 21 << 45 << 40 << 20 << true;
    QTest::newRow("opened 20 lines above the window") << 20 << 45 << 40 << 20 << false;
    QTest::newRow("closed in the last full line") << 2 << 9 << 0 << 10 << true;
    QTest::newRow("closed in a partly visible line") << 2 << 10 << 0 << 10 << false;
}

void TestScanRegion::only_lines_inside_the_region_are_coloured() {
    QFETCH(int, beginLine);
    QFETCH(int, endLine);
    QFETCH(int, firstVisible);
    QFETCH(int, visibleCount);
    QFETCH(bool, coloured);
    TScanRig rig;
    AddJavaRules(rig.Rules);
    rig.Geometry.SetText(CommentedLines(60, beginLine, endLine));
    rig.Geometry.SetWindow(firstVisible, visibleCount);
    rig.Input.FirstVisibleLine = firstVisible;
    rig.Scanner.Scan(rig.Input, rig.Geometry);
    const int32_t begin = rig.Geometry.LineIndex(beginLine);
    const int32_t end = rig.Geometry.LineIndex(endLine) + 3;
    const QString comment = QStringLiteral("%1..%2 purple z2").arg(begin).arg(end);
    QCOMPARE(rig.RunTexts().contains(comment), coloured);
    QCOMPARE(rig.RunTexts().isEmpty(), !coloured);
}

void TestScanRegion::scan_fetches_only_the_region() {
    TScanRig rig;
    AddJavaRules(rig.Rules);
    rig.AddKeywords({u"abc"});
    TFetchRecorder geometry(AbcLines(1000));
    geometry.SetWindow(500, 30);
    rig.Input.FirstVisibleLine = 500;
    rig.Scanner.Scan(rig.Input, geometry);
    QCOMPARE(rig.Scanner.ScanStart(), 5 * 481);
    QCOMPARE(rig.Scanner.ScanEnd(), 5 * 530);
    QCOMPARE(geometry.Fetched, QStringList{QStringLiteral("2405..2650")});
    // The fetched lines are searched where they stand in the text, from the first to the last.
    const QStringList runs = rig.RunTexts();
    QCOMPARE(runs.size(), 49);
    QCOMPARE(runs.front(), QStringLiteral("2405..2407 blue z0 kw"));
    QCOMPARE(runs.back(), QStringLiteral("2645..2647 blue z0 kw"));
}

QTEST_APPLESS_MAIN(TestScanRegion)
#include "tst_scanregion.moc"
