// The error list made from compiler output, on output written out here:
// the forms a real compiler prints on other systems (drive letters, CR LF)
// and the ways output can fail to be a message.
#include "Datei/CompilerCall.h"
#include "Datei/CompilerMessages.h"

#include <QtTest>

using datei::ParseCompilerMessages;
using datei::TCompilerMessages;
using datei::TErrorPosition;

Q_DECLARE_METATYPE(TErrorPosition)

namespace {

// One message with its source and caret lines, then the summary line.
QString OneMessage(const QString& path, const QString& lineEnd) {
    return path + QStringLiteral(":5: error: ';' expected") + lineEnd +
           QStringLiteral("\tint x = 1") + lineEnd + QStringLiteral("\t         ^") + lineEnd +
           QStringLiteral("1 error") + lineEnd;
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
        QTest::newRow("colon, blank and umlaut in the directory")
            << "/tmp/a:b/Ordner mit Ü/Hallo.java"
            << "\n";
        QTest::newRow("relative, unnamed") << "noname.java"
                                           << "\n";
    }
    void a_message_is_found_by_the_path_given() {
        QFETCH(QString, path);
        QFETCH(QString, lineEnd);
        const TCompilerMessages messages = ParseCompilerMessages(OneMessage(path, lineEnd), path);
        QCOMPARE(messages.Entries, QStringList{"Fehler 1: error: ';' expected in " + path});
        // The tab before the caret is one column, like every other character.
        QCOMPARE(messages.Positions, (QList<TErrorPosition>{{5, 11}}));
        QVERIFY(!messages.RawFollows);
    }

    void output_that_is_no_message_is_shown_raw_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("lines");
        const QString path = QStringLiteral("/p/Hallo.java");
        QTest::newRow("another file's message")
            << OneMessage("/p/Other.java", "\n")
            << QStringList{"/p/Other.java:5: error: ';' expected", "\tint x = 1", "\t         ^",
                           "1 error"};
        QTest::newRow("a path that only ends like the one given")
            << OneMessage("/q/p/Hallo.java", "\n")
            << QStringList{"/q/p/Hallo.java:5: error: ';' expected", "\tint x = 1", "\t         ^",
                           "1 error"};
        QTest::newRow("no line number") << path + ": error: x\nsrc\n^\n"
                                        << QStringList{path + ": error: x", "src", "^"};
        QTest::newRow("nothing after the line number") << path + ":5:\nsrc\n^\n"
                                                       << QStringList{path + ":5:", "src", "^"};
        QTest::newRow("no caret") << path + ":5: error: x\nsrc\nno caret here\n"
                                  << QStringList{path + ":5: error: x", "src", "no caret here"};
        QTest::newRow("two lines of notes, no break at the end")
            << "Note: Hallo.java uses or overrides a deprecated API.\r\nNote: Recompile."
            << QStringList{"Note: Hallo.java uses or overrides a deprecated API.",
                           "Note: Recompile."};
        QTest::newRow("one line") << "error: file not found\n"
                                  << QStringList{"error: file not found"};
    }
    void output_that_is_no_message_is_shown_raw() {
        QFETCH(QString, output);
        QFETCH(QStringList, lines);
        const TCompilerMessages messages =
            ParseCompilerMessages(output, QStringLiteral("/p/Hallo.java"));
        QVERIFY(messages.RawFollows);
        QVERIFY(messages.Entries.isEmpty());
        QVERIFY(messages.Positions.isEmpty());
        // Every line, the last one without a break too.
        QCOMPARE(datei::RawCompilerLines(output), lines);
    }

    void parsing_stops_at_a_message_followed_by_detail_lines() {
        const QString path = QStringLiteral("/p/Hallo.java");
        const QString output =
            path + ":2: error: a\nsrc\n  ^\n  symbol: b\n  location: A\n1 error\n";
        const TCompilerMessages messages = ParseCompilerMessages(output, path);
        QVERIFY(messages.RawFollows);
        QCOMPARE(messages.Entries, QStringList{"Fehler 1: error: a in " + path});
        QCOMPARE(messages.Positions, (QList<TErrorPosition>{{2, 3}}));
    }

    void nothing_written_makes_no_entry() {
        const TCompilerMessages messages =
            ParseCompilerMessages(QString(), QStringLiteral("/p/A.java"));
        QVERIFY(messages.Entries.isEmpty());
        QVERIFY(messages.Positions.isEmpty());
        QVERIFY(!messages.RawFollows);
    }

    void a_long_message_text_is_cut() {
        const QString path = QStringLiteral("/p/Hallo.java");
        const QString text(1500, QLatin1Char('x'));
        const TCompilerMessages messages =
            ParseCompilerMessages(path + ":1: " + text + "\nsrc\n^\n", path);
        QCOMPARE(messages.Entries, QStringList{"Fehler 1: " + text.left(999) + " in " + path});
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
