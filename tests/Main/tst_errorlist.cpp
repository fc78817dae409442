// SPDX-License-Identifier: GPL-3.0-or-later
// The error list through the real main window with the real javac, where
// messages meet each other: a warning before an error, an error in another
// file of the program, more errors than javac shows, a javac that ends
// without a word; and the message area's height and the status bar's room.
#include "CompileRig.h"

#include <QProcess>
#include <QSplitter>
#include <QTimer>

class TestErrorList : public CompileRig {
    Q_OBJECT

    QSplitter* Splitter() const { return Control<QSplitter>(QStringLiteral("EditorAndMessages")); }

private slots:
    void init() { SetUpCompile(); }
    void cleanup() { TearDown(); }

    void a_warning_before_an_error_keeps_its_kind_and_the_jump_goes_to_the_error() {
        const QString path =
            OpenSource(QStringLiteral("Beides.java"),
                       QStringList{"public class Beides {",
                                   "  void f() { synchronized (Integer.valueOf(1)) {} }",
                                   "  int g() { return \"x\"; }", "}"});
        // Kodiwerk asks javac for no warnings; what javac writes when asked
        // for them is replayed by a stand-in.
        QProcess javac;
        javac.setWorkingDirectory(sources);
        javac.start(DefaultJdk().Dir + QStringLiteral("/bin/javac"),
                    {QStringLiteral("-d"), Path(QStringLiteral("classes")), path});
        QVERIFY(javac.waitForFinished(60000));
        const QString replay = Path(QStringLiteral("replay.txt"));
        QFile recorded(replay);
        QVERIFY(recorded.open(QIODevice::WriteOnly));
        recorded.write(javac.readAllStandardError());
        recorded.close();
        inis.JdkDir = StandInJdk(QStringLiteral("Wiedergabe-JDK"),
                                 "cat '" + replay.toUtf8() + "' >&2\nexit 1\n");
        Command("Compiler1");
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        const QStringList entries = Entries();
        QVERIFY2(entries.size() >= 2, qPrintable(entries.join('\n')));
        QVERIFY2(entries[0].startsWith(QStringLiteral("Warnung 1: [synchronization]")),
                 qPrintable(entries[0]));
        QVERIFY2(entries[1].startsWith(QStringLiteral("Fehler 1: incompatible types")),
                 qPrintable(entries[1]));
        QVERIFY(EntryColour(0) != EntryColour(1));
        QCOMPARE(EntryColour(1), Fuchsia());
        // The caret at the error's marked character, the error selected.
        QCOMPARE(form->CurrentMemo()->CaretLine(), 2);
        QCOMPARE(AtCaret(), QLatin1Char('"'));
        QCOMPARE(List()->currentRow(), 1);
    }

    void an_error_in_another_file_of_the_program_opens_that_file_at_its_place() {
        QFile helper(QDir(sources).filePath(QStringLiteral("Helfer.java")));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.write("class Helfer {\r\n  static int zahl() { return \"eins\"; }\r\n}\r\n");
        helper.close();
        OpenSource(QStringLiteral("Haupt.java"),
                   QStringList{"class Haupt {", "  int z = Helfer.zahl();", "}"});
        Command("Compiler1");
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        QCOMPARE(Entries().size(), 1);
        QVERIFY2(Entries()[0].endsWith(QStringLiteral(" in ") + helper.fileName()),
                 qPrintable(Entries()[0]));
        // The jump opened the other file in a slot of its own, at the marked character.
        QVERIFY(form->CurrentMemo()->Text().startsWith(QStringLiteral("class Helfer")));
        QCOMPARE(form->CurrentMemo()->CaretLine(), 1);
        QCOMPARE(AtCaret(), QLatin1Char('"'));
        // Back in the first file a double-click shows the other one again.
        ShowPage(1);
        QCOMPARE(Entries().size(), 1);
        DoubleClickEntry(0);
        QVERIFY(form->CurrentMemo()->Text().startsWith(QStringLiteral("class Helfer")));
    }

    void more_errors_than_javac_shows_are_said() {
        QStringList lines{"class Viele {"};
        for (int i = 0; i < 150; ++i)
            lines << QStringLiteral("  int a%1 = \"x\";").arg(i);
        lines << "}";
        OpenSource(QStringLiteral("Viele.java"), lines);
        Command("Compiler1");
        const QStringList entries = Entries();
        QCOMPARE(entries.filter(QRegularExpression(QStringLiteral("^Fehler \\d+: "))).size(), 100);
        QVERIFY2(entries.last().contains(QStringLiteral("100 von insgesamt 150")),
                 qPrintable(entries.last()));
    }

    void a_javac_that_ends_without_a_word_is_said_in_german_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("entry");
        QTest::newRow("exit status 1")
            << QByteArray("exit 1\n")
            << QStringLiteral("javac hat sich ohne Meldung beendet (Exit-Status 1).");
        QTest::newRow("killed") << QByteArray("kill -9 $$\n")
                                << QStringLiteral("javac wurde ohne Meldung beendet (Signal 9).");
    }
    void a_javac_that_ends_without_a_word_is_said_in_german() {
        QFETCH(QByteArray, script);
        QFETCH(QString, entry);
        inis.JdkDir = StandInJdk(QStringLiteral("stummes JDK"), script);
        OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        Command("Compiler1");
        QCOMPARE(Entries(), QStringList{entry});
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        // In a failure's colour, not the neutral one of warnings.
        QVERIFY(EntryColour(0) == Fuchsia() || EntryColour(0) == Red());
        QVERIFY(prompts.Calls.isEmpty());
    }

    void the_compile_status_shows_whole_while_javac_runs() {
        inis.JdkDir = StandInJdk(QStringLiteral("langsames JDK"), "sleep 1\n");
        OpenSource(QStringLiteral("Ein recht langer Dateiname.java"),
                   QByteArray("class Hallo {}\r\n"));
        // The panel reaches to the window's right edge: a wide window shows it all.
        form->resize(1200, form->height());
        QString shown;
        int needed = 0;
        int room = 0;
        QTimer::singleShot(400, this, [&] {
            const QLabel* panel = Control<QLabel>(QStringLiteral("StatusPanel2"));
            shown = panel->text();
            needed = panel->fontMetrics().horizontalAdvance(shown);
            room = panel->contentsRect().width();
        });
        Command("Compiler1");
        QVERIFY2(shown.startsWith(QStringLiteral("Compiling: ")), qPrintable(shown));
        QVERIFY2(needed <= room, qPrintable(QStringLiteral("%1 > %2").arg(needed).arg(room)));
    }

    void the_message_area_grows_once_and_its_height_is_remembered() {
        const int before = Splitter()->sizes().at(1);
        OpenSource(QStringLiteral("Uebung.java"), QStringList{"class Uebung {", "int a = ;", "}"});
        Command("Compiler1");
        CatchUp();
        const int grown = Splitter()->sizes().at(1);
        QVERIFY2(grown > before, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(grown)));
        // The user's own height stays, also through the next compile.
        Splitter()->setSizes({Splitter()->sizes().at(0) + grown - 150, 150});
        const int chosen = Splitter()->sizes().at(1);
        Command("Compiler1");
        CatchUp();
        QCOMPARE(Splitter()->sizes().at(1), chosen);

        Answer({TPrompts::Answer::No});
        form->close();
        const QByteArray settings = ReadBytes(SettingsFilePath());
        QVERIFY2(settings.contains("ListHeight=" + QByteArray::number(chosen)),
                 settings.constData());
        QVERIFY(StartMainWindow(settings));
        CatchUp();
        QCOMPARE(Splitter()->sizes().at(1), chosen);
    }
};

QTEST_MAIN(TestErrorList)
#include "tst_errorlist.moc"
