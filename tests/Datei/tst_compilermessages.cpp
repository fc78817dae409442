// SPDX-License-Identifier: GPL-3.0-or-later
// javac's output sorted out, on output written out here: the forms a real
// compiler prints on other systems (drive letters, CR LF), the odd forms
// (no source line, tabs before the caret, colons in the path), and output
// that is no message at all.
#include "Datei/CompilerCall.h"
#include "Datei/JavacOutput.h"

#include <QtTest>

using datei::ParseJavacOutput;
using datei::TJavacCount;
using datei::TJavacMessage;
using datei::TJavacOutput;
using datei::TJavacSummary;
using TKind = datei::TJavacMessage::TKind;

Q_DECLARE_METATYPE(TJavacSummary)

namespace {

QString Lines(const QStringList& lines, const QString& lineEnd = QStringLiteral("\n")) {
    return lines.join(lineEnd) + lineEnd;
}

// One message with its source and caret lines, then the summary line.
QString OneMessage(const QString& path, const QString& lineEnd) {
    return Lines({path + ":5: error: ';' expected", "\tint x = 1", "\t         ^", "1 error"},
                 lineEnd);
}

TJavacMessage Message(TKind kind, const QString& file, int line, int column, const QString& text,
                      const QString& source = QString(), const QStringList& details = {}) {
    return TJavacMessage{kind, file, line, column, text, source, details};
}

} // namespace

class TestCompilerMessages : public QObject {
    Q_OBJECT

private slots:
    void a_message_is_found_by_the_path_given_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("lineEnd");
        QTest::newRow("linux, LF") << "/home/anna/java/Hallo.java"
                                   << "\n";
        QTest::newRow("linux, CR LF") << "/home/anna/java/Hallo.java"
                                      << "\r\n";
        QTest::newRow("drive letter") << "C:\\java\\Hallo.java"
                                      << "\r\n";
        QTest::newRow("colons, blanks and umlauts in the directory")
            << "/tmp/a:b/Ordner: mit Ü/x:5: error: y/Hallo.java"
            << "\n";
        QTest::newRow("relative, unnamed") << "noname.java"
                                           << "\n";
    }
    void a_message_is_found_by_the_path_given() {
        QFETCH(QString, path);
        QFETCH(QString, lineEnd);
        const TJavacOutput output = ParseJavacOutput(OneMessage(path, lineEnd), path);
        // The tab before the caret is one column, like every other character.
        QCOMPARE(output.Messages, (QList<TJavacMessage>{Message(TKind::Error, path, 5, 11,
                                                                "';' expected", "\tint x = 1")}));
        QCOMPARE(output.Summary.Errors, (TJavacCount{1, 1}));
        QVERIFY(output.RawLines.isEmpty());
    }

    void a_message_about_another_file_names_that_file_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("beside the compiled one") << "./Auto.java";
        QTest::newRow("in a package") << "./fahrzeug/Auto.java";
        QTest::newRow("absolute, with a blank") << "/home/anna/mein projekt/Auto.java";
        QTest::newRow("a colon in the directory") << "/tmp/a:b/Auto.java";
        QTest::newRow("drive letter") << "C:\\java\\Auto.java";
    }
    void a_message_about_another_file_names_that_file() {
        QFETCH(QString, file);
        const TJavacOutput output =
            ParseJavacOutput(OneMessage(file, "\n"), QStringLiteral("/home/anna/Haupt.java"));
        QCOMPARE(output.Messages, (QList<TJavacMessage>{Message(TKind::Error, file, 5, 11,
                                                                "';' expected", "\tint x = 1")}));
        QVERIFY(output.RawLines.isEmpty());
    }

    void a_message_without_source_line_points_at_column_1() {
        // An unclosed comment: the second message names a line after the last.
        const QString path = QStringLiteral("/p/Com.java");
        const TJavacOutput output = ParseJavacOutput(
            Lines({path + ":2: error: unclosed comment", "\t/* offen", "\t^",
                   path + ":5: error: reached end of file while parsing", "2 errors"}),
            path);
        QCOMPARE(output.Messages,
                 (QList<TJavacMessage>{
                     Message(TKind::Error, path, 2, 2, "unclosed comment", "\t/* offen"),
                     Message(TKind::Error, path, 5, 1, "reached end of file while parsing")}));
        QCOMPARE(output.Summary.Errors, (TJavacCount{2, 2}));
        QVERIFY(output.RawLines.isEmpty());
    }

    void a_message_without_source_line_leaves_the_next_message_its_own() {
        const QString path = QStringLiteral("/p/A.java");
        // The next message's source line looks like a caret line.
        const TJavacOutput output = ParseJavacOutput(
            Lines({path + ":1: error: a", path + ":2: error: b", "  ^", "  ^"}), path);
        QCOMPARE(output.Messages,
                 (QList<TJavacMessage>{Message(TKind::Error, path, 1, 1, "a"),
                                       Message(TKind::Error, path, 2, 3, "b", "  ^")}));
    }

    void detail_lines_stay_with_their_message() {
        const QString path = QStringLiteral("/p/Symbol.java");
        const QStringList symbolDetails{"  symbol:   variable zahll", "  location: class Symbol"};
        const QStringList candidates{"    method Math.max(int,int) is not applicable",
                                     "      (actual and formal argument lists differ in length)",
                                     "    method Math.max(long,long) is not applicable",
                                     "      (actual and formal argument lists differ in length)"};
        const QStringList typeVariable{
            "  missing type arguments for generic class List<E>",
            "  where E is a type-variable:", "    E extends Object declared in interface List"};
        const TJavacOutput output = ParseJavacOutput(
            Lines(QStringList{path + ":4: error: cannot find symbol",
                              "\t\tSystem.out.println(zahll);", "\t\t                   ^"} +
                  symbolDetails +
                  QStringList{path + ":7: error: no suitable method found for max(String)",
                              "\t\tMath.max(\"a\");", "\t\t    ^"} +
                  candidates +
                  QStringList{path + ":9: warning: [rawtypes] found raw type: List",
                              "\t\tList l = null;", "\t\t^"} +
                  typeVariable + QStringList{"2 errors", "1 warning"}),
            path);
        QCOMPARE(output.Messages,
                 (QList<TJavacMessage>{
                     Message(TKind::Error, path, 4, 22, "cannot find symbol",
                             "\t\tSystem.out.println(zahll);", symbolDetails),
                     Message(TKind::Error, path, 7, 7, "no suitable method found for max(String)",
                             "\t\tMath.max(\"a\");", candidates),
                     Message(TKind::Warning, path, 9, 3, "[rawtypes] found raw type: List",
                             "\t\tList l = null;", typeVariable)}));
        QCOMPARE(output.Summary, (TJavacSummary{{2, 2}, {1, 1}}));
        QVERIFY(output.RawLines.isEmpty());
    }

    void german_kind_words_and_details_are_read_alike() {
        const QString path = QStringLiteral("/p/Warn.java");
        const TJavacOutput output = ParseJavacOutput(
            Lines({path + ":7: Warnung: [removal] stop() in Thread ist veraltet", "\tx.stop();",
                   "\t ^", path + ":9: Fehler: Symbol nicht gefunden", "\tzahll++;", "\t^",
                   "  Symbol: Variable zahll", "  Ort: Klasse Warn",
                   "Hinweis: Warn.java verwendet oder überschreibt eine veraltete API.", "1 Fehler",
                   "1 Warnung"},
                  "\r\n"),
            path);
        QCOMPARE(output.Messages,
                 (QList<TJavacMessage>{
                     Message(TKind::Warning, path, 7, 3, "[removal] stop() in Thread ist veraltet",
                             "\tx.stop();"),
                     Message(TKind::Error, path, 9, 2, "Symbol nicht gefunden", "\tzahll++;",
                             {"  Symbol: Variable zahll", "  Ort: Klasse Warn"}),
                     Message(TKind::Note, QString(), -1, 1,
                             "Warn.java verwendet oder überschreibt eine veraltete API.")}));
        QCOMPARE(output.Summary, (TJavacSummary{{1, 1}, {1, 1}}));
        QVERIFY(output.RawLines.isEmpty());
    }

    void messages_that_name_no_line_are_messages_too() {
        const TJavacOutput output = ParseJavacOutput(
            Lines({"Note: Hallo.java uses or overrides a deprecated API.",
                   "Note: Recompile with -Xlint:deprecation for details.",
                   "warning: [options] source value 8 is obsolete",
                   "/p/lib/Alt.class: warning: [classfile] unknown attribute",
                   "error: file not found: Nix.java", "Usage: javac <options> <source files>",
                   "use --help for a list of possible options"}),
            QStringLiteral("/p/Hallo.java"));
        QCOMPARE(
            output.Messages,
            (QList<TJavacMessage>{
                Message(TKind::Note, QString(), -1, 1,
                        "Hallo.java uses or overrides a deprecated API."),
                Message(TKind::Note, QString(), -1, 1,
                        "Recompile with -Xlint:deprecation for details."),
                Message(TKind::Warning, QString(), -1, 1, "[options] source value 8 is obsolete"),
                Message(TKind::Warning, "/p/lib/Alt.class", -1, 1, "[classfile] unknown attribute"),
                Message(TKind::Error, QString(), -1, 1, "file not found: Nix.java")}));
        // The usage text is javac's, but not in its message format.
        QCOMPARE(output.RawLines, (QStringList{"Usage: javac <options> <source files>",
                                               "use --help for a list of possible options"}));
    }

    void the_summary_is_counted_not_listed_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<TJavacSummary>("summary");
        QTest::newRow("one error") << QStringList{"1 error"} << TJavacSummary{{1, 1}, {}};
        QTest::newRow("errors and warnings")
            << QStringList{"2 errors", "5 warnings"} << TJavacSummary{{2, 2}, {5, 5}};
        QTest::newRow("one warning") << QStringList{"1 warning"} << TJavacSummary{{}, {1, 1}};
        QTest::newRow("German") << QStringList{"3 Fehler", "1 Warnung"}
                                << TJavacSummary{{3, 3}, {1, 1}};
        QTest::newRow("German warnings") << QStringList{"7 Warnungen"} << TJavacSummary{{}, {7, 7}};
        QTest::newRow("errors cut")
            << QStringList{"100 errors", "only showing the first 100 errors, of 150 total; use "
                                         "-Xmaxerrs if you would like to see more"}
            << TJavacSummary{{100, 150}, {}};
        QTest::newRow("errors cut, German")
            << QStringList{"100 Fehler", "Nur die ersten 100 Fehler von insgesamt 150 werden "
                                         "angezeigt. Mit -Xmaxerrs können Sie mehr Fehler anzeigen"}
            << TJavacSummary{{100, 150}, {}};
        QTest::newRow("warnings cut")
            << QStringList{"1 error", "100 warnings",
                           "only showing the first 100 warnings, of 230 total; use -Xmaxwarns if "
                           "you would like to see more"}
            << TJavacSummary{{1, 1}, {100, 230}};
        QTest::newRow("warnings cut, German")
            << QStringList{"100 Warnungen", "Nur die ersten 100 Warnungen von insgesamt 230 werden "
                                            "angezeigt. Mit -Xmaxwarns können Sie mehr Warnungen "
                                            "anzeigen"}
            << TJavacSummary{{}, {100, 230}};
    }
    void the_summary_is_counted_not_listed() {
        QFETCH(QStringList, lines);
        QFETCH(TJavacSummary, summary);
        const QString path = QStringLiteral("/p/A.java");
        const TJavacOutput output =
            ParseJavacOutput(Lines(QStringList{path + ":1: error: x", "y", "^"} + lines), path);
        QCOMPARE(output.Summary, summary);
        QCOMPARE(output.Messages.size(), 1);
        QVERIFY(output.Messages.first().Details.isEmpty());
        QVERIFY(output.RawLines.isEmpty());
    }

    void the_launchers_notices_and_empty_lines_are_dropped() {
        const QString path = QStringLiteral("/p/A.java");
        const TJavacOutput output = ParseJavacOutput(
            Lines({"Picked up JAVA_TOOL_OPTIONS: -Dx=1", "Picked up _JAVA_OPTIONS: -Xmx1g", "",
                   path + ":1: error: x", "y", "^", "", "1 error"}),
            path);
        QCOMPARE(output.Messages,
                 (QList<TJavacMessage>{Message(TKind::Error, path, 1, 1, "x", "y")}));
        QVERIFY(output.RawLines.isEmpty());
    }

    void output_that_is_no_message_stays_raw_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QStringList>("raw");
        const QString path = QStringLiteral("/p/Hallo.java");
        QTest::newRow("nothing after the line number")
            << Lines({path + ":5:", "src", "^"}) << 0 << QStringList{path + ":5:", "src", "^"};
        QTest::newRow("no caret line: no source line either")
            << Lines({path + ":5: error: x", "src", "no caret here"}) << 1
            << QStringList{"src", "no caret here"};
        QTest::newRow("text after the caret")
            << Lines({path + ":5: error: x", "src", "^ oops"}) << 1 << QStringList{"src", "^ oops"};
        QTest::newRow("a crashed compiler, no break at the end")
            << "An exception has occurred in the compiler (17.0.15).\n"
               "java.lang.NullPointerException\n\tat com.sun.tools.javac.Main.main(Main.java:43)"
            << 0
            << QStringList{"An exception has occurred in the compiler (17.0.15).",
                           "java.lang.NullPointerException",
                           "\tat com.sun.tools.javac.Main.main(Main.java:43)"};
        QTest::newRow("indented lines after a raw line are no details")
            << Lines({path + ":1: error: x", "y", "^", "Exception in thread \"main\"", "  at x"})
            << 1 << QStringList{"Exception in thread \"main\"", "  at x"};
        QTest::newRow("indented lines after the summary are no details")
            << Lines({path + ":1: error: x", "y", "^", "1 error", "  z"}) << 1
            << QStringList{"  z"};
        QTest::newRow("an unknown kind word") << Lines({path + ":5: fehler: x", "src", "^"}) << 0
                                              << QStringList{path + ":5: fehler: x", "src", "^"};
    }
    void output_that_is_no_message_stays_raw() {
        QFETCH(QString, output);
        QFETCH(int, messages);
        QFETCH(QStringList, raw);
        const TJavacOutput parsed = ParseJavacOutput(output, QStringLiteral("/p/Hallo.java"));
        QCOMPARE(parsed.Messages.size(), messages);
        QCOMPARE(parsed.RawLines, raw);
    }

    void nothing_written_is_nothing() {
        const TJavacOutput output = ParseJavacOutput(QString(), QStringLiteral("/p/A.java"));
        QVERIFY(output.Messages.isEmpty());
        QVERIFY(output.RawLines.isEmpty());
        QCOMPARE(output.Summary, TJavacSummary{});
    }

    void the_caret_column_counts_each_character_before_it_once_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::newRow("first character") << "^" << 1;
        QTest::newRow("blanks") << "    ^" << 5;
        QTest::newRow("tabs") << "\t\t^" << 3;
        QTest::newRow("tabs and blanks") << "\t  \t ^" << 6;
        QTest::newRow("blanks after the caret") << "  ^  " << 3;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("no caret") << "    " << 0;
        QTest::newRow("text before") << "x ^" << 0;
        QTest::newRow("two carets") << "^^" << 0;
    }
    void the_caret_column_counts_each_character_before_it_once() {
        QFETCH(QString, line);
        QFETCH(int, column);
        QCOMPARE(datei::CaretColumn(line), column);
    }

    void the_compiler_call_names_the_file_encoding() {
        using datei::TFileEncoding;
        const QString path = QStringLiteral("/p/Ordner mit Ü/Hallo.java");
        const datei::TCompilerCall latin1 =
            datei::CompilerCall(QStringLiteral("/opt/jdk/"), path, TFileEncoding::Latin1);
        QCOMPARE(latin1.Program, QStringLiteral("/opt/jdk/bin/javac"));
        QCOMPARE(latin1.Arguments, (QStringList{"-nowarn", "-encoding", "ISO-8859-1", path}));
        for (TFileEncoding utf8 : {TFileEncoding::Utf8, TFileEncoding::Utf8WithBom})
            QCOMPARE(datei::CompilerCall(QStringLiteral("/opt/jdk"), path, utf8).Arguments,
                     (QStringList{"-nowarn", "-encoding", "UTF-8", path}));
    }
};

QTEST_APPLESS_MAIN(TestCompilerMessages)
#include "tst_compilermessages.moc"
