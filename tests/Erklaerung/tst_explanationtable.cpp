// SPDX-License-Identifier: GPL-3.0-or-later
// How the explanation table reads its data and applies it, on messages and
// data written out here: patterns, the order of entries, placeholders and
// their lookups, the faults the loader reports, and the two renderings.
#include "Erklaerung/BuiltInExplanations.h"
#include "Erklaerung/ExplanationLoader.h"
#include "Erklaerung/SimilarName.h"
#include "Erklaerung/SourceTokens.h"

#include <QtTest>

using datei::TJavacMessage;
using erklaerung::TExplanation;
using erklaerung::TExplanationTable;
using erklaerung::TTextPart;

namespace {

TJavacMessage Message(const QString& text, const QStringList& details = {},
                      const QString& sourceLine = {}, int column = 1) {
    TJavacMessage message;
    message.File = QStringLiteral("/home/anna/java/Hallo.java");
    message.Line = 4;
    message.Column = column;
    message.Text = text;
    message.SourceLine = sourceLine;
    message.Details = details;
    return message;
}

// A data file of the given entries (JSON objects) and tables.
QByteArray Data(const QStringList& entries, const QString& tables = QString()) {
    return (QStringLiteral("{\"entries\": [") + entries.join(QLatin1Char(',')) +
            QStringLiteral("]") + (tables.isEmpty() ? QString() : QStringLiteral(",") + tables) +
            QStringLiteral("}"))
        .toUtf8();
}

QString Entry(const QString& id, const QString& en, const QString& de, const QString& text,
              const QString& more = QString()) {
    return QStringLiteral(R"({"id": "%1", "en": %2, "de": %3, "text": "%4"%5})")
        .arg(id, en, de, text, more.isEmpty() ? QString() : QStringLiteral(", ") + more);
}

TExplanationTable Table(const QByteArray& data) {
    const erklaerung::TLoadedTable loaded = erklaerung::LoadExplanationTable(data);
    if (!loaded.Errors.isEmpty())
        qFatal("test data has faults: %s", qPrintable(loaded.Errors.join(QLatin1Char('\n'))));
    return loaded.Table;
}

// The code parts of an explanation's text, in order.
QStringList Code(const TExplanation& explanation) {
    QStringList code;
    for (const TTextPart& part : explanation.Text) {
        if (part.Code)
            code.append(part.Text);
    }
    return code;
}

QString Id(const std::optional<TExplanation>& explanation) {
    return explanation ? explanation->Id : QStringLiteral("(none)");
}

} // namespace

class TestExplanationTable : public QObject {
    Q_OBJECT

private slots:
    void a_pattern_matches_javacs_aligned_details_and_nothing_longer() {
        QString error;
        const auto symbol = erklaerung::TMessagePattern::Compile(
            QStringLiteral("symbol: method {name}({args})"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const auto captures = symbol.Match(QStringLiteral("  symbol:   method prinln(String)"));
        QVERIFY(captures);
        QCOMPARE(captures->value(QStringLiteral("name")), QStringLiteral("prinln"));
        QCOMPARE(captures->value(QStringLiteral("args")), QStringLiteral("String"));
        // The parentheses are literal, and the whole line must match.
        QVERIFY(!symbol.Match(QStringLiteral("symbol: method prinln")));
        const auto expected =
            erklaerung::TMessagePattern::Compile(QStringLiteral("')' expected"), &error);
        QVERIFY(expected.Match(QStringLiteral("')' expected")));
        QVERIFY(!expected.Match(QStringLiteral("')' or ',' expected")));
        QVERIFY(!expected.Match(QStringLiteral("'(' expected")));
    }

    void the_first_entry_whose_placeholders_all_have_values_explains() {
        const QString en = QStringLiteral(
            R"({"message": ["cannot find symbol"], "details": ["symbol: class {klasse}"]})");
        const QString de = QStringLiteral(
            R"({"message": ["Symbol nicht gefunden"], "details": ["Symbol: Klasse {klasse}"]})");
        const TExplanationTable table =
            Table(Data({Entry("import", en, de, "`import {klasse.paket}.{klasse};`"),
                        Entry("slip", en, de, "Meintest du `{klasse.aehnlich}`?"),
                        Entry("general", en, de, "Java kennt `{klasse}` nicht.")},
                       R"("packages": {"Scanner": "java.util"}, "similarNames": ["String"])"));
        const auto scanner =
            table.Explain(Message("cannot find symbol", {"  symbol:   class Scanner"}));
        QCOMPARE(Id(scanner), QStringLiteral("import"));
        QCOMPARE(Code(*scanner), QStringList{"import java.util.Scanner;"});
        const auto string = table.Explain(
            Message("Symbol nicht gefunden", {"  Symbol: Klasse string", "  Ort: Klasse Hallo"}));
        QCOMPARE(Id(string), QStringLiteral("slip"));
        QCOMPARE(Code(*string), QStringList{"String"});
        const auto own = table.Explain(Message("cannot find symbol", {"  symbol:   class Auto"}));
        QCOMPARE(Id(own), QStringLiteral("general"));
        QCOMPARE(Code(*own), QStringList{"Auto"});
        // Details of the other language, or none at all, do not match.
        QCOMPARE(Id(table.Explain(Message("cannot find symbol", {"  Symbol: Klasse Auto"}))),
                 QStringLiteral("(none)"));
        QCOMPARE(Id(table.Explain(Message("cannot find symbol"))), QStringLiteral("(none)"));
    }

    void an_entry_applies_only_when_each_of_its_detail_lines_is_there() {
        const TExplanationTable table = Table(Data({Entry(
            "lengths",
            R"({"message": ["method {name} cannot be applied"], "details": ["reason: actual and formal argument lists differ in length"]})",
            R"({"message": ["Methode {name} nicht anwendbar"], "details": ["Grund: Liste der tatsächlichen Argumente hat eine andere Länge als die der formalen Argumente"]})",
            "Zu viele oder zu wenige Werte für `{name}`.")}));
        QVERIFY(table.Explain(Message(
            "method doppelt cannot be applied",
            {"  required: int", "  reason: actual and formal argument lists differ in length"})));
        QVERIFY(!table.Explain(
            Message("method doppelt cannot be applied",
                    {"  required: int",
                     "  reason: argument mismatch; String cannot be converted to int"})));
        QVERIFY(!table.Explain(Message("method doppelt cannot be applied")));
    }

    void the_place_of_the_message_fills_in_file_class_and_marked_text() {
        const QString lang = QStringLiteral(R"({"message": ["x"]})");
        const TExplanationTable table = Table(Data({Entry(
            "place", lang, lang, "`{datei}` `{dateiklasse}` `{zeile}` `{stelle}` `{vorher}`")}));
        // Tabs are one column each, as the caret line counts them.
        const auto explanation =
            table.Explain(Message("x", {}, "\t\tSystem.out.println(zahll);", 22));
        QVERIFY(explanation);
        QCOMPARE(Code(*explanation), (QStringList{"Hallo.java", "Hallo", "4", "zahll", "("}));
        // Without a source line there is nothing to mark: the entry does not apply.
        QVERIFY(!table.Explain(Message("x")));
    }

    void an_entry_with_a_mark_applies_only_where_javac_marks_it() {
        const QString en = QStringLiteral(
            R"({"message": ["incompatible types: {von} cannot be converted to boolean"]})");
        const QString de = QStringLiteral(
            R"({"message": ["Inkompatible Typen: {von} kann nicht in boolean konvertiert werden"]})");
        const TExplanationTable table =
            Table(Data({Entry("assignment", en, de, "`==`", R"("marked": "=")"),
                        Entry("types", en, de, "`{von}`")}));
        const QString text =
            QStringLiteral("incompatible types: int cannot be converted to boolean");
        QCOMPARE(Id(table.Explain(Message(text, {}, "        if (zahl = 5) {", 18))),
                 QStringLiteral("assignment"));
        QCOMPARE(Id(table.Explain(Message(text, {}, "        boolean b = 1;", 21))),
                 QStringLiteral("types"));
    }

    void javacs_word_for_no_arguments_fills_in_as_nothing() {
        const QString en = QStringLiteral(
            R"({"message": ["method {name} in class {klasse} cannot be applied to given types;"], "details": ["required: {erwartet}", "found: {gegeben}"]})");
        const QString de = QStringLiteral(
            R"({"message": ["Methode {name} in Klasse {klasse} kann nicht auf die angegebenen Typen angewendet werden."], "details": ["Erforderlich: {erwartet}", "Ermittelt: {gegeben}"]})");
        const TExplanationTable table =
            Table(Data({Entry("call", en, de, "`{name}({erwartet})` `{name}({gegeben})`")},
                       R"("noValue": ["no arguments", "keine Argumente"])"));
        const auto english = table.Explain(
            Message("method doppelt in class Rechner cannot be applied to given types;",
                    {"  required: int", "  found:    no arguments",
                     "  reason: actual and formal argument lists differ in length"}));
        QVERIFY(english);
        QCOMPARE(Code(*english), (QStringList{"doppelt(int)", "doppelt()"}));
        const auto german =
            table.Explain(Message("Methode doppelt in Klasse Rechner kann nicht auf die "
                                  "angegebenen Typen angewendet werden.",
                                  {"  Erforderlich: keine Argumente", "  Ermittelt:    int,int"}));
        QVERIFY(german);
        QCOMPARE(Code(*german), (QStringList{"doppelt()", "doppelt(int,int)"}));
    }

    void a_slip_is_matched_with_the_closest_known_name() {
        const QStringList known{"System", "String", "println", "print", "next", "java.util"};
        QCOMPARE(erklaerung::SimilarName("prinln", known), QStringLiteral("println"));
        QCOMPARE(erklaerung::SimilarName("pritnln", known), QStringLiteral("println"));
        QCOMPARE(erklaerung::SimilarName("string", known), QStringLiteral("String"));
        QCOMPARE(erklaerung::SimilarName("Sytem", known), QStringLiteral("System"));
        QCOMPARE(erklaerung::SimilarName("java.utils", known), QStringLiteral("java.util"));
        // Two letters swapped are one slip, even in a short name.
        QCOMPARE(erklaerung::SimilarName("Mtah", known + QStringList{"Math"}),
                 QStringLiteral("Math"));
        // Short names need to be closer: "test" is two slips from "next".
        QCOMPARE(erklaerung::SimilarName("test", known), QString());
        QCOMPARE(erklaerung::SimilarName("rechne", known), QString());
        QCOMPARE(erklaerung::SimilarName("print", known), QString());
    }

    void the_marked_text_is_a_whole_name_literal_or_character() {
        using erklaerung::MarkedToken;
        using erklaerung::TokenBefore;
        const QString line = QStringLiteral("\tString name = \"Anna\"");
        QCOMPARE(MarkedToken(line, 5), QStringLiteral("String"));
        QCOMPARE(MarkedToken(line, 10), QStringLiteral("name"));
        QCOMPARE(MarkedToken(line, 16), QStringLiteral("\"Anna\""));
        QCOMPARE(MarkedToken(line, 14), QStringLiteral("="));
        QCOMPARE(MarkedToken(line, 13), QString());
        QCOMPARE(MarkedToken(line, 40), QString());
        // A missing ';' is marked behind the line's end.
        QCOMPARE(TokenBefore(line, 22), QStringLiteral("\"Anna\""));
        QCOMPARE(TokenBefore(QStringLiteral("        int zahl = 5"), 21), QStringLiteral("5"));
        QCOMPARE(TokenBefore(QStringLiteral("    doppelt(int zahl);"), 17), QStringLiteral("int"));
        QCOMPARE(TokenBefore(QStringLiteral("    x"), 5), QString());
    }

    void the_loader_names_each_fault_and_keeps_the_good_entries_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("fault");
        const QString en =
            QStringLiteral(R"({"message": ["variable {name} might not have been initialized"]})");
        const QString de = QStringLiteral(
            R"({"message": ["Variable {name} wurde möglicherweise nicht initialisiert"]})");
        QTest::newRow("no German")
            << QStringLiteral(R"({"id": "a", "en": %1, "text": "`{name}`"})").arg(en)
            << "\"de\" (javac's words in that language) is missing";
        QTest::newRow("German without a message")
            << Entry("a", en, R"({"details": ["Symbol: {name}"]})", "x")
            << "\"de\" has no message pattern";
        QTest::newRow("no text") << Entry("a", en, de, "") << "no text";
        QTest::newRow("unknown key")
            << Entry("a", en, de, "x", R"("exmaple": {})") << "unknown key \"exmaple\"";
        QTest::newRow("not captured in German")
            << Entry("a", en,
                     R"({"message": ["Variable wurde möglicherweise nicht initialisiert"]})",
                     "`{name}`")
            << "uses {name}, which a pattern does not capture";
        QTest::newRow("not captured by every alternative")
            << Entry(
                   "a",
                   R"({"message": ["variable {name} might not have been initialized", "variable might not have been initialized"]})",
                   de, "`{name}`")
            << "uses {name}, which a pattern does not capture";
        QTest::newRow("captured twice")
            << Entry("a", R"({"message": ["{name} and {name}"]})", de, "x")
            << "captures {name} twice";
        QTest::newRow("captures a place's name")
            << Entry("a", R"({"message": ["in {datei}"]})", de, "x")
            << "{datei} comes from the message's place";
        QTest::newRow("unknown lookup")
            << Entry("a", en, de, "`{name.paket}` `{name.typ}`") << "unknown lookup {name.typ}";
        QTest::newRow("lone backquote")
            << Entry("a", en, de, "`{name}") << "has a ` without its partner";
        QTest::newRow("example without text")
            << Entry("a", en, de, "x", R"("example": {"code": "int summe = 0;"})")
            << "needs both its code and its text";
        QTest::newRow("placeholder in the example's code")
            << Entry("a", en, de, "x", R"("example": {"code": "int {name} = 0;", "text": "y"})")
            << "no ` and no placeholder";
        QTest::newRow("id taken") << Entry("good", en, de, "x") << "the id is taken";
    }
    void the_loader_names_each_fault_and_keeps_the_good_entries() {
        QFETCH(QString, entry);
        QFETCH(QString, fault);
        const QString en = QStringLiteral(R"({"message": ["unreachable statement"]})");
        const QString de = QStringLiteral(R"({"message": ["Nicht erreichbare Anweisung"]})");
        const erklaerung::TLoadedTable loaded = erklaerung::LoadExplanationTable(
            Data({Entry("good", en, de, "Nie ausgeführt."), entry}));
        QCOMPARE(loaded.Errors.size(), 1);
        QVERIFY2(loaded.Errors.first().startsWith("entry 2 "), qPrintable(loaded.Errors.first()));
        QVERIFY2(loaded.Errors.first().contains(fault), qPrintable(loaded.Errors.first()));
        QCOMPARE(loaded.Table.Entries().size(), 1);
        QCOMPARE(loaded.Table.Entries().first().Id, QStringLiteral("good"));
    }

    void a_syntax_fault_in_the_data_names_its_line() {
        const erklaerung::TLoadedTable loaded =
            erklaerung::LoadExplanationTable("{\n  \"entries\": [\n    {\"id\": \"a\",}\n  ]\n}\n");
        QCOMPARE(loaded.Errors.size(), 1);
        QVERIFY2(loaded.Errors.first().startsWith("line 3: "), qPrintable(loaded.Errors.first()));
        QVERIFY(loaded.Table.Entries().isEmpty());
    }

    void plain_text_and_html_show_the_same_words() {
        const TExplanation explanation{QStringLiteral("a"),
                                       {{"Zu ", false}, {"<identifier>", true}, {" & mehr", false}},
                                       {{"Beispiel: ", false}, {"if (a && b) {", true}}};
        QCOMPARE(erklaerung::PlainText(explanation),
                 QStringLiteral("Zu <identifier> & mehr\n\nBeispiel: if (a && b) {"));
        QCOMPARE(erklaerung::Html(explanation),
                 QStringLiteral("<p>Zu <code>&lt;identifier&gt;</code> &amp; mehr</p>"
                                "<p>Beispiel: <code>if (a &amp;&amp; b) {</code></p>"));
    }

    void a_message_without_explanation_shows_javacs_text_and_every_detail() {
        const TJavacMessage message =
            Message("no suitable method found for max(String,int)",
                    {"    method Math.max(int,int) is not applicable",
                     "      (argument mismatch; String cannot be converted to int)"});
        const TExplanation fallback = erklaerung::FallbackExplanation(message);
        QVERIFY(!fallback.IsExplained());
        QCOMPARE(erklaerung::PlainText(fallback),
                 QStringLiteral("no suitable method found for max(String,int)\n"
                                "method Math.max(int,int) is not applicable\n"
                                "  (argument mismatch; String cannot be converted to int)"));
        // The reason stays indented under its candidate.
        QVERIFY(erklaerung::Html(fallback).contains(
            "<br><code>&nbsp;&nbsp;(argument mismatch; String cannot be converted to int)</code>"));
    }

    void older_javac_wordings_are_explained_too_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("id");
        // javac 7 and older; javac 8 gave the number; javac 15 and older.
        QTest::newRow("void method returns a value")
            << "cannot return a value from method whose result type is void"
            << "rueckgabewert-unerwartet";
        QTest::newRow("number too large") << "integer number too large: 3000000000"
                                          << "zahl-zu-gross";
        QTest::newRow("class expected") << "class, interface, or enum expected"
                                        << "klasse-erwartet";
    }
    void older_javac_wordings_are_explained_too() {
        QFETCH(QString, text);
        QFETCH(QString, id);
        const TJavacMessage message = Message(text, {}, "        int zahl = 3000000000;", 20);
        QCOMPARE(erklaerung::Explain(message).Id, id);
    }
};

QTEST_APPLESS_MAIN(TestExplanationTable)
#include "tst_explanationtable.moc"
