// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/JavaRules.h"
#include "ScanRig.h"

#include <QTest>

using namespace colmemo;

namespace {

std::u16string S(const QString& text) {
    return text.toStdU16String();
}

TStrings ToLines(const QStringList& lines) {
    TStrings result;
    for (const QString& line : lines)
        result.push_back(line.toStdU16String());
    return result;
}

std::u16string ManyLines(int count, const char16_t* line) {
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += std::u16string(i ? u"\r\n" : u"") + line;
    return text;
}

} // namespace

class TestKeyScanner : public QObject {
    Q_OBJECT

private slots:
    void nothing_to_find_gives_no_runs();
    void keywords_match_whole_words_only_data();
    void keywords_match_whole_words_only();
    void mixed_keywords_match_whole_words_data();
    void mixed_keywords_match_whole_words();
    void changed_keywords_are_searched_at_the_next_paint();
    void key_case_decides_letter_case_data();
    void key_case_decides_letter_case();
    void later_keyword_wins_shared_cells_data();
    void later_keyword_wins_shared_cells();
    void keyword_search_resumes_behind_each_occurrence_data();
    void keyword_search_resumes_behind_each_occurrence();
    void pairs_run_from_begin_to_end_mark_data();
    void pairs_run_from_begin_to_end_mark();
    void line_marks_run_to_the_line_break_data();
    void line_marks_run_to_the_line_break();
    void higher_zorder_wins_overlaps();
    void selection_mask_hides_lower_findings();
    void tabs_split_runs_data();
    void tabs_split_runs();
    void caret_line_redraws_in_font_colour_data();
    void caret_line_redraws_in_font_colour();
    void hot_spots_lie_between_markers_data();
    void hot_spots_lie_between_markers();
    void worked_example_gives_two_runs();
    void event_rule_takes_handler_findings();
    void event_rule_caps_items_count_at_buffer();
    void event_rule_is_silent_without_buffer();
    void shorter_paint_shows_no_runs_of_a_longer_one();
    void whole_text_selection_and_far_caret_line_stay_inside_region();
};

void TestKeyScanner::nothing_to_find_gives_no_runs() {
    TScanRig rig;
    rig.Input.HotSpot.Active = false;
    QVERIFY(rig.Runs(u"int a; \x1E"
                     u"x\x1F")
                .isEmpty());
    QCOMPARE(rig.Scanner.RunCount(), 0);
}

void TestKeyScanner::keywords_match_whole_words_only_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("before a blank") << "int x" << QStringList{"0..2 blue z0 kw"};
    QTest::newRow("in brackets") << "(int)" << QStringList{"1..3 blue z0 kw"};
    QTest::newRow("inside a word") << "print" << QStringList{};
    QTest::newRow("start of a word") << "interface" << QStringList{};
    QTest::newRow("before a digit") << "int2" << QStringList{"0..2 blue z0 kw"};
    QTest::newRow("after an underscore") << "_int" << QStringList{"1..3 blue z0 kw"};
    QTest::newRow("after a dollar") << "$int" << QStringList{"1..3 blue z0 kw"};
    QTest::newRow("after an at sign") << "@int" << QStringList{};
    QTest::newRow("after a line break") << "x\r\nint" << QStringList{"3..5 blue z0 kw"};
    QTest::newRow("after a non-ASCII letter")
        << QString::fromUtf8("\xC3\xA4int") << QStringList{"1..3 blue z0 kw"};
    QTest::newRow("twice in a row") << "intint" << QStringList{};
}

void TestKeyScanner::keywords_match_whole_words_only() {
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    TScanRig rig;
    rig.AddKeywords({u"int"});
    QCOMPARE(rig.Findings(S(text)), found);
}

void TestKeyScanner::mixed_keywords_match_whole_words_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("brace after a word") << "int{" << QStringList{"0..2 blue z0 kw"};
    QTest::newRow("brace after a blank") << "x{ {" << QStringList{"3..3 blue z0 kw"};
    QTest::newRow("keyword with at sign") << "@do it" << QStringList{"0..2 blue z0 kw"};
    QTest::newRow("at-sign keyword inside a word") << "x@do" << QStringList{};
    QTest::newRow("hyphenated keyword twice") << "a-a-a" << QStringList{"0..2 blue z0 kw"};
    QTest::newRow("in keyword order")
        << "{ int a-a" << QStringList{"2..4 blue z0 kw", "0..0 blue z0 kw", "6..8 blue z0 kw"};
}

void TestKeyScanner::mixed_keywords_match_whole_words() {
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    TScanRig rig;
    rig.AddKeywords({u"int", u"{", u"a-a", u"@do"});
    QCOMPARE(rig.Findings(S(text)), found);
}

void TestKeyScanner::changed_keywords_are_searched_at_the_next_paint() {
    TScanRig rig;
    TColorRule& rule = rig.AddKeywords({u"alpha"});
    QCOMPARE(rig.Runs(u"alpha alp"), QStringList{"0..4 blue z0 kw"});
    rule.SetKeywords(Lines({u"alp"}));
    QCOMPARE(rig.Runs(u"alpha alp"), QStringList{"6..8 blue z0 kw"});
    rule.SetKeywords(Lines({u"alp;red", u"alpha"}));
    QCOMPARE(rig.Runs(u"alpha alp"), (QStringList{"0..4 blue z0 kw", "6..8 red z0 kw"}));
}

void TestKeyScanner::key_case_decides_letter_case_data() {
    QTest::addColumn<bool>("keyCase");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("folded") << false
                            << QStringList{"0..1 blue z0 kw", "3..4 blue z0 kw", "6..7 blue z0 kw",
                                           "9..10 blue z0 kw"};
    QTest::newRow("exact") << true << QStringList{"6..7 blue z0 kw"};
}

void TestKeyScanner::key_case_decides_letter_case() {
    QFETCH(bool, keyCase);
    QFETCH(QStringList, found);
    TScanRig rig;
    rig.AddKeywords({u"if"}, clBlue, keyCase);
    // The text itself is not changed by the upper-case search: a case-exact rule behind it
    // still tells the cases apart.
    rig.AddKeywords({u"iF"}, clRed, true);
    QCOMPARE(rig.Findings(u"IF If if iF"), found + QStringList{"9..10 red z0 kw"});
}

void TestKeyScanner::later_keyword_wins_shared_cells_data() {
    QTest::addColumn<QStringList>("keywords");
    QTest::addColumn<QStringList>("runs");
    QTest::newRow("longer last") << QStringList{"in;red", "int;blue"}
                                 << QStringList{"0..2 blue z0 kw"};
    QTest::newRow("shorter last") << QStringList{"int;blue", "in;red"}
                                  << QStringList{"0..1 red z0 kw", "2..2 blue z0 kw"};
}

void TestKeyScanner::later_keyword_wins_shared_cells() {
    QFETCH(QStringList, keywords);
    QFETCH(QStringList, runs);
    TScanRig rig;
    TColorRule& rule = rig.AddKeywords({}, clBlack, true, true);
    rule.SetKeywords(ToLines(keywords));
    QCOMPARE(rig.Runs(u"int"), runs);
}

void TestKeyScanner::keyword_search_resumes_behind_each_occurrence_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<bool>("partWord");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("part words") << "aaaa"
                                << "aa" << true
                                << QStringList{"0..1 blue z0 kw", "2..3 blue z0 kw"};
    QTest::newRow("whole words") << "aaaa"
                                 << "aa" << false << QStringList{};
    // The rejected occurrence at 1 is passed over, so the whole word at 3 is never seen.
    QTest::newRow("rejected occurrence consumes") << "xa-a-a"
                                                  << "a-a" << false << QStringList{};
    QTest::newRow("accepted after a gap")
        << "a-a a-a"
        << "a-a" << false << QStringList{"0..2 blue z0 kw", "4..6 blue z0 kw"};
}

void TestKeyScanner::keyword_search_resumes_behind_each_occurrence() {
    QFETCH(QString, text);
    QFETCH(QString, keyword);
    QFETCH(bool, partWord);
    QFETCH(QStringList, found);
    TScanRig rig;
    TColorRule& rule = rig.AddKeywords({}, clBlue, true, partWord);
    rule.SetKeywords({keyword.toStdU16String()});
    QCOMPARE(rig.Findings(S(text)), found);
}

void TestKeyScanner::pairs_run_from_begin_to_end_mark_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<QStringList>("found");
    const QStringList comment{"/*;*/;"};
    QTest::newRow("two comments") << "/* a */ /* b */" << comment
                                  << QStringList{"0..6 purple z0", "8..14 purple z0"};
    QTest::newRow("end search starts behind the begin")
        << "/*/" << comment << QStringList{"0..2 purple z0"};
    QTest::newRow("end mark opens the next")
        << "/* a */* b */" << comment << QStringList{"0..6 purple z0", "6..12 purple z0"};
    QTest::newRow("unterminated second")
        << "/* a */ /* b" << comment << QStringList{"0..6 purple z0"};
    QTest::newRow("unterminated ends the rule")
        << "/* x {y} /* z" << QStringList{"/*;*/;", "{;};"} << QStringList{};
    QTest::newRow("over a line break")
        << "a\r\n/* b\r\nc */" << comment << QStringList{"3..12 purple z0"};
    QTest::newRow("malformed line hides later pairs")
        << "{ /* c */ }" << QStringList{"/*;*/;", "x", "{;};"} << QStringList{"2..8 purple z0"};
    QTest::newRow("earlier entry wins a tie")
        << "<<a>>" << QStringList{"<;>;red", "<<;>>;blue"} << QStringList{"0..3 red z0"};
    QTest::newRow("earliest begin wins")
        << "<< [a] >>" << QStringList{"<<;>>;red", "[;];blue"} << QStringList{"0..8 red z0"};
    QTest::newRow("empty end mark") << "<a>" << QStringList{"<;;"} << QStringList{};
}

void TestKeyScanner::pairs_run_from_begin_to_end_mark() {
    QFETCH(QString, text);
    QFETCH(QStringList, pairs);
    QFETCH(QStringList, found);
    TScanRig rig;
    rig.AddPairs({}).SetKeyBegEndLst(ToLines(pairs));
    QCOMPARE(rig.Findings(S(text)), found);
}

void TestKeyScanner::line_marks_run_to_the_line_break_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("at the end of the text")
        << "// x" << QStringList{"//;"} << QStringList{"0..3 purple z0"};
    QTest::newRow("two lines") << "a // b\r\nc // d" << QStringList{"//;"}
                               << QStringList{"2..5 purple z0", "10..13 purple z0"};
    QTest::newRow("empty comments")
        << "//\r\n//" << QStringList{"//;"} << QStringList{"0..1 purple z0", "4..5 purple z0"};
    QTest::newRow("second mark in the line")
        << "// a // b" << QStringList{"//;"} << QStringList{"0..8 purple z0"};
    QTest::newRow("marks in their own colours")
        << "-- a\r\n// b" << QStringList{"//;red", "--;blue"}
        << QStringList{"0..3 blue z0", "6..9 red z0"};
}

void TestKeyScanner::line_marks_run_to_the_line_break() {
    QFETCH(QString, text);
    QFETCH(QStringList, marks);
    QFETCH(QStringList, found);
    TScanRig rig;
    rig.AddLineEnds({}).SetKeyLineEndLst(ToLines(marks));
    QCOMPARE(rig.Findings(S(text)), found);
}

void TestKeyScanner::higher_zorder_wins_overlaps() {
    TScanRig rig;
    rig.AddPairs({u"/*;*/;"}, clPurple, 2);
    rig.AddLineEnds({u"//;"}, clRed, 1);
    rig.AddKeywords({u"int"});
    QCOMPARE(rig.Runs(u"/* a // int */ int"), (QStringList{"0..13 purple z2", "14..17 red z1"}));
}

void TestKeyScanner::selection_mask_hides_lower_findings() {
    TScanRig rig;
    rig.AddKeywords({u"int"});
    rig.Input.SelStart = 1;
    rig.Input.SelLength = 6;
    QCOMPARE(rig.Runs(u"int x int"),
             (QStringList{"0..0 blue z0 kw", "1..6 window z254", "7..8 blue z0 kw"}));
}

void TestKeyScanner::tabs_split_runs_data() {
    QTest::addColumn<bool>("wantTabs");
    QTest::addColumn<QStringList>("runs");
    QTest::newRow("with tabs") << true
                               << QStringList{"0..3 purple z0", "4..4 window z255",
                                              "5..5 purple z0"};
    QTest::newRow("without tabs") << false << QStringList{"0..5 purple z0"};
}

void TestKeyScanner::tabs_split_runs() {
    QFETCH(bool, wantTabs);
    QFETCH(QStringList, runs);
    TScanRig rig;
    rig.AddLineEnds({u"//;"});
    rig.Input.WantTabs = wantTabs;
    QCOMPARE(rig.Runs(u"// a\tb"), runs);
}

void TestKeyScanner::caret_line_redraws_in_font_colour_data() {
    QTest::addColumn<uint>("fontColor");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QStringList>("runs");
    QTest::newRow("coloured font")
        << 0x123456u << 4 << QStringList{"0..2 $123456 z0", "3..4 blue z0 kw"};
    QTest::newRow("black font") << 0x000000u << 2
                                << QStringList{"0..2 black z0", "3..4 blue z0 kw"};
    // Black, z-order 0 and no keyword look like an uncovered cell: the stretch runs on into the
    // gap and is dropped because its last cell is uncovered.
    QTest::newRow("black font before a gap") << 0x000000u << 1 << QStringList{"3..4 blue z0 kw"};
}

void TestKeyScanner::caret_line_redraws_in_font_colour() {
    QFETCH(uint, fontColor);
    QFETCH(int, caret);
    QFETCH(QStringList, runs);
    TScanRig rig;
    rig.AddKeywords({u"cd"});
    rig.Input.RedrawAlways = true;
    rig.Input.FontColor = fontColor;
    rig.Input.CaretLineStart = 0;
    rig.Input.SelStart = caret;
    QCOMPARE(rig.Runs(u"ab cd ef"), runs);
}

void TestKeyScanner::hot_spots_lie_between_markers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("active");
    QTest::addColumn<QChar>("beginChar");
    QTest::addColumn<QChar>("endChar");
    QTest::addColumn<QStringList>("runs");
    const QChar rs(30), us(31);
    QTest::newRow("default markers")
        << QString("see %1Main%2 here").arg(rs, us) << true << rs << us
        << QStringList{"4..4 window z253", "5..8 blue z252", "9..9 window z253"};
    QTest::newRow("inactive") << QString("see %1Main%2 here").arg(rs, us) << false << rs << us
                              << QStringList{};
    QTest::newRow("equal markers")
        << "a|b|c|d" << true << QChar('|') << QChar('|')
        << QStringList{"1..1 window z253", "2..2 blue z252", "3..3 window z253"};
    QTest::newRow("unclosed") << QString("x%1y").arg(rs) << true << rs << us << QStringList{};
    QTest::newRow("empty hot spot")
        << QString("%1%2").arg(rs, us) << true << rs << us << QStringList{"0..1 window z253"};
    QTest::newRow("begin char zero")
        << QString("a") + QChar(0) + "b|" << true << QChar(0) << QChar('|') << QStringList{};
}

void TestKeyScanner::hot_spots_lie_between_markers() {
    QFETCH(QString, text);
    QFETCH(bool, active);
    QFETCH(QChar, beginChar);
    QFETCH(QChar, endChar);
    QFETCH(QStringList, runs);
    TScanRig rig;
    rig.Input.HotSpot.Active = active;
    rig.Input.HotSpot.BeginChar = beginChar.unicode();
    rig.Input.HotSpot.EndChar = endChar.unicode();
    QCOMPARE(rig.Runs(S(text)), runs);
}

void TestKeyScanner::worked_example_gives_two_runs() {
    TScanRig rig;
    AddJavaRules(rig.Rules);
    rig.Load(u"int a; // int");
    QCOMPARE(rig.Scanner.ScanStart(), 0);
    QCOMPARE(rig.Scanner.ScanEnd(), 13);
    QCOMPARE(rig.Findings(u"int a; // int"),
             (QStringList{"7..12 purple z1", "0..2 blue z0 kw", "10..12 blue z0 kw"}));
    rig.Scanner.BuildRuns();
    // Three findings make two runs: the run list has to end before the third finding's record.
    QCOMPARE(rig.RunTexts(), (QStringList{"0..2 blue z0 kw", "7..12 purple z1"}));
    QCOMPARE(rig.Scanner.RunCount(), 2);
}

void TestKeyScanner::event_rule_takes_handler_findings() {
    TScanRig rig;
    TColorRule& rule = rig.Rules.Add();
    rule.KeyDrawingType = dtEventDraw;
    rule.ZOrder = 5;
    rig.Scanner.SetColorLimMax(4);
    QStringList seen;
    rig.Scanner.OnDraw = [&](const TColorRule& sender, const char16_t* fromPos,
                             std::span<TKeyDescr> a, int32_t& itemsCount) {
        seen << QString::fromUtf16(fromPos) << QString::number(a.size())
             << QString::number(itemsCount);
        QVERIFY(&sender == &rule);
        QVERIFY(a[3].First == 0 && a[3].Last == 0 && a[3].Color == 0);
        a[0] = {0, 1, clRed, 0, 0};
        a[1] = {3, 3, clBlue, 9, 0};
        a[2] = {-5, 1000000, clYellow, 1, 0}; // cut to the scanned text
        itemsCount = 3;
    };
    rig.Geometry.SetText(u"xxxx\r\nabcd\r\nefgh");
    rig.Geometry.SetWindow(1, 1);
    rig.Scanner.LoadRegion(ComputeScanRegion(&rig.Rules, false, 1, 0, rig.Geometry), rig.Geometry);
    rig.Scanner.CollectKeys(rig.Input);
    QCOMPARE(seen, (QStringList{"abcd\r\n", "4", "0"}));
    QStringList found;
    for (int32_t i = 0; i < rig.Scanner.DescrCount(); ++i)
        found << DescrText(rig.Scanner.KeyList()[size_t(i)]);
    QCOMPARE(found, (QStringList{"6..7 red z5", "9..9 blue z9", "6..11 yellow z1"}));
}

void TestKeyScanner::event_rule_caps_items_count_at_buffer() {
    TScanRig rig;
    rig.Rules.Add().KeyDrawingType = dtEventDraw;
    rig.Scanner.SetColorLimMax(2);
    rig.Scanner.OnDraw = [](const TColorRule&, const char16_t*, std::span<TKeyDescr> a,
                            int32_t& itemsCount) {
        a[0] = {0, 0, clRed, 1, 0};
        a[1] = {2, 2, clRed, 1, 0};
        itemsCount = 10;
    };
    QCOMPARE(rig.Findings(u"abc"), (QStringList{"0..0 red z1", "2..2 red z1"}));
}

void TestKeyScanner::event_rule_is_silent_without_buffer() {
    TScanRig rig;
    rig.Rules.Add().KeyDrawingType = dtEventDraw;
    int calls = 0;
    rig.Scanner.OnDraw = [&](const TColorRule&, const char16_t*, std::span<TKeyDescr>,
                             int32_t& itemsCount) {
        ++calls;
        itemsCount = 0;
    };
    rig.Scanner.SetColorLimMax(3);
    rig.Scanner.SetColorLimMax(0);
    QVERIFY(rig.Findings(u"abc").isEmpty());
    QCOMPARE(calls, 0);
    rig.Scanner.SetColorLimMax(1);
    rig.Findings(u"abc");
    QCOMPARE(calls, 1);
}

void TestKeyScanner::shorter_paint_shows_no_runs_of_a_longer_one() {
    TScanRig rig;
    rig.AddKeywords({u"a"});
    QCOMPARE(rig.Runs(u"a b a b a b a"), (QStringList{"0..0 blue z0 kw", "4..4 blue z0 kw",
                                                      "8..8 blue z0 kw", "12..12 blue z0 kw"}));
    // The records of the longer paint stay behind; the shorter one ends its runs before them.
    QCOMPARE(rig.Runs(u"b a"), QStringList{"2..2 blue z0 kw"});
    QCOMPARE(rig.Scanner.RunCount(), 1);
    QCOMPARE(rig.Runs(u"a b a b a b a").size(), qsizetype(4));
}

void TestKeyScanner::whole_text_selection_and_far_caret_line_stay_inside_region() {
    TScanRig rig;
    rig.AddKeywords({u"int"});
    rig.Geometry.SetText(ManyLines(1000, u"int x;"));
    rig.Geometry.SetWindow(500, 2);
    rig.Input.FirstVisibleLine = 500;
    rig.Input.SelStart = 0;
    rig.Input.SelLength = rig.Geometry.TextLength();
    rig.Input.RedrawAlways = true; // with the caret line far above the window
    rig.Input.CaretLineStart = 0;
    // A font colour that shows as a run: a caret-line finding outside the region would be one.
    rig.Input.FontColor = 0x123456;
    rig.Scanner.Scan(rig.Input, rig.Geometry);
    QCOMPARE(rig.Scanner.ScanStart(), 4000);
    QCOMPARE(rig.Scanner.ScanEnd(), 4016);
    QCOMPARE(rig.RunTexts(), QStringList{"4000..4015 window z254"});
}

QTEST_APPLESS_MAIN(TestKeyScanner)
#include "tst_keyscanner.moc"
