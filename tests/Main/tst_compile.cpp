// SPDX-License-Identifier: GPL-3.0-or-later
// F8 through the real main window with the machine's javac: the entries,
// their colour and where each jumps, success and failure, encodings, the
// unnamed slot, the JDK directory, and each document's own error list.
#include "CompileRig.h"
#include "PaintCounter.h"

#include <QApplication>
#include <QTimer>

Q_DECLARE_METATYPE(TJdk)

namespace {

// Three errors, each marking the string literal of its line, indented with
// tabs, blanks and both.
const QStringList ThreeErrors{"class Uebung {", "\t\tint a = \"eins\";", "    int b = \"zwei\";",
                              "\t  \t int c = \"drei\";", "}"};

} // namespace

class TestCompile : public CompileRig {
    Q_OBJECT

private slots:
    void init() { SetUpCompile(); }
    void cleanup() { TearDown(); }

    void one_error_is_one_fuchsia_entry_and_the_caret_goes_to_the_marked_character() {
        // A blank and an umlaut in the directory and in the file name.
        const QString path =
            OpenSource(QStringLiteral("Übung eins.java"),
                       QStringList{"class Uebung {", "", "\t\tint a = \"eins\";", "}"});
        Command("Compiler1");
        QCOMPARE(Entries().size(), 1);
        QVERIFY2(Entries().first().startsWith(QStringLiteral("Fehler 1: incompatible types")),
                 qPrintable(Entries().first()));
        QVERIFY2(Entries().first().endsWith(" in " + path), qPrintable(Entries().first()));
        QCOMPARE(ListColour(), Fuchsia());
        QVERIFY(List()->isEnabled());
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        QCOMPARE(form->CurrentMemo()->CaretLine(), 2);
        QCOMPARE(AtCaret(), QLatin1Char('"'));
        QVERIFY(form->CurrentMemo()->hasFocus());
        QVERIFY(prompts.Calls.isEmpty());
    }

    void three_errors_each_jump_to_their_own_place() {
        OpenSource(QStringLiteral("Uebung.java"), ThreeErrors);
        Command("Compiler1");
        QCOMPARE(Entries().size(), 3);
        for (int n = 1; n <= 3; ++n)
            QVERIFY(Entries()[n - 1].startsWith(QStringLiteral("Fehler %1: ").arg(n)));
        TColorMemo* memo = form->CurrentMemo();
        QCOMPARE(memo->CaretLine(), 1);
        for (int i : {2, 1, 0}) {
            DoubleClickEntry(i);
            QCOMPARE(memo->CaretLine(), i + 1);
            QCOMPARE(AtCaret(), QLatin1Char('"'));
            QCOMPARE(Status(0), QString::asprintf("%3d: %3d", i + 2, memo->CaretCol() + 1));
        }
        // A click shows the whole entry as the list's hint, its explanation after it.
        ClickEntry(1);
        QVERIFY(List()->toolTip().startsWith(Entries()[1] + "\n\n"));
        QVERIFY(List()->toolTip().contains(QStringLiteral("int")));

        // Mended and compiled again: the list empties, the hint goes.
        memo->SetText(QStringLiteral("class Uebung {}"));
        Command("Compiler1");
        QVERIFY(Entries().isEmpty());
        QCOMPARE(List()->toolTip(), QString());
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
    }

    void a_clean_file_is_done_with_an_empty_list_and_a_class_file() {
        const QString path =
            OpenSource(QStringLiteral("Hallo.java"), QStringList{"public class Hallo {", "}"});
        form->CurrentMemo()->SetSelStart(5);
        Command("Compiler1");
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
        QVERIFY(Entries().isEmpty());
        QVERIFY(List()->isEnabled());
        QCOMPARE(ListColour(), Fuchsia());
        QVERIFY(QFile::exists(QDir(sources).filePath(QStringLiteral("Hallo.class"))));
        QCOMPARE(form->CurrentMemo()->SelStart(), 5);
    }

    void warnings_alone_succeed_and_are_shown_data() {
        QTest::addColumn<TJdk>("jdk");
        for (const TJdk& jdk : InstalledJdks())
            QTest::newRow(qPrintable(QStringLiteral("JDK %1").arg(jdk.Major))) << jdk;
    }
    void warnings_alone_succeed_and_are_shown() {
        QFETCH(TJdk, jdk);
        inis.JdkDir = jdk.Dir;
        OpenSource(QStringLiteral("Alt.java"),
                   QStringList{"public class Alt {",
                               "  void f() { Thread.currentThread().stop(); }", "}"});
        form->CurrentMemo()->SetSelStart(3);
        Command("Compiler1");
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
        QVERIFY(QFile::exists(QDir(sources).filePath(QStringLiteral("Alt.class"))));
        // Notes (JDK 17) or a [removal] warning and notes (JDK 25), in no colour of a failure.
        QVERIFY(!Entries().isEmpty());
        QVERIFY2(Entries().filter(QStringLiteral("Hinweis: ")).size() >= 1 ||
                     Entries().filter(QStringLiteral("Warnung 1: [removal]")).size() >= 1,
                 qPrintable(Entries().join('\n')));
        for (int i = 0; i < Entries().size(); ++i) {
            QVERIFY(EntryColour(i) != Fuchsia());
            QVERIFY(EntryColour(i) != Red());
        }
        QCOMPARE(form->CurrentMemo()->SelStart(), 3);
    }

    void detail_lines_stay_with_their_entry() {
        OpenSource(QStringLiteral("Sym.java"),
                   QStringList{"class Sym {", "  void f() { gibtEsNicht(); }", "}"});
        Command("Compiler1");
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        // One entry; javac's symbol and location lines are in its hint, not rows of their own.
        QCOMPARE(Entries().size(), 1);
        QVERIFY(Entries()[0].startsWith(QStringLiteral("Fehler 1: cannot find symbol")));
        QCOMPARE(EntryColour(0), Fuchsia());
        const QString hint = List()->item(0)->toolTip();
        QVERIFY2(hint.contains(QStringLiteral("symbol:")) && hint.contains("location:"),
                 qPrintable(hint));
        QVERIFY(hint.contains(QStringLiteral("gibtEsNicht")));
        QCOMPARE(AtCaret(), QLatin1Char('g'));
        form->CurrentMemo()->SetSelStart(0);
        DoubleClickEntry(0);
        QCOMPARE(AtCaret(), QLatin1Char('g'));
    }

    void output_that_is_no_javac_message_is_shown_raw_in_red() {
        const QString odd =
            StandInJdk(QStringLiteral("seltsames JDK"),
                       "echo 'Speicher voll' >&2\necho 'bitte neu starten' >&2\nexit 3\n");
        inis.JdkDir = odd;
        OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        Command("Compiler1");
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        QCOMPARE(Entries(), (QStringList{"Speicher voll", "bitte neu starten"}));
        QCOMPARE(EntryColour(0), Red());
        QCOMPARE(EntryColour(1), Red());
        // A raw line points nowhere: the caret stays.
        form->CurrentMemo()->SetSelStart(4);
        DoubleClickEntry(1);
        QCOMPARE(form->CurrentMemo()->SelStart(), 4);
    }

    void umlauts_in_a_string_compile_in_either_encoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("public class Gruss { String s = \"Grüße\"; }\r\n");
        QTest::newRow("UTF-8") << text.toUtf8();
        QTest::newRow("Latin-1") << text.toLatin1();
    }
    void umlauts_in_a_string_compile_in_either_encoding() {
        QFETCH(QByteArray, bytes);
        const QString path = OpenSource(QStringLiteral("Gruss.java"), bytes);
        Command("Compiler1");
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
        QVERIFY(Entries().isEmpty());
        QCOMPARE(ReadBytes(path), bytes);
    }

    // The compiler cannot read a byte-order mark; the file keeps it all the same.
    void a_file_with_a_byte_order_mark_compiles_and_keeps_its_mark() {
        const QByteArray mark("\xEF\xBB\xBF");
        const QByteArray clean = mark + "public class Markiert { String s = \"Grüße\"; }\r\n";
        const QString path = OpenSource(QStringLiteral("Markiert.java"), clean);
        Command("Compiler1");
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
        QVERIFY(Entries().isEmpty());
        QVERIFY(QFileInfo::exists(QDir(sources).filePath(QStringLiteral("Markiert.class"))));
        QCOMPARE(ReadBytes(path), clean);

        const QByteArray broken = mark + "class Kaputt {\r\n\tint a = \"eins\";\r\n}\r\n";
        const QString brokenPath = OpenSource(QStringLiteral("Kaputt.java"), broken);
        Command("Compiler1");
        QCOMPARE(Entries().size(), 1);
        QVERIFY2(Entries().first().endsWith(" in " + brokenPath), qPrintable(Entries().first()));
        QCOMPARE(form->CurrentMemo()->CaretLine(), 1);
        QCOMPARE(AtCaret(), QLatin1Char('"'));
    }

    void an_unnamed_slot_compiles_as_noname_after_the_name_dialog_is_cancelled() {
        QVERIFY(QDir::setCurrent(sources));
        Command("Neu1");
        Type(QStringLiteral("class A {}"));
        ChooseFiles({QString()});
        QVERIFY(!form->CompileCurrentFile());
        QCOMPARE(prompts.CallsOf(QStringLiteral("save")).size(), 1);
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        // javac's usage text follows its message: lines of no message, the list red.
        QCOMPARE(ListColour(), Red());
        QVERIFY2(Entries().contains(QStringLiteral("Fehler 1: file not found: noname.java")),
                 qPrintable(Entries().join('\n')));
        QVERIFY(TextsOf(QStringLiteral("message")).isEmpty());
    }

    void without_a_jdk_directory_nothing_is_saved_or_compiled() {
        inis.JdkDir.clear();
        const QString path =
            OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        Type(QStringLiteral("// neu\r\n"));
        Command("Compiler1");
        VerifyJdkNotSetMessage();
        QCOMPARE(ReadBytes(path), QByteArray("class Hallo {}\r\n"));
        QVERIFY(!List()->isEnabled());
    }

    void a_wrong_jdk_directory_is_a_call_error() {
        inis.JdkDir = Path(QStringLiteral("kein JDK"));
        const QString path =
            OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        Command("Compiler1");
        QCOMPARE(TextsOf(QStringLiteral("message")),
                 QStringList{QStringLiteral("Fehler beim Aufruf des Compiler! Bitte überprüfen Sie "
                                            "den JDK-Pfad unter Bearbeiten->Optionen!")});
        QCOMPARE(Status(2), "Compiling: " + path);
        QVERIFY(Entries().isEmpty());
        QVERIFY(List()->isEnabled());
    }

    void the_tool_button_and_the_popup_entry_compile_too_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("tool button") << "Compiler2";
        QTest::newRow("pop-up entry") << "Compiler3";
    }
    void the_tool_button_and_the_popup_entry_compile_too() {
        QFETCH(QString, command);
        OpenSource(QStringLiteral("Uebung.java"), ThreeErrors);
        Command(command);
        QCOMPARE(Entries().size(), 3);
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
    }

    void compiling_keeps_the_version_before_as_backup() {
        const QString path =
            OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        Type(QStringLiteral("// neu\r\n"));
        Command("Compiler1");
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
        QCOMPARE(ReadBytes(QDir(sources).filePath(QStringLiteral("Hallo.jav_"))),
                 QByteArray("class Hallo {}\r\n"));
        QCOMPARE(ReadBytes(path), QByteArray("// neu\r\nclass Hallo {}\r\n"));
    }

    void a_slow_compile_keeps_the_window_painting_and_lets_no_second_one_start() {
        // A javac that takes its time before it does its work.
        const QString slowJdk =
            StandInJdk(QStringLiteral("langsames JDK"),
                       "sleep 1\nexec '" + DefaultJdk().Dir.toUtf8() + "/bin/javac' \"$@\"\n");
        inis.JdkDir = slowJdk;
        OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo { int a = \"x\"; }\r\n"));
        Type(QStringLiteral("// neu\r\n"));

        TPaintCounter counter;
        List()->viewport()->installEventFilter(&counter);
        QTimer ticker;
        int ticks = 0;
        bool hourglass = true;
        bool secondCompiled = true;
        connect(&ticker, &QTimer::timeout, this, [&] {
            List()->viewport()->update();
            const QCursor* cursor = QApplication::overrideCursor();
            hourglass = hourglass && cursor && cursor->shape() == Qt::WaitCursor;
            if (ticks++ == 0) {
                Action(QStringLiteral("Compiler1"))->trigger();
                secondCompiled = form->CompileCurrentFile();
            }
        });
        ticker.start(50);
        counter.Paints = 0;
        Command("Compiler1");
        ticker.stop();

        QVERIFY2(ticks >= 5 && counter.Paints >= 5,
                 qPrintable(QStringLiteral("%1 ticks, %2 paints").arg(ticks).arg(counter.Paints)));
        QVERIFY(hourglass);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(!secondCompiled);
        // One compile, one save: no call error, the backup still the version before.
        QVERIFY(TextsOf(QStringLiteral("message")).isEmpty());
        QCOMPARE(Entries().size(), 1);
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        QCOMPARE(ReadBytes(QDir(sources).filePath(QStringLiteral("Hallo.jav_"))),
                 QByteArray("class Hallo { int a = \"x\"; }\r\n"));
    }

    void a_wait_cut_short_is_reported_through_the_prompts() {
        // A compiler that hangs, and the application quitting meanwhile,
        // which ends every event loop.
        const QString hangingJdk = StandInJdk(QStringLiteral("haengendes JDK"), "exec sleep 60\n");
        inis.JdkDir = hangingJdk;
        OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        QTimer::singleShot(300, qApp, [] { QCoreApplication::exit(0); });
        Command("Compiler1");
        // Event loops work again once the application's own loop has run.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();

        QCOMPARE(TextsOf(QStringLiteral("message")), QStringList{QStringLiteral("Waiting Failed")});
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        QCOMPARE(Entries(), QStringList{QStringLiteral("javac wurde abgebrochen.")});
    }

    void each_document_keeps_its_own_error_list() {
        const QString first = OpenSource(QStringLiteral("Uebung.java"), ThreeErrors);
        Command("Compiler1");
        const QStringList firstEntries = Entries();
        OpenSource(QStringLiteral("Zwei.java"),
                   QStringList{"class Zwei {", "", "", "", "  int z = \"z\";", "}"});
        QVERIFY(Entries().isEmpty()); // not compiled yet
        Command("Compiler1");
        QCOMPARE(Entries().size(), 1);

        ShowPage(1);
        QCOMPARE(Entries(), firstEntries);
        DoubleClickEntry(2);
        QCOMPARE(form->CurrentMemo(), form->SlotMemo(1));
        QCOMPARE(form->CurrentMemo()->CaretLine(), 3);
        QCOMPARE(AtCaret(), QLatin1Char('"'));

        // Closing the first page moves the second document, list and all, to slot 1.
        Command("Schliessen1");
        QCOMPARE(form->SlotFile(1), QDir(sources).filePath(QStringLiteral("Zwei.java")));
        QCOMPARE(Entries().size(), 1);
        DoubleClickEntry(0);
        QCOMPARE(form->CurrentMemo()->CaretLine(), 4);
        QCOMPARE(AtCaret(), QLatin1Char('"'));
        QVERIFY(first != form->SlotFile(1));
    }

    void a_compiler_answering_in_german_makes_the_same_entries_data() {
        QTest::addColumn<TJdk>("jdk");
        for (const TJdk& jdk : InstalledJdks())
            if (jdk.Major >= 21) // German came with JDK 21
                QTest::newRow(qPrintable(QStringLiteral("JDK %1").arg(jdk.Major))) << jdk;
    }
    void a_compiler_answering_in_german_makes_the_same_entries() {
        QFETCH(TJdk, jdk);
        inis.JdkDir = jdk.Dir;
        const QString path = OpenSource(QStringLiteral("Fehlt.java"),
                                        QStringList{"class Fehlt {", "\tint x = 1", "}"});
        // The JVM announces the option on standard error before javac speaks.
        qputenv("JAVA_TOOL_OPTIONS", "-Duser.language=de");
        Command("Compiler1");
        qunsetenv("JAVA_TOOL_OPTIONS");
        QCOMPARE(Entries(), QStringList{"Fehler 1: ';' erwartet in " + path});
        QCOMPARE(Status(2), QStringLiteral("Fehler"));
        QCOMPARE(form->CurrentMemo()->CaretLine(), 1);
        QCOMPARE(form->CurrentMemo()->CaretCol(), 10);
    }
};

QTEST_MAIN(TestCompile)
#include "tst_compile.moc"
