// SPDX-License-Identifier: GPL-3.0-or-later
// What the error list shows for a compile, on output written out here: the
// rows, their numbering and places, the tooltip, our own German lines, the
// entry the caret jumps to, and whether the list tells of a failure.
#include "Datei/ErrorListRows.h"
#include "ErrorRowsText.h"

#include <QtTest>

using datei::ErrorListRows;
using datei::ParseJavacOutput;
using datei::TErrorListEntry;
using datei::TErrorRows;
using TKind = datei::TErrorListEntry::TKind;

Q_DECLARE_METATYPE(doscall::TCapture)

namespace {

const QString Dir = QStringLiteral("/home/anna/java");
const QString Path = QStringLiteral("/home/anna/java/Hallo.java");

doscall::TCapture Exit(int code) {
    doscall::TCapture run;
    run.Ran = true;
    run.Exited = true;
    run.ExitCode = code;
    return run;
}

doscall::TCapture Killed(int signal) {
    doscall::TCapture run;
    run.Ran = true;
    run.Signal = signal;
    return run;
}

TErrorRows List(const QStringList& lines, const doscall::TCapture& run) {
    return ErrorListRows(ParseJavacOutput(lines.join('\n'), Path), run, Dir);
}

} // namespace

class TestErrorListRows : public QObject {
    Q_OBJECT

private slots:
    void errors_and_warnings_are_numbered_among_themselves() {
        const TErrorRows list = List(
            {Path + ":3: warning: [removal] Integer(int) in Integer has been deprecated",
             "\t\tnew Integer(3);", "\t\t^", Path + ":4: error: ';' expected", "\t\tint x = 1",
             "\t\t         ^", Path + ":6: warning: [deprecation] stop()", "\t\tt.stop();",
             "\t\t ^", Path + ":7: error: not a statement", "\t\tx;", "\t\t^",
             "Note: Hallo.java uses unchecked or unsafe operations.", "2 errors", "2 warnings"},
            Exit(1));
        QCOMPARE(Texts(list),
                 (QStringList{"Warnung 1: [removal] Integer(int) in Integer has been deprecated "
                              "in " +
                                  Path,
                              "Fehler 1: ';' expected in " + Path,
                              "Warnung 2: [deprecation] stop() in " + Path,
                              "Fehler 2: not a statement in " + Path,
                              "Hinweis: Hallo.java uses unchecked or unsafe operations."}));
        QCOMPARE(Kinds(list), (QList<TKind>{TKind::Warning, TKind::Error, TKind::Warning,
                                            TKind::Error, TKind::Note}));
        // The jump goes to the first error, past the warning before it.
        QCOMPARE(list.JumpTarget, 1);
        QVERIFY(list.Failed);
        const TErrorListEntry& first = list.Entries[1];
        QCOMPARE(first.File, Path);
        QCOMPARE(first.Line, 4);
        QCOMPARE(first.Column, 12);
        QVERIFY(!list.Entries[4].HasPlace());
    }

    void javacs_own_kind_word_is_not_repeated_in_german() {
        const TErrorRows list =
            List({Path + ":2: Fehler: ';' erwartet", "\tint x = 1", "\t         ^",
                  Path + ":4: Warnung: [removal] Applet ist veraltet",
                  "public class Hallo extends Applet {", "^",
                  "Hinweis: Hallo.java verwendet eine veraltete API.", "1 Fehler", "1 Warnung"},
                 Exit(1));
        QCOMPARE(Texts(list), (QStringList{"Fehler 1: ';' erwartet in " + Path,
                                           "Warnung 1: [removal] Applet ist veraltet in " + Path,
                                           "Hinweis: Hallo.java verwendet eine veraltete API."}));
    }

    void a_compile_that_succeeded_with_warnings_is_neutral_and_keeps_the_caret() {
        const TErrorRows list = List({Path + ":4: warning: [removal] Applet in java.applet has "
                                             "been deprecated and marked for removal",
                                      "public class Hallo extends java.applet.Applet {",
                                      "                                      ^", "1 warning"},
                                     Exit(0));
        QCOMPARE(Kinds(list), QList<TKind>{TKind::Warning});
        QVERIFY(!list.Failed);
        QCOMPARE(list.JumpTarget, -1);
        QCOMPARE(list.Entries.first().Column, 39);
    }

    void another_file_of_the_program_is_named_and_pointed_at_in_full() {
        const TErrorRows list =
            List({"./Auto.java:3: error: ';' expected", "\t\tint x = 1", "\t\t         ^",
                  "/home/anna/lib/Motor.java:2: error: not a statement", "\tx;", "\t^", "2 errors"},
                 Exit(1));
        QCOMPARE(Texts(list),
                 (QStringList{"Fehler 1: ';' expected in /home/anna/java/Auto.java",
                              "Fehler 2: not a statement in /home/anna/lib/Motor.java"}));
        QCOMPARE(list.Entries[0].File, QStringLiteral("/home/anna/java/Auto.java"));
        QCOMPARE(list.Entries[0].Line, 3);
        QCOMPARE(list.Entries[0].Column, 12);
        QCOMPARE(list.Entries[1].File, QStringLiteral("/home/anna/lib/Motor.java"));
        QCOMPARE(list.JumpTarget, 0);
    }

    void the_tooltip_holds_the_detail_lines() {
        const TErrorRows list = List({Path + ":4: error: cannot find symbol",
                                      "\t\tSystem.out.println(zahll);", "\t\t                   ^",
                                      "  symbol:   variable zahll", "  location: class Hallo",
                                      Path + ":5: error: ';' expected", "x", "^", "2 errors"},
                                     Exit(1));
        QCOMPARE(list.Entries[0].ToolTip, "Fehler 1: cannot find symbol in " + Path +
                                              "\n  symbol:   variable zahll\n"
                                              "  location: class Hallo");
        QCOMPARE(list.Entries[1].ToolTip, list.Entries[1].Text);
    }

    void a_long_message_text_is_cut_at_999_characters() {
        const QString text(1500, QLatin1Char('x'));
        const TErrorRows list = List({Path + ":1: error: " + text, "src", "^"}, Exit(1));
        QCOMPARE(Texts(list), QStringList{"Fehler 1: " + text.left(999) + " in " + Path});
    }

    void raw_lines_follow_the_entries_and_point_nowhere() {
        const TErrorRows list =
            List({"error: invalid flag: -x", "Usage: javac <options> <source files>",
                  "use --help for a list of possible options"},
                 Exit(2));
        QCOMPARE(Texts(list),
                 (QStringList{"Fehler 1: invalid flag: -x", "Usage: javac <options> <source files>",
                              "use --help for a list of possible options"}));
        QCOMPARE(Kinds(list), (QList<TKind>{TKind::Error, TKind::Raw, TKind::Raw}));
        QVERIFY(!list.Entries[0].HasPlace());
        QVERIFY(!list.Entries[1].HasPlace());
        QCOMPARE(list.JumpTarget, 0);
        QVERIFY(list.Failed);
    }

    void our_own_german_line_says_how_a_compile_ended_data() {
        QTest::addColumn<QStringList>("output");
        QTest::addColumn<doscall::TCapture>("run");
        QTest::addColumn<QStringList>("texts");
        const QStringList oneError{Path + ":1: error: x", "y", "^", "1 error"};
        const QString cut = QStringLiteral("only showing the first 100 errors, of 150 total; use "
                                           "-Xmaxerrs if you would like to see more");
        QTest::newRow("errors cut")
            << (oneError + QStringList{cut}) << Exit(1)
            << QStringList{"Fehler 1: x in " + Path,
                           "javac zeigt nur die ersten 100 von insgesamt 150 Fehlern."};
        QTest::newRow("warnings cut")
            << QStringList{"100 warnings", "only showing the first 100 warnings, of 230 total; "
                                           "use -Xmaxwarns if you would like to see more"}
            << Exit(0)
            << QStringList{"javac zeigt nur die ersten 100 von insgesamt 230 Warnungen."};
        QTest::newRow("exit 1 without a word")
            << QStringList{} << Exit(1)
            << QStringList{"javac hat sich ohne Meldung beendet (Exit-Status 1)."};
        QTest::newRow("only the launcher's notice")
            << QStringList{"Picked up JAVA_TOOL_OPTIONS: -Dx=1"} << Exit(3)
            << QStringList{"javac hat sich ohne Meldung beendet (Exit-Status 3)."};
        QTest::newRow("killed without a word")
            << QStringList{} << Killed(9)
            << QStringList{"javac wurde ohne Meldung beendet (Signal 9)."};
        QTest::newRow("killed after a message")
            << QStringList{Path + ":1: error: x", "y", "^"} << Killed(15)
            << QStringList{"Fehler 1: x in " + Path, "javac wurde vorzeitig beendet (Signal 15)."};
        QTest::newRow("ended by the runner")
            << QStringList{} << Killed(0) << QStringList{"javac wurde abgebrochen."};
        QTest::newRow("a failure that names no error")
            << QStringList{"Note: Hallo.java uses unchecked or unsafe operations."} << Exit(1)
            << QStringList{"Hinweis: Hallo.java uses unchecked or unsafe operations.",
                           "javac hat sich mit Exit-Status 1 beendet, ohne einen Fehler zu "
                           "nennen."};
        QTest::newRow("only a count")
            << QStringList{"1 error"} << Exit(1)
            << QStringList{"javac hat sich mit Exit-Status 1 beendet, ohne einen Fehler zu "
                           "nennen."};
        QTest::newRow("errors say it all")
            << oneError << Exit(1) << QStringList{"Fehler 1: x in " + Path};
        QTest::newRow("raw lines say it all")
            << QStringList{"Error: Could not find or load main class x"} << Exit(1)
            << QStringList{"Error: Could not find or load main class x"};
        QTest::newRow("success without a word") << QStringList{} << Exit(0) << QStringList{};
    }
    void our_own_german_line_says_how_a_compile_ended() {
        const QString oneErrorLine = Path + ":1: error: x";
        QFETCH(QStringList, output);
        QFETCH(doscall::TCapture, run);
        QFETCH(QStringList, texts);
        const TErrorRows list = List(output, run);
        QCOMPARE(Texts(list), texts);
        QCOMPARE(list.Failed, !run.Succeeded() || output.contains(oneErrorLine));
        for (const TErrorListEntry& entry : list.Entries) {
            if (entry.Text.startsWith(QLatin1String("javac ")))
                QCOMPARE(entry.Kind, TKind::Remark);
        }
    }

    void an_error_fails_the_compile_whatever_the_exit_status() {
        const TErrorRows list = List({Path + ":1: error: x", "y", "^"}, Exit(0));
        QVERIFY(list.Failed);
        QCOMPARE(list.JumpTarget, 0);
    }

    void a_failed_compile_that_names_no_error_has_nowhere_to_jump() {
        const TErrorRows list = List({}, Exit(1));
        QVERIFY(list.Failed);
        QCOMPARE(list.JumpTarget, -1);
        QVERIFY(!list.Entries.first().HasPlace());
    }

    void a_compiler_that_did_not_run_makes_a_failed_empty_list() {
        const TErrorRows list = List({}, doscall::TCapture{});
        QVERIFY(list.Failed);
        QVERIFY(list.Entries.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestErrorListRows)
#include "tst_errorlistrows.moc"
