// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/JavaRules.h"
#include "ScanRig.h"

#include <QFile>
#include <QTest>

using namespace colmemo;

namespace {

QString Escaped(QStringView text) {
    QString result;
    for (QChar c : text) {
        if (c == u'\t')
            result += QStringLiteral("\\t");
        else if (c == u'\r')
            result += QStringLiteral("\\r");
        else if (c == u'\n')
            result += QStringLiteral("\\n");
        else if (c == u'"' || c == u'\\')
            result += QLatin1Char('\\') + c;
        else
            result += c;
    }
    return result;
}

// One line per run: the 1-based line of its first character, the run, and its text.
QString GoldenText(const TScanRig& rig) {
    const QString text = QString::fromStdU16String(rig.Geometry.Text());
    QString result;
    for (const TKeyDescr& run : rig.Scanner.KeyList()) {
        if (run.First == FreeIndex)
            break;
        result += QStringLiteral("line %1: %2 \"%3\"\n")
                      .arg(rig.Geometry.LineFromChar(run.First) + 1)
                      .arg(DescrText(run),
                           Escaped(QStringView(text).mid(run.First, run.Last - run.First + 1)));
    }
    return result;
}

QByteArray ReadData(const QString& name) {
    QFile file(QStringLiteral(KW_TEST_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The sample is kept with LF line ends; the editor's text has CR LF.
std::u16string EditorText(const QByteArray& source) {
    QString text = QString::fromUtf8(source);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text.toStdU16String();
}

} // namespace

class TestJavaRules : public QObject {
    Q_OBJECT

private slots:
    void declares_four_rules_data();
    void declares_four_rules();
    void keyword_list_holds_exactly_the_java_words();
    void lists_compile_at_the_first_paint();
    void java_text_is_coloured_data();
    void java_text_is_coloured();
    void copied_rules_colour_alike();
    void sample_matches_golden_runs();
};

void TestJavaRules::declares_four_rules_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("zOrder");
    QTest::addColumn<int>("keyMaxHeight");
    QTest::addColumn<bool>("keyCase");
    QTest::addColumn<uint>("color");
    QTest::addColumn<int>("keywordCount");
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<QStringList>("lineEnds");
    QTest::newRow("block comments") << 0 << int(dtBeginEnd) << 2 << 20 << false << uint(clPurple)
                                    << 0 << QStringList{"/*;*/;"} << QStringList{};
    QTest::newRow("line comments") << 1 << int(dtBeginLineEnd) << 1 << 1 << false << uint(clPurple)
                                   << 0 << QStringList{} << QStringList{"//;"};
    QTest::newRow("keywords") << 2 << int(dtKeyShow) << 0 << 1 << true << uint(clBlue) << 48
                              << QStringList{} << QStringList{};
    QTest::newRow("braces") << 3 << int(dtKeyShow) << 0 << 1 << false << uint(clRed) << 2
                            << QStringList{"{;};"} << QStringList{};
}

void TestJavaRules::declares_four_rules() {
    QFETCH(int, index);
    QFETCH(int, kind);
    QFETCH(int, zOrder);
    QFETCH(int, keyMaxHeight);
    QFETCH(bool, keyCase);
    QFETCH(uint, color);
    QFETCH(int, keywordCount);
    QFETCH(QStringList, pairs);
    QFETCH(QStringList, lineEnds);
    TDrawRules rules;
    AddJavaRules(rules);
    QCOMPARE(rules.Count(), 4);
    const TColorRule& rule = rules.Items(index);
    QCOMPARE(int(rule.KeyDrawingType), kind);
    QCOMPARE(int(rule.ZOrder), zOrder);
    QCOMPARE(rule.KeyMaxHeight, keyMaxHeight);
    QCOMPARE(rule.KeyCase, keyCase);
    QCOMPARE(rule.DefKeyColor, TColor(color));
    QCOMPARE(int(rule.Keywords().size()), keywordCount);
    QStringList pairLines, lineEndLines;
    for (const auto& line : rule.KeyBegEndLst())
        pairLines << QString::fromStdU16String(line);
    for (const auto& line : rule.KeyLineEndLst())
        lineEndLines << QString::fromStdU16String(line);
    QCOMPARE(pairLines, pairs);
    QCOMPARE(lineEndLines, lineEnds);
    QVERIFY(rule.Enabled);
    QVERIFY(!rule.PartWord);
    QCOMPARE(rule.KeySelColor, clYellow);
    QCOMPARE(rule.KeyBrushColor, clWindow);
    QVERIFY(rule.IntChar.empty());
}

void TestJavaRules::keyword_list_holds_exactly_the_java_words() {
    TDrawRules rules;
    AddJavaRules(rules);
    QStringList words;
    for (const auto& line : rules.Items(2).Keywords())
        words << QString::fromStdU16String(line);
    QCOMPARE(words.size(), qsizetype(48));
    QCOMPARE(words.first(), QStringLiteral("abstract"));
    QCOMPARE(words.last(), QStringLiteral("while"));
    QVERIFY(words.contains(QStringLiteral("String")));
    for (const char* absent : {"string", "throw", "true", "false", "assert", "strictfp"})
        QVERIFY2(!words.contains(QLatin1String(absent)), absent);
    QStringList sorted = words;
    sorted.sort(Qt::CaseInsensitive);
    QCOMPARE(words, sorted);
    QCOMPARE(QString::fromStdU16String(rules.Items(3).Keywords()[0]), QStringLiteral("{"));
    QCOMPARE(QString::fromStdU16String(rules.Items(3).Keywords()[1]), QStringLiteral("}"));
}

void TestJavaRules::lists_compile_at_the_first_paint() {
    TScanRig rig;
    AddJavaRules(rig.Rules);
    QVERIFY(rig.Rules.NeedsCompile);
    QVERIFY(rig.Rules.Items(2).KeywordPattern().empty());
    QVERIFY(!rig.Rules.Items(0).KeyPairs());
    QCOMPARE(rig.Runs(u"/* a */ int {"),
             (QStringList{"0..6 purple z2", "8..10 blue z0 kw", "12..12 red z0 kw"}));
    QVERIFY(!rig.Rules.NeedsCompile);
}

void TestJavaRules::java_text_is_coloured_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("runs");
    QTest::newRow("String but not string") << "String string" << QStringList{"0..5 blue z0 kw"};
    QTest::newRow("words outside the list") << "throw true false assert" << QStringList{};
    QTest::newRow("keyword inside a word") << "print(x)" << QStringList{};
    QTest::newRow("brace after a letter") << "noname{" << QStringList{};
    QTest::newRow("class header") << "public class noname {"
                                  << QStringList{"0..5 blue z0 kw", "7..11 blue z0 kw",
                                                 "20..20 red z0 kw"};
    QTest::newRow("adjacent braces are one run") << "{}" << QStringList{"0..1 red z0 kw"};
    QTest::newRow("keywords in comments")
        << "/* int */ // if" << QStringList{"0..8 purple z2", "10..14 purple z1"};
    QTest::newRow("block opened in a line comment")
        << "// int /* x\r\nint */ int"
        << QStringList{"0..6 purple z1", "7..18 purple z2", "20..22 blue z0 kw"};
    QTest::newRow("unclosed block in a line comment")
        << "// a /* b\r\nint x;" << QStringList{"0..8 purple z1", "11..13 blue z0 kw"};
}

void TestJavaRules::java_text_is_coloured() {
    QFETCH(QString, text);
    QFETCH(QStringList, runs);
    TScanRig rig;
    AddJavaRules(rig.Rules);
    QCOMPARE(rig.Runs(text.toStdU16String()), runs);
}

void TestJavaRules::copied_rules_colour_alike() {
    const std::u16string sample = EditorText(ReadData(QStringLiteral("Sample.java")));
    QVERIFY(!sample.empty());
    TScanRig first;
    AddJavaRules(first.Rules);
    const QStringList firstRuns = first.Runs(sample);
    TScanRig second;
    second.Rules.CopyFrom(first.Rules);
    QCOMPARE(second.Runs(sample), firstRuns);
    QVERIFY(firstRuns.size() > 50);
}

void TestJavaRules::sample_matches_golden_runs() {
    TScanRig rig;
    AddJavaRules(rig.Rules);
    rig.Input.WantTabs = true;
    rig.Runs(EditorText(ReadData(QStringLiteral("Sample.java"))));
    const QString actual = GoldenText(rig);
    // KW_UPDATE_GOLDEN=1 rewrites the reference; read it through before committing it.
    if (qEnvironmentVariableIsSet("KW_UPDATE_GOLDEN")) {
        QFile file(QStringLiteral(KW_TEST_DATA_DIR "/Sample.runs"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(actual.toUtf8());
    }
    const QString expected = QString::fromUtf8(ReadData(QStringLiteral("Sample.runs")));
    QVERIFY(!expected.isEmpty());
    const QStringList actualLines = actual.split(u'\n');
    const QStringList expectedLines = expected.split(u'\n');
    for (qsizetype i = 0; i < std::min(actualLines.size(), expectedLines.size()); ++i)
        QCOMPARE(actualLines[i], expectedLines[i]);
    QCOMPARE(actualLines.size(), expectedLines.size());
}

QTEST_APPLESS_MAIN(TestJavaRules)
#include "tst_javarules.moc"
