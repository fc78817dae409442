// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorRules.h"
#include "ScanRig.h"

#include <QTest>

using namespace colmemo;

namespace {

QString Q(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

// The pattern with each colour-number character (the one after "*+") shown as <n>.
QString PatternText(const std::u16string& pattern) {
    QString result;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (i >= 2 && pattern[i - 2] == u'*' && pattern[i - 1] == u'+')
            result += QStringLiteral("<%1>").arg(int(pattern[i]));
        else
            result += QChar(pattern[i]);
    }
    return result;
}

QStringList UsedColors(const TColorRule& rule) {
    QStringList result;
    for (int i = 0; i < rule.KeyColorsUsed(); ++i)
        result << ColorName(rule.KeyColors()[size_t(i)]);
    return result;
}

// "begin|end|colour" for every entry up to the first empty one, "-" for empty entries after it.
QStringList PairTexts(const TColorRule& rule) {
    QStringList result;
    for (const TKeyPair& pair : *rule.KeyPairs()) {
        if (pair.Empty())
            result << QStringLiteral("-");
        else
            result << Q(pair.Begin()) + u'|' + Q(pair.End()) + u'|' + ColorName(pair.Color);
    }
    while (!result.isEmpty() && result.last() == QLatin1String("-"))
        result.removeLast();
    return result;
}

TStrings ToLines(const QStringList& lines) {
    TStrings result;
    for (const QString& line : lines)
        result.push_back(line.toStdU16String());
    return result;
}

} // namespace

class TestColorRules : public QObject {
    Q_OBJECT

private slots:
    void parse_color_reads_names_and_hex_numbers_data();
    void parse_color_reads_names_and_hex_numbers();
    void keyword_lines_compile_into_pattern_data();
    void keyword_lines_compile_into_pattern();
    void keyword_colors_beyond_forty_one_share_the_last();
    void recompiling_keywords_starts_color_numbers_afresh();
    void pair_lines_compile_into_key_pairs_data();
    void pair_lines_compile_into_key_pairs();
    void line_end_lines_compile_into_key_pairs_data();
    void line_end_lines_compile_into_key_pairs();
    void pair_lists_beyond_forty_lines_are_cut();
    void compile_rule_reports_content_by_kind_data();
    void compile_rule_reports_content_by_kind();
    void pair_table_holds_the_list_compiled_last();
    void key_case_change_waits_for_next_compile();
    void prepare_rules_compiles_every_second_paint_with_content();
    void prepare_rules_compiles_every_paint_without_content();
    void prepare_rules_compiles_disabled_rules_too();
    void rule_copy_from_skips_sel_color_and_int_char();
    void rule_copy_from_compiles_with_copied_settings();
    void collection_copy_from_gives_independent_rules();
    void collection_copy_from_itself_keeps_rules();
};

void TestColorRules::parse_color_reads_names_and_hex_numbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("color");
    QTest::newRow("name with blanks") << " purple " << 0x800080u;
    QTest::newRow("name in mixed case") << "Fuchsia" << 0xFF00FFu;
    QTest::newRow("name between control characters") << "\tred\r" << 0x0000FFu;
    QTest::newRow("prefixed name") << "clRed" << 0xFFFFFFu;
    QTest::newRow("hash green") << "#00FF00" << 0x00FF00u;
    QTest::newRow("dollar blue") << "$0000FF" << 0xFF0000u;
    QTest::newRow("bare red") << "FF0000" << 0x0000FFu;
    QTest::newRow("hash red") << "#FF0000" << 0x0000FFu;
    QTest::newRow("lower-case digits") << "ff8040" << 0x4080FFu;
    QTest::newRow("top byte dropped") << "12345678" << 0x785634u;
    QTest::newRow("dollar at the end") << "12$" << 0xFFFFFFu;
    QTest::newRow("not a number") << "xyz" << 0xFFFFFFu;
    QTest::newRow("hash alone") << "#" << 0xFFFFFFu;
    QTest::newRow("more than 32 bits") << "FFFFFFFFFF" << 0xFFFFFFu;
    QTest::newRow("cut to ten characters") << "0000FF0000X" << 0x0000FFu;
    QTest::newRow("name cut to ten is no name") << "SILVERXXXXX" << 0xFFFFFFu;
}

void TestColorRules::parse_color_reads_names_and_hex_numbers() {
    QFETCH(QString, text);
    QFETCH(uint, color);
    QCOMPARE(ParseColor(text.toStdU16String()), TColor(color));
}

void TestColorRules::keyword_lines_compile_into_pattern_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("keyCase");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("colors");
    const QStringList blue{"blue"};
    QTest::newRow("trailing blank kept")
        << QStringList{"int ; blue"} << true << "*int *+<1>*" << blue;
    QTest::newRow("blank keyword part skipped")
        << QStringList{";red"} << true << "*" << QStringList{};
    QTest::newRow("line of blanks skipped")
        << QStringList{"   ", ""} << true << "*" << QStringList{};
    QTest::newRow("folded without KeyCase")
        << QStringList{"String"} << false << "*STRING*+<1>*" << blue;
    QTest::newRow("kept with KeyCase") << QStringList{"String"} << true << "*String*+<1>*" << blue;
    QTest::newRow("two in default colour")
        << QStringList{"abstract", "boolean"} << true << "*abstract*+<1>*boolean*+<1>*" << blue;
    QTest::newRow("black is a colour of its own")
        << QStringList{"a;red", "b;black", "c;blue"} << true << "*a*+<1>*b*+<2>*c*+<3>*"
        << QStringList{"red", "black", "blue"};
    QTest::newRow("repeated colour reuses its number")
        << QStringList{"a;red", "b", "c;RED"} << true << "*a*+<1>*b*+<2>*c*+<1>*"
        << QStringList{"red", "blue"};
    QTest::newRow("star in keyword rejected")
        << QStringList{"a*b", "ok"} << true << "*ok*+<1>*" << blue;
    QTest::newRow("32 characters rejected") << QStringList{QString(32, 'x'), QString(31, 'y')}
                                            << true << "*" + QString(31, 'y') + "*+<1>*" << blue;
}

void TestColorRules::keyword_lines_compile_into_pattern() {
    QFETCH(QStringList, lines);
    QFETCH(bool, keyCase);
    QFETCH(QString, pattern);
    QFETCH(QStringList, colors);
    TColorRule rule;
    rule.DefKeyColor = clBlue;
    rule.KeyCase = keyCase;
    rule.SetKeywords(ToLines(lines));
    QCOMPARE(PatternText(rule.KeywordPattern()), pattern);
    QCOMPARE(UsedColors(rule), colors);
    QCOMPARE(rule.Keywords().size(), size_t(lines.size()));
}

void TestColorRules::keyword_colors_beyond_forty_one_share_the_last() {
    QStringList lines;
    for (int i = 1; i <= 43; ++i)
        lines << QStringLiteral("k%1;%2").arg(i).arg(i, 6, 16, QLatin1Char('0'));
    TColorRule rule;
    rule.KeyCase = true;
    rule.SetKeywords(ToLines(lines));
    QCOMPARE(rule.KeyColorsUsed(), MaxKeyColors);
    const QString pattern = PatternText(rule.KeywordPattern());
    QVERIFY(pattern.contains(QStringLiteral("*k41*+<41>*")));
    QVERIFY(pattern.contains(QStringLiteral("*k42*+<41>*")));
    QVERIFY(pattern.endsWith(QStringLiteral("*k43*+<41>*")));
}

void TestColorRules::recompiling_keywords_starts_color_numbers_afresh() {
    TColorRule rule;
    rule.KeyCase = true;
    rule.SetKeywords(Lines({u"a;red", u"b;lime"}));
    rule.SetKeywords(Lines({u"c;blue", u"d;red"}));
    QCOMPARE(PatternText(rule.KeywordPattern()), QStringLiteral("*c*+<1>*d*+<2>*"));
    QCOMPARE(UsedColors(rule), (QStringList{"blue", "red"}));
    QCOMPARE(rule.KeyColors()[2], TColor(0));
}

void TestColorRules::pair_lines_compile_into_key_pairs_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("pairs");
    QTest::newRow("comment pair") << QStringList{"/*;*/;"} << QStringList{"/*|*/|purple"};
    QTest::newRow("malformed line leaves a gap")
        << QStringList{"/*;*/;", "x", "{;};"} << QStringList{"/*|*/|purple", "-", "{|}|purple"};
    QTest::newRow("leading semicolon")
        << QStringList{";x;", "a;b"} << QStringList{"-", "a|b|purple"};
    QTest::newRow("begin cut to six")
        << QStringList{"BEGINNING;END;"} << QStringList{"BEGINN|END|purple"};
    QTest::newRow("end cut to six, own colour")
        << QStringList{"a;VERYLONGEND;red"} << QStringList{"a|VERYLO|red"};
    QTest::newRow("no second semicolon") << QStringList{"/*;*/"} << QStringList{"/*|*/|purple"};
    QTest::newRow("empty end mark") << QStringList{"<;;#00FF00"} << QStringList{"<||$00FF00"};
}

void TestColorRules::pair_lines_compile_into_key_pairs() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, pairs);
    TColorRule rule;
    rule.DefKeyColor = clPurple;
    QVERIFY(!rule.KeyPairs());
    rule.SetKeyBegEndLst(ToLines(lines));
    QVERIFY(rule.KeyPairs());
    QCOMPARE(PairTexts(rule), pairs);
}

void TestColorRules::line_end_lines_compile_into_key_pairs_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("pairs");
    QTest::newRow("line comment") << QStringList{"//;"} << QStringList{"//||purple"};
    QTest::newRow("two semicolons") << QStringList{";;"} << QStringList{";||purple"};
    QTest::newRow("two semicolons and colour") << QStringList{";;red"} << QStringList{";||red"};
    QTest::newRow("leading semicolon taken whole")
        << QStringList{";x"} << QStringList{";x||purple"};
    QTest::newRow("no semicolon") << QStringList{"REM"} << QStringList{"REM||purple"};
    QTest::newRow("own colour") << QStringList{"--;blue"} << QStringList{"--||blue"};
    QTest::newRow("mark cut to six") << QStringList{"LONGMARKER;"} << QStringList{"LONGMA||purple"};
    QTest::newRow("empty line leaves a gap")
        << QStringList{"", "#"} << QStringList{"-", "#||purple"};
}

void TestColorRules::line_end_lines_compile_into_key_pairs() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, pairs);
    TColorRule rule;
    rule.DefKeyColor = clPurple;
    rule.SetKeyLineEndLst(ToLines(lines));
    QCOMPARE(PairTexts(rule), pairs);
}

void TestColorRules::pair_lists_beyond_forty_lines_are_cut() {
    TStrings lines;
    for (int i = 0; i < 45; ++i)
        lines.push_back(u"m" + QString::number(i).toStdU16String() + u";e;");
    TColorRule rule;
    rule.SetKeyBegEndLst(lines);
    QCOMPARE(PairTexts(rule).size(), qsizetype(MaxKeyPairs));
    QCOMPARE(Q(rule.KeyPairs()->back().Begin()), QStringLiteral("m39"));
    QCOMPARE(rule.KeyBegEndLst().size(), size_t(45));
}

void TestColorRules::compile_rule_reports_content_by_kind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("keywords");
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<QStringList>("lineEnds");
    QTest::addColumn<bool>("content");
    const QStringList none;
    QTest::newRow("keywords") << int(dtKeyShow) << QStringList{"if"} << none << none << true;
    QTest::newRow("keyword rule with pairs only")
        << int(dtKeyShow) << none << QStringList{"{;};"} << none << true;
    QTest::newRow("keyword rule with line ends only")
        << int(dtKeyShow) << none << none << QStringList{"//"} << false;
    QTest::newRow("blank line counts")
        << int(dtKeyShow) << QStringList{" "} << none << none << true;
    QTest::newRow("line ends") << int(dtBeginLineEnd) << none << none << QStringList{"//;"} << true;
    QTest::newRow("pairs") << int(dtBeginEnd) << none << QStringList{"/*;*/;"} << none << true;
    QTest::newRow("pair rule with keywords only")
        << int(dtBeginEnd) << QStringList{"if"} << none << none << false;
    QTest::newRow("event rule with pairs")
        << int(dtEventDraw) << none << QStringList{"a;b;"} << none << true;
    QTest::newRow("nothing") << int(dtBeginLineEnd) << none << none << none << false;
}

void TestColorRules::compile_rule_reports_content_by_kind() {
    QFETCH(int, kind);
    QFETCH(QStringList, keywords);
    QFETCH(QStringList, pairs);
    QFETCH(QStringList, lineEnds);
    QFETCH(bool, content);
    TColorRule rule;
    rule.KeyDrawingType = TKeyDrawingType(kind);
    rule.Keywords() = ToLines(keywords);
    rule.KeyBegEndLst() = ToLines(pairs);
    rule.KeyLineEndLst() = ToLines(lineEnds);
    QCOMPARE(rule.CompileRule(), content);
}

void TestColorRules::pair_table_holds_the_list_compiled_last() {
    TColorRule rule;
    rule.KeyDrawingType = dtBeginLineEnd;
    rule.KeyBegEndLst() = Lines({u"/*;*/;"});
    rule.KeyLineEndLst() = Lines({u"//;"});
    rule.CompileRule();
    QCOMPARE(PairTexts(rule), QStringList{"//||red"});

    TColorRule copy;
    copy.CopyFrom(rule);
    QCOMPARE(PairTexts(copy), QStringList{"/*|*/|red"});
    copy.CompileRule();
    QCOMPARE(PairTexts(copy), QStringList{"//||red"});
}

void TestColorRules::key_case_change_waits_for_next_compile() {
    TColorRule rule;
    rule.KeyDrawingType = dtKeyShow;
    rule.SetKeywords(Lines({u"if"}));
    rule.KeyCase = true;
    rule.DefKeyColor = clBlue;
    QCOMPARE(PatternText(rule.KeywordPattern()), QStringLiteral("*IF*+<1>*"));
    QCOMPARE(UsedColors(rule), QStringList{"red"});
    rule.CompileRule();
    QCOMPARE(PatternText(rule.KeywordPattern()), QStringLiteral("*if*+<1>*"));
    QCOMPARE(UsedColors(rule), QStringList{"blue"});
}

void TestColorRules::prepare_rules_compiles_every_second_paint_with_content() {
    TDrawRules rules;
    TColorRule& rule = rules.Add();
    rule.KeyDrawingType = dtKeyShow;
    rule.KeyCase = true;
    rule.Keywords().push_back(u"a");
    QCOMPARE(PatternText(rule.KeywordPattern()), QString());

    QStringList seen;
    for (int paint = 1; paint <= 5; ++paint) {
        rule.Keywords().push_back(u"k" + QString::number(paint).toStdU16String());
        rules.PrepareRules();
        seen << QStringLiteral("%1:%2")
                    .arg(rule.KeywordPattern().size())
                    .arg(int(rules.NeedsCompile));
    }
    // Compiled at paints 1, 3 and 5, each time with every line added so far.
    QCOMPARE(seen, (QStringList{"12:0", "12:1", "24:0", "24:1", "36:0"}));
}

void TestColorRules::prepare_rules_compiles_every_paint_without_content() {
    TDrawRules rules;
    TColorRule& rule = rules.Add();
    rule.KeyDrawingType = dtKeyShow;
    rules.PrepareRules();
    rules.PrepareRules();
    QVERIFY(rules.NeedsCompile);
    rule.Keywords().push_back(u"if");
    rules.PrepareRules();
    QCOMPARE(PatternText(rule.KeywordPattern()), QStringLiteral("*IF*+<1>*"));
    QVERIFY(!rules.NeedsCompile);
}

void TestColorRules::prepare_rules_compiles_disabled_rules_too() {
    TDrawRules rules;
    TColorRule& rule = rules.Add();
    rule.Enabled = false;
    rule.KeyBegEndLst().push_back(u"<;>;");
    rules.PrepareRules();
    QVERIFY(rule.KeyPairs());
    QCOMPARE(PairTexts(rule), QStringList{"<|>|red"});
    QVERIFY(!rules.NeedsCompile);
}

void TestColorRules::rule_copy_from_skips_sel_color_and_int_char() {
    TColorRule source;
    source.ZOrder = 7;
    source.KeyMaxHeight = 12;
    source.KeyDrawingType = dtBeginLineEnd;
    source.KeyCase = true;
    source.Enabled = false;
    source.PartWord = true;
    source.DefKeyColor = clPurple;
    source.KeyBrushColor = 0x123456;
    source.KeySelColor = 0x654321;
    source.IntChar = u"source";

    TColorRule target;
    target.IntChar = u"target";
    target.CopyFrom(source);
    QCOMPARE(target.ZOrder, uint8_t(7));
    QCOMPARE(target.KeyMaxHeight, 12);
    QCOMPARE(target.KeyDrawingType, dtBeginLineEnd);
    QVERIFY(target.KeyCase);
    QVERIFY(!target.Enabled);
    QVERIFY(target.PartWord);
    QCOMPARE(target.DefKeyColor, clPurple);
    QCOMPARE(target.KeyBrushColor, TColor(0x123456));
    QCOMPARE(target.KeySelColor, clYellow);
    QCOMPARE(Q(target.IntChar), QStringLiteral("target"));
}

void TestColorRules::rule_copy_from_compiles_with_copied_settings() {
    TColorRule source;
    source.KeyDrawingType = dtKeyShow;
    source.DefKeyColor = clBlue;
    source.Keywords() = Lines({u"String"});
    source.KeyLineEndLst() = Lines({u"//;"});
    source.KeyBegEndLst() = Lines({u"{;};"});

    TColorRule target;
    target.CopyFrom(source);
    QCOMPARE(PatternText(target.KeywordPattern()), QStringLiteral("*STRING*+<1>*"));
    QCOMPARE(UsedColors(target), QStringList{"blue"});
    QCOMPARE(PairTexts(target), QStringList{"{|}|blue"});
    QCOMPARE(target.Keywords().front(), std::u16string(u"String"));
    QCOMPARE(target.KeyLineEndLst().size(), size_t(1));
    // The source itself was filled directly and stays uncompiled.
    QVERIFY(!source.KeyPairs());
}

void TestColorRules::collection_copy_from_gives_independent_rules() {
    TDrawRules source;
    source.Add().KeyMaxHeight = 20;
    source.Add().Keywords() = Lines({u"if"});
    TDrawRules target;
    target.Add();
    target.Add();
    target.Add();
    target.CopyFrom(source);
    QCOMPARE(target.Count(), 2);
    QCOMPARE(target.Items(0).KeyMaxHeight, 20);
    QCOMPARE(target.Items(1).Collection(), &target);
    target.Items(1).Keywords().push_back(u"else");
    QCOMPARE(source.Items(1).Keywords().size(), size_t(1));
}

void TestColorRules::collection_copy_from_itself_keeps_rules() {
    TDrawRules rules;
    rules.Add().KeyMaxHeight = 3;
    rules.CopyFrom(rules);
    QCOMPARE(rules.Count(), 1);
    QCOMPARE(rules.Items(0).KeyMaxHeight, 3);
}

QTEST_APPLESS_MAIN(TestColorRules)
#include "tst_colorrules.moc"
