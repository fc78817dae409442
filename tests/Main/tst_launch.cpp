// SPDX-License-Identifier: GPL-3.0-or-later
// F10 and F9 through the real main window: compile, the file beside the
// source, the program started in a terminal or a viewer, the status bar's
// progress and every message. A stand-in terminal ($TERMINAL) runs what it is
// given without a window and notes how it was called; stand-in JDK programs
// note theirs.
#include "CompileRig.h"
#include "Datei/Templates.h"
#include "PaintCounter.h"

#include <QLabel>
#include <QScopeGuard>
#include <QTemporaryDir>

namespace {

const QString Prompt = QStringLiteral("Weiter mit der Eingabetaste . . . ");
const QString ViewerClass = QStringLiteral("kodiwerk.viewer.AppletViewer");

// Every text the progress panel shows, in order: taken when it is painted.
struct TStatusRecorder {
    explicit TStatusRecorder(QLabel* panel) : Counter(panel) {
        Counter.OnPaint = [this, panel] {
            if (Shown.isEmpty() || Shown.last() != panel->text())
                Shown << panel->text();
        };
    }
    TPaintCounter Counter;
    QStringList Shown;
};

bool WriteScript(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + text) > 0 &&
           file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// Notes its working directory and arguments, one a line, in "<itself>.called".
// The note appears whole (written aside, then renamed), so a test that waits
// for the file never reads it half written; mv by its full path, as some
// tests run the recorder with an empty PATH.
const QByteArray Recorder = "{ pwd; for a; do printf '%s\\n' \"$a\"; done; } > \"$0.calling\"\n"
                            "/bin/mv \"$0.calling\" \"$0.called\"\n";

QStringList Lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestLaunch : public CompileRig {
    Q_OBJECT

    QTemporaryDir tools; // the stand-in terminals, JDKs and the viewer cache
    std::unique_ptr<TStatusRecorder> status;
    int terminals = 0; // each test has a terminal of its own, so a program a
                       // failed test left running cannot answer for the next

    QString Terminal() const { return tools.filePath(QString("terminal%1/xterm").arg(terminals)); }
    // How the terminal was called ({} when it was not): its working
    // directory, then its arguments.
    QStringList TerminalCall() const { return Lines(Terminal() + ".called"); }
    // What the program the terminal ran printed, once it has ended.
    QString TerminalOutput() const { return QString::fromUtf8(ReadBytes(Terminal() + ".out")); }
    bool TerminalDone() const { return QFileInfo::exists(Terminal() + ".out"); }

    // A JDK of the test's own below `tools`: javac is the real one (or a
    // script), the other programs the real ones, recorders, or missing.
    QString MakeJdk(const QString& name, const QByteArray& javacScript,
                    const QMap<QString, QString>& programs) {
        const QString jdk = tools.filePath(name);
        if (!QDir(jdk).removeRecursively() || !QDir().mkpath(jdk + "/bin"))
            return {};
        const bool javac = javacScript.isEmpty()
                               ? QFile::link(DefaultJdk().Dir + "/bin/javac", jdk + "/bin/javac")
                               : WriteScript(jdk + "/bin/javac", javacScript);
        if (!javac)
            return {};
        for (auto it = programs.begin(); it != programs.end(); ++it) {
            const QString path = jdk + "/bin/" + it.key();
            const bool made = it.value() == "real"
                                  ? QFile::link(DefaultJdk().Dir + "/bin/" + it.key(), path)
                                  : WriteScript(path, Recorder);
            if (!made)
                return {};
        }
        return jdk;
    }

    QString OpenTemplate(const QString& className, bool applet) {
        QString text = applet ? datei::AppletTemplate() : datei::ApplicationTemplate();
        text.replace("noname", className);
        return OpenSource(className + ".java", text.toUtf8());
    }

    QStringList Statuses() const { return status->Shown; }
    // The save that every compile begins with, then the compile itself.
    static QStringList Compiling(const QString& path) {
        return {"Speichern", "Fertig", "Compiling: " + path};
    }

private slots:
    void initTestCase() {
        QVERIFY(tools.isValid());
        qputenv("XDG_CACHE_HOME", tools.filePath("cache").toLocal8Bit());
    }
    void init() {
        ++terminals;
        QVERIFY(QDir().mkpath(QFileInfo(Terminal()).path()));
        QVERIFY(WriteScript(Terminal(), Recorder + "while [ \"$1\" != -e ]; do shift; done; shift\n"
                                                   "\"$@\" > \"$0.part\" 2>&1 < /dev/null\n"
                                                   "mv \"$0.part\" \"$0.out\"\n"));
        qputenv("TERMINAL", Terminal().toLocal8Bit());
        SetUpCompile();
        status = std::make_unique<TStatusRecorder>(Control<QLabel>("StatusPanel2"));
    }
    void cleanup() {
        status.reset();
        TearDown();
    }

    // --- F10 ------------------------------------------------------------------------------

    void the_application_runs_from_a_script_in_a_terminal_of_its_own_data() {
        QTest::addColumn<bool>("rWinMin");
        QTest::newRow("waits for Enter") << false;
        QTest::newRow("minimised") << true;
    }
    void the_application_runs_from_a_script_in_a_terminal_of_its_own() {
        QFETCH(bool, rWinMin);
        inis.RWinMin = rWinMin;
        const QString path = OpenTemplate("Hallo", false);
        Command("Runner1");
        QCOMPARE(Statuses(),
                 (Compiling(path) + QStringList{"Fertig", "Running: Hallo.sh", "Ready"}));
        QCOMPARE(prompts.Calls.size(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(TerminalDone(), 60000);
        QStringList expected{QDir(sources).canonicalPath()};
        if (rWinMin)
            expected << "-iconic";
        expected << "-fa"
                 << "DejaVu Sans Mono,monospace"
                 << "-fs"
                 << "11"
                 << "-e"
                 << "/bin/sh"
                 << "Hallo.sh";
        QCOMPARE(TerminalCall(), expected);
        QCOMPARE(TerminalOutput(), "10\n\n\n" + (rWinMin ? QString() : Prompt));
    }

    void umlauts_the_program_prints_reach_the_terminal_from_any_desktop() {
        // A desktop without a UTF-8 locale; the test's own Qt has read its locale already.
        const QByteArray lang = qgetenv("LANG"), all = qgetenv("LC_ALL");
        qputenv("LANG", "C");
        qunsetenv("LC_ALL");
        const auto restore = qScopeGuard([&] {
            qputenv("LANG", lang);
            if (!all.isEmpty())
                qputenv("LC_ALL", all);
        });
        inis.RWinMin = true;
        OpenSource("Gruss.java",
                   QStringList{"public class Gruss {", "\tpublic static void main(String[] a) {",
                               "\t\tSystem.out.println(\"Grüße aus Köln\");", "\t}", "}"});
        Command("Runner1");
        QTRY_VERIFY_WITH_TIMEOUT(TerminalDone(), 60000);
        QCOMPARE(TerminalOutput(), QStringLiteral("Grüße aus Köln\n\n\n"));
    }

    void a_class_in_a_package_runs_by_its_full_name_from_the_package_root() {
        inis.RWinMin = true;
        QVERIFY(QDir(sources).mkdir("uebung"));
        const QString path =
            OpenSource("uebung/Paket.java",
                       QStringList{"package uebung;", "public class Paket {",
                                   "\tpublic static void main(String[] a) {",
                                   "\t\tSystem.out.println(Paket.class.getName());", "\t}", "}"});
        Command("Runner1");
        QCOMPARE(Statuses(),
                 (Compiling(path) + QStringList{"Fertig", "Running: Paket.sh", "Ready"}));
        QCOMPARE(prompts.Calls.size(), 0);
        QVERIFY(QFileInfo::exists(QDir(sources).filePath("uebung/Paket.class")));
        QTRY_VERIFY_WITH_TIMEOUT(TerminalDone(), 60000);
        QCOMPARE(TerminalOutput(), QStringLiteral("uebung.Paket\n\n\n"));
    }

    void a_package_its_folder_does_not_match_is_said_instead_of_started() {
        const QString path =
            OpenSource("Paket.java", QStringList{"package uebung;", "public class Paket {",
                                                 "\tpublic static void main(String[] a) {}", "}"});
        Command("Runner1");
        const QStringList messages = TextsOf("message");
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("uebung"), qPrintable(messages[0]));
        QVERIFY(TerminalCall().isEmpty());
        QVERIFY(!QFileInfo::exists(QDir(sources).filePath("Paket.sh")));
        QVERIFY(!Statuses().contains("Running: Paket.sh"));
        Q_UNUSED(path);
    }

    void a_program_of_two_classes_compiles_and_runs_though_the_other_was_never_compiled() {
        inis.RWinMin = true;
        QFile helper(QDir(sources).filePath("Helfer.java"));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.write(
            "class Helfer {\r\n\tstatic String gruss() { return \"Hallo Helfer\"; }\r\n}\r\n");
        helper.close();
        OpenSource("Haupt.java",
                   QStringList{"public class Haupt {", "\tpublic static void main(String[] a) {",
                               "\t\tSystem.out.println(Helfer.gruss());", "\t}", "}"});
        Command("Runner1");
        QCOMPARE(Entries(), QStringList{});
        QCOMPARE(prompts.Calls.size(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(TerminalDone(), 60000);
        QCOMPARE(TerminalOutput(), QStringLiteral("Hallo Helfer\n\n\n"));
    }

    void a_new_template_saved_under_a_name_of_its_own_compiles_and_runs_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("launch");
        QTest::newRow("application, F10")
            << QStringLiteral("NeuApplication1") << QStringLiteral("Runner1");
        QTest::newRow("applet, F8") << QStringLiteral("NeuApplet1") << QStringLiteral("Compiler1");
    }
    void a_new_template_saved_under_a_name_of_its_own_compiles_and_runs() {
        QFETCH(QString, command);
        QFETCH(QString, launch);
        inis.RWinMin = true;
        Command(command);
        const QString path = QDir(sources).filePath("Hallo.java");
        prompts.Files.enqueue(path);
        Command("SpeichernUnter1");
        QVERIFY2(form->CurrentMemo()->Text().contains("class Hallo"),
                 qPrintable(form->CurrentMemo()->Text()));
        QVERIFY(!form->CurrentMemo()->Text().contains("noname"));
        Command(launch);
        // No error; at most warnings and notes (the applet's API is marked for removal).
        QCOMPARE(Entries().filter(QStringLiteral("Fehler")), QStringList{});
        QVERIFY(QFileInfo::exists(QDir(sources).filePath("Hallo.class")));
        if (launch == QStringLiteral("Runner1")) {
            QTRY_VERIFY_WITH_TIMEOUT(TerminalDone(), 60000);
            QCOMPARE(TerminalOutput(), QStringLiteral("10\n\n\n"));
        }
    }

    void a_failed_compile_starts_nothing() {
        const QString path =
            OpenSource("Hallo.java", QStringList{"class Hallo {", "\tint i = ;", "}"});
        Command("Runner1");
        QCOMPARE(Statuses(), (Compiling(path) + QStringList{"Fehler"}));
        QVERIFY(!QFileInfo::exists(QDir(sources).filePath("Hallo.sh")));
        QCOMPARE(Entries().size(), 1);
        QVERIFY(TerminalCall().isEmpty());
    }

    void a_script_that_cannot_be_written_is_reported() {
        QVERIFY(QDir(sources).mkdir("Hallo.sh"));
        const QString path = OpenTemplate("Hallo", false);
        Command("Runner2");
        QCOMPARE(TextsOf("message"), QStringList{"bat - file write error"});
        QCOMPARE(Statuses(), (Compiling(path) + QStringList{"Fertig"}));
        QVERIFY(TerminalCall().isEmpty());
    }

    void a_jdk_without_an_interpreter_is_reported_and_the_status_still_ends_ready() {
        inis.JdkDir = MakeJdk("nur javac", {}, {});
        const QString path = OpenTemplate("Hallo", false);
        Command("Runner3");
        QCOMPARE(
            TextsOf("message"),
            QStringList{"Fehler beim Aufruf des Interpreters! Bitte überprüfen Sie den JDK-Pfad"});
        QCOMPARE(Statuses(),
                 (Compiling(path) + QStringList{"Fertig", "Running: Hallo.sh", "Ready"}));
        QVERIFY(TerminalCall().isEmpty());
    }

    // A compiler that removes the source's directory behind it.
    void a_directory_that_cannot_be_entered_is_reported_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("application") << "Runner1"
                                     << "Change dir error";
        QTest::newRow("applet") << "Browser1"
                                << "change dir error";
    }
    void a_directory_that_cannot_be_entered_is_reported() {
        QFETCH(QString, command);
        QFETCH(QString, message);
        inis.JdkDir =
            MakeJdk("raeumt auf", "for last; do :; done\nrm -r \"$(dirname \"$last\")\"\n",
                    {{"java", "real"}});
        const QString path = OpenTemplate("Hallo", true);
        Command(command);
        QVERIFY(!QFileInfo::exists(sources));
        QCOMPARE(TextsOf("message"), QStringList{message});
        QCOMPARE(Statuses(), (Compiling(path) + QStringList{"Fertig"}));
        QVERIFY(TerminalCall().isEmpty());
    }

    void without_a_jdk_directory_nothing_is_compiled_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("application") << "Runner1";
        QTest::newRow("applet") << "Browser1";
    }
    void without_a_jdk_directory_nothing_is_compiled() {
        QFETCH(QString, command);
        inis.JdkDir.clear();
        OpenTemplate("Hallo", false);
        Command(command);
        VerifyJdkNotSetMessage();
        QVERIFY(Statuses().isEmpty());
        QVERIFY(!QFileInfo::exists(QDir(sources).filePath("Hallo.class")));
    }

    // --- F9 -------------------------------------------------------------------------------

    void the_applet_shows_in_kodiwerks_viewer_where_the_jdk_has_none_data() {
        QTest::addColumn<bool>("aWinMin");
        QTest::newRow("without console") << true;
        QTest::newRow("console in a terminal") << false;
    }
    void the_applet_shows_in_kodiwerks_viewer_where_the_jdk_has_none() {
        QFETCH(bool, aWinMin);
        inis.AWinMin = aWinMin;
        inis.AppX = 640;
        inis.AppY = 480;
        // javac compiles for real; java only notes how the viewer is started.
        inis.JdkDir =
            MakeJdk(aWinMin ? "jdk ohne Konsole" : "jdk mit Konsole", {}, {{"java", "recorder"}});
        const QString path = OpenTemplate("Hallo", true);
        Command("Browser1");
        QCOMPARE(prompts.Calls.size(), 0);
        const QString java = inis.JdkDir + "/bin/java";
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(java + ".called"), 60000);
        const QStringList call = Lines(java + ".called");
        QCOMPARE(call.size(), 5);
        QCOMPARE(call[0], QDir(sources).canonicalPath());
        QCOMPARE(call.mid(1, 1), QStringList{"-cp"});
        QCOMPARE(call.mid(3), QStringList({ViewerClass, "Hallo.html"}));
        const QString classes = call[2];
        QVERIFY2(classes.startsWith(tools.filePath("cache")), qPrintable(classes));
        QVERIFY(QFileInfo::exists(classes + "/kodiwerk/viewer/AppletViewer.class"));

        QCOMPARE(Statuses(),
                 (Compiling(path) + QStringList{"Fertig",
                                                "Browsing: \"" + java + "\" -cp " + classes + " " +
                                                    ViewerClass + " Hallo.html",
                                                "Fertig"}));
        // Only a console shown goes through the terminal.
        QCOMPARE(TerminalCall().isEmpty(), aWinMin);
        const QStringList page = Lines(QDir(sources).filePath("Hallo.html"));
        QCOMPARE(page.size(), 8);
        QCOMPARE(page[3],
                 QStringLiteral("<APPLET code=Hallo.class width=640 height=480></APPLET>"));
    }

    void without_a_terminal_the_viewer_shows_the_applet_without_its_console() {
        inis.AWinMin = false;
        inis.JdkDir = MakeJdk("ohne Terminal", {}, {{"java", "recorder"}});
        OpenTemplate("Hallo", true);
        const QByteArray searchPath = qgetenv("PATH");
        const auto restore = qScopeGuard([&] { qputenv("PATH", searchPath); });
        qputenv("PATH", tools.filePath("leer").toLocal8Bit());
        qunsetenv("TERMINAL");
        Command("Browser1");
        QCOMPARE(prompts.Calls.size(), 0);
        const QString java = inis.JdkDir + "/bin/java";
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(java + ".called"), 60000);
        QCOMPARE(Lines(java + ".called").mid(3), QStringList({ViewerClass, "Hallo.html"}));
        QCOMPARE(Statuses().last(), QStringLiteral("Fertig"));
    }

    void a_jdk_with_a_viewer_of_its_own_shows_the_applet_there() {
        inis.AWinMin = true;
        inis.JdkDir = MakeJdk("alt", {}, {{"java", "real"}, {"appletviewer", "recorder"}});
        const QString path = OpenTemplate("Hallo", true);
        Command("Browser3");
        const QString viewer = inis.JdkDir + "/bin/appletviewer";
        QCOMPARE(Statuses(),
                 (Compiling(path) +
                  QStringList{"Fertig", "Browsing: " + viewer + " Hallo.html", "Fertig"}));
        QTRY_VERIFY_WITH_TIMEOUT(TerminalDone(), 60000);
        QCOMPARE(TerminalCall(), QStringList({QDir(sources).canonicalPath(), "-iconic", "-fa",
                                              "DejaVu Sans Mono,monospace", "-fs", "11", "-e",
                                              viewer, "Hallo.html"}));
        QCOMPARE(Lines(viewer + ".called"),
                 QStringList({QDir(sources).canonicalPath(), "Hallo.html"}));
    }

    void a_page_that_cannot_be_written_is_reported() {
        QVERIFY(QDir(sources).mkdir("Hallo.html"));
        const QString path = OpenTemplate("Hallo", true);
        Command("Browser2");
        QCOMPARE(TextsOf("message"), QStringList{"html file write error"});
        QCOMPARE(Statuses(), (Compiling(path) + QStringList{"Fertig"}));
    }

    void a_jdk_without_viewer_and_interpreter_is_reported_and_the_status_ends_fertig() {
        inis.AWinMin = false;
        inis.JdkDir = MakeJdk("nur javac", {}, {});
        const QString path = OpenTemplate("Hallo", true);
        Command("Browser1");
        QCOMPARE(TextsOf("message"), QStringList{"Fehler beim Aufruf des Appletviewers!"});
        QCOMPARE(Statuses().size(), 6);
        QVERIFY2(Statuses()[4].startsWith("Browsing: \"" + inis.JdkDir + "/bin/java\" -cp "),
                 qPrintable(Statuses()[4]));
        QCOMPARE(Statuses().last(), QStringLiteral("Fertig"));
        QVERIFY(TerminalCall().isEmpty());
    }
};

QTEST_MAIN(TestLaunch)
#include "tst_launch.moc"
