// SPDX-License-Identifier: GPL-3.0-or-later
// The warm compiler with the machine's real JDKs (17 and 25 here): the same
// bytes and exit status as a fresh javac for every kind of compile, a fresh
// javac whenever the helper fails, and a helper that follows the JDK and the
// directory, gives way to a cancel and never outlives Kodiwerk.
#include "Datei/CompilerCall.h"
#include "Datei/WarmCompiler.h"
#include "DosCall/RunCaptured.h"
#include "WarmRig.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>

using datei::TCompilerCall;
using datei::TFileEncoding;
using datei::TWarmCompiler;
using doscall::TCapture;

Q_DECLARE_METATYPE(TJdk)

namespace {

constexpr int ReadyMs = 120000;

const QByteArray MissingSemicolon = "class Fehlt {\n\tint x = 1\n}\n";

// What a case compiles: the file, the package root for -sourcepath (if
// any), what goes before Kodiwerk's own arguments, and the directory.
struct TProgram {
    QString Source;
    QString Root;
    QStringList Extra;
    QString WorkingDir;
};

bool Write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QByteArray ManyErrors(int count) {
    QByteArray text = "class Viele {\n";
    for (int i = 0; i < count; ++i)
        text += "    int a" + QByteArray::number(i) + " = \"" + QByteArray::number(i) + "\";\n";
    return text + "}\n";
}

TProgram WriteCase(const QString& name, const QString& dir) {
    const auto plain = [&](const QString& file, const QByteArray& text) {
        Write(dir + "/" + file, text);
        return TProgram{dir + "/" + file, {}, {}, dir};
    };
    if (name == "clean compile")
        return {WriteTemplateClass(dir, "Hallo", false), {}, {}, dir};
    if (name == "';' expected")
        return plain("Fehlt.java", MissingSemicolon);
    if (name == "cannot find symbol")
        return plain("Symbol.java", "class Symbol {\n    void f() {\n"
                                    "        String s = gibtEsNicht(1);\n"
                                    "        Unbekannt u = null;\n    }\n}\n");
    if (name == "a warning")
        return plain("Alt.java", "class Alt {\n    Integer i = new Integer(5);\n"
                                 "    void f(Thread t) { t.stop(); }\n}\n");
    if (name == "150 errors")
        return plain("Viele.java", ManyErrors(150));
    if (name == "German") {
        TProgram program = plain("Fehlt.java", MissingSemicolon);
        program.Extra = QStringList{"-J-Duser.language=de"};
        return program;
    }
    if (name == "unnamed package") {
        TProgram program{WriteTemplateClass(dir, "Hallo", false), dir, {}, dir};
        return program;
    }
    if (name == "package") {
        Write(dir + "/uebung/Helfer.java", "package uebung;\n\nclass Helfer {\n    static String "
                                           "gruss() { return \"Hallo\"; }\n}\n");
        Write(dir + "/uebung/Paket.java",
              "package uebung;\n\npublic class Paket {\n    public static void main(String[] a) {\n"
              "        int n = Helfer.gruss();\n        Helfer.fehlt();\n    }\n}\n");
        return {dir + "/uebung/Paket.java", dir, {}, dir + "/uebung"};
    }
    if (name == "two classes") {
        Write(dir + "/B.java", "class B {\n    int wert() { return 2; }\n}\n");
        Write(dir + "/A.java", "public class A {\n    public static void main(String[] a) {\n"
                               "        System.out.println(new B().wert());\n    }\n}\n");
        return {dir + "/A.java", dir, {}, dir};
    }
    if (name == "a class file on the default class path") {
        // Compiled beforehand, its source gone: found only as "./Teil.class".
        Write(dir + "/Teil.java", "class Teil {\n    static int n() { return 3; }\n}\n");
        RunProgram(dir, InstalledJdks().first().Dir + "/bin/javac", {"Teil.java"});
        QFile::remove(dir + "/Teil.java");
        return plain("Ganz.java",
                     "class Ganz {\n    int n = Teil.n();\n    String s = Teil.m();\n}\n");
    }
    if (name == "a relative file name") {
        Write(dir + "/Fehlt.java", MissingSemicolon);
        return {"Fehlt.java", {}, {}, dir};
    }
    if (name == "umlauts in the path")
        return plain("Ordner mit Ü/Übung.java", "class Übung {\n\tString s = 1;\n}\n");
    return {};
}

TCompilerCall CallFor(const QString& jdkDir, const TProgram& program) {
    TCompilerCall call =
        datei::CompilerCall(jdkDir, program.Source, TFileEncoding::Utf8, {}, program.Root);
    call.Arguments = program.Extra + call.Arguments;
    return call;
}

void CompareRuns(const TCapture& warm, const TCapture& fresh) {
    QVERIFY(warm.Ran && fresh.Ran);
    QCOMPARE(warm.Exited, fresh.Exited);
    QCOMPARE(warm.ExitCode, fresh.ExitCode);
    QCOMPARE(warm.StdErr, fresh.StdErr);
    QVERIFY(!warm.Cancelled);
}

} // namespace

class TestWarmCompiler : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> Work;
    std::unique_ptr<TWarmCompiler> Shared;

    QString Cache() const { return Work->filePath("cache"); }

    // An empty directory below the test's work directory; one used before
    // keeps its place, so a helper started there may stay.
    QString NewDir(const QString& name) const {
        const QString dir = Work->filePath(name);
        QDir().mkpath(dir);
        QDir directory(dir);
        for (const QFileInfo& entry :
             directory.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (entry.isDir() && !entry.isSymLink())
                QDir(entry.filePath()).removeRecursively();
            else
                QFile::remove(entry.filePath());
        }
        return dir;
    }

private slots:
    void initTestCase() {
        Work = std::make_unique<QTemporaryDir>();
        QVERIFY(Work->isValid());
        Shared = std::make_unique<TWarmCompiler>(Cache());
        // Its compiles are compared with javac's, not timed: a busy machine
        // must not send them to a fresh javac.
        Shared->SetPatience(60000);
    }
    void cleanupTestCase() { Shared.reset(); }

    void the_helper_writes_what_a_fresh_javac_writes_data() {
        QTest::addColumn<TJdk>("jdk");
        QTest::addColumn<QString>("name");
        for (const TJdk& jdk : InstalledJdks())
            for (const char* name : {"clean compile", "';' expected", "cannot find symbol",
                                     "a warning", "150 errors", "German", "unnamed package",
                                     "two classes", "a class file on the default class path",
                                     "a relative file name", "package", "umlauts in the path"})
                QTest::newRow(qPrintable(QStringLiteral("JDK %1, %2").arg(jdk.Major).arg(name)))
                    << jdk << QString(name);
    }
    void the_helper_writes_what_a_fresh_javac_writes() {
        QFETCH(TJdk, jdk);
        QFETCH(QString, name);
        const QString dir = NewDir(QStringLiteral("JDK %1").arg(jdk.Major));
        const TProgram program = WriteCase(name, dir);
        QVERIFY(!program.Source.isEmpty());
        const TCompilerCall call = CallFor(jdk.Dir, program);

        Shared->Start(jdk.Dir, program.WorkingDir);
        QVERIFY2(Shared->WaitUntilReady(ReadyMs), qPrintable(Shared->StatusText()));
        const int warmBefore = Shared->Counts().Warm;
        const TCapture warm = Shared->Compile(call, program.WorkingDir);
        QVERIFY2(Shared->Counts().Warm == warmBefore + 1, qPrintable(Shared->StatusText()));
        const TCapture fresh =
            doscall::RunCaptured(call.Program, call.Arguments, program.WorkingDir);
        CompareRuns(warm, fresh);

        // Each case shows what it is about, so equal output is no accident.
        const QString text = warm.Text();
        const bool fails =
            !QStringList{"clean compile", "unnamed package", "two classes", "a warning"}.contains(
                name);
        QCOMPARE(warm.ExitCode, fails ? 1 : 0);
        if (name == "cannot find symbol" || name == "a class file on the default class path")
            QVERIFY2(text.contains("  symbol: ") && text.contains("  location: "),
                     qPrintable(text));
        if (name == "150 errors")
            QVERIFY2(text.contains("100 errors\nonly showing the first 100 errors, of 150 total"),
                     qPrintable(text.right(200)));
        if (name == "German" && jdk.Major >= 21)
            QVERIFY2(text.contains(": Fehler: ';' erwartet"), qPrintable(text));
        if (name == "package")
            QVERIFY2(text.contains("location: class Helfer") && !text.contains("Helfer.java"),
                     qPrintable(text));
        if (name == "a warning")
            QVERIFY2(text.contains(jdk.Major >= 25 ? "warning: [removal]" : "Note: "),
                     qPrintable(text));
        if (name == "a relative file name")
            QVERIFY2(text.startsWith("Fehlt.java:2: "), qPrintable(text));
    }

    void a_killed_helper_gives_way_to_a_fresh_javac_and_then_to_a_new_helper() {
        const QString dir = NewDir("killed");
        const TProgram program = WriteCase("';' expected", dir);
        const TCompilerCall call = CallFor(InstalledJdks().first().Dir, program);
        TWarmCompiler warm(Cache());
        warm.Start(InstalledJdks().first().Dir, dir);
        QVERIFY2(warm.WaitUntilReady(ReadyMs), qPrintable(warm.StatusText()));
        const TCapture first = warm.Compile(call, dir);
        const qint64 killed = warm.HelperProcessId();
        QCOMPARE(::kill(static_cast<pid_t>(killed), SIGKILL), 0);
        QVERIFY(EndsWithin(killed, 10000));

        const TCapture second = warm.Compile(call, dir);
        CompareRuns(second, first);
        QCOMPARE(warm.Counts().Warm, 1);
        QCOMPARE(warm.Counts().Fresh, 1);
        QVERIFY2(warm.WaitUntilReady(ReadyMs), qPrintable(warm.StatusText()));
        QVERIFY(warm.HelperProcessId() != killed);
        CompareRuns(warm.Compile(call, dir), first);
        QCOMPARE(warm.Counts().Warm, 2);
    }

    void a_helper_that_cannot_be_compiled_leaves_the_compile_to_javac() {
        const QString jdk = ScriptJdk(NewDir("broken jdk"), "echo kaputt >&2\nexit 1\n");
        const QString dir = NewDir("broken");
        const TProgram program = WriteCase("';' expected", dir);
        TWarmCompiler warm(Cache());
        warm.Start(jdk, dir);
        QVERIFY(!warm.WaitUntilReady(ReadyMs));
        QVERIFY2(warm.StatusText().contains("kann nicht übersetzt werden: kaputt"),
                 qPrintable(warm.StatusText()));
        const TCapture run = warm.Compile(CallFor(jdk, program), dir);
        QCOMPARE(run.StdErr, QByteArray("kaputt\n"));
        QCOMPARE(run.ExitCode, 1);
        QCOMPARE(warm.Counts().Fresh, 1);
        QCOMPARE(warm.HelperProcessId(), 0);
    }

    void garbage_from_the_helper_leaves_the_compile_to_javac() {
        const QString real = InstalledJdks().first().Dir;
        const QString jdk = ScriptJdk(NewDir("garbage jdk"), Forward(real, "javac"),
                                      "echo 'Ich bin kein Helfer'\nexec sleep 60\n");
        const QString dir = NewDir("garbage");
        const TProgram program = WriteCase("cannot find symbol", dir);
        const TCompilerCall call = CallFor(jdk, program);
        TWarmCompiler warm(Cache());
        warm.Start(jdk, dir);
        QVERIFY(!warm.WaitUntilReady(ReadyMs));
        const TCapture run = warm.Compile(call, dir);
        CompareRuns(run, doscall::RunCaptured(call.Program, call.Arguments, dir));
        QVERIFY(run.Text().contains("cannot find symbol"));
        QCOMPARE(warm.Counts().Warm, 0);
        QVERIFY2(warm.StatusText().contains("antwortete unverständlich"),
                 qPrintable(warm.StatusText()));
    }

    void a_helper_slower_than_a_fresh_javac_is_replaced() {
        const QString real = InstalledJdks().first().Dir;
        // Says hello, then never answers.
        const QString jdk = ScriptJdk(NewDir("silent jdk"), Forward(real, "javac"),
                                      "printf 'KWH1\\000\\000\\000\\00217'\nexec sleep 600\n");
        const QString dir = NewDir("silent");
        const TProgram program = WriteCase("';' expected", dir);
        const TCompilerCall call = CallFor(jdk, program);
        TWarmCompiler warm(Cache());
        warm.Start(jdk, dir);
        QVERIFY2(warm.WaitUntilReady(ReadyMs), qPrintable(warm.StatusText()));
        const qint64 silent = warm.HelperProcessId();
        const TCapture run = warm.Compile(call, dir);
        CompareRuns(run, doscall::RunCaptured(call.Program, call.Arguments, dir));
        QVERIFY(EndsWithin(silent, 10000));
        QVERIFY2(warm.StatusText().contains("zuletzt javac, weil: Helfer zu langsam"),
                 qPrintable(warm.StatusText()));
        // The next helper is on its way for the next compile.
        QVERIFY(warm.WaitUntilReady(ReadyMs));
        QVERIFY(warm.HelperProcessId() != silent);
        QCOMPARE(warm.Counts().Restarts, 1);
    }

    void a_cancelled_compile_ends_the_helper_and_a_new_one_takes_its_place() {
        const QString real = InstalledJdks().first().Dir;
        const QString jdk = ScriptJdk(NewDir("slow jdk"), Forward(real, "javac"),
                                      "printf 'KWH1\\000\\000\\000\\00217'\nexec sleep 600\n");
        const QString dir = NewDir("slow");
        const TProgram program = WriteCase("';' expected", dir);
        TWarmCompiler warm(Cache());
        warm.Start(jdk, dir);
        QVERIFY(warm.WaitUntilReady(ReadyMs));
        const qint64 busy = warm.HelperProcessId();
        doscall::TCancel cancel;
        QTimer::singleShot(200, &cancel, &doscall::TCancel::Cancel);
        const TCapture run = warm.Compile(CallFor(jdk, program), dir, &cancel);
        QVERIFY(run.Cancelled);
        QVERIFY(run.Ran);
        QVERIFY(!run.Exited);
        QVERIFY(EndsWithin(busy, 10000));
        QCOMPARE(warm.Counts().Fresh, 0);
        QVERIFY(warm.WaitUntilReady(ReadyMs));
        QVERIFY(warm.HelperProcessId() != busy);
    }

    void a_cancelled_fresh_javac_ends_at_once() {
        const QString jdk = ScriptJdk(NewDir("sleeping jdk"), "sleep 120\n");
        const QString dir = NewDir("sleeping");
        const TProgram program = WriteCase("';' expected", dir);
        TWarmCompiler warm(Cache());
        doscall::TCancel cancel;
        QTimer::singleShot(300, &cancel, &doscall::TCancel::Cancel);
        QElapsedTimer clock;
        clock.start();
        const TCapture run = warm.Compile(CallFor(jdk, program), dir, &cancel);
        QVERIFY(run.Cancelled);
        QVERIFY(!run.Exited);
        QVERIFY2(clock.elapsed() < 60000, qPrintable(QString::number(clock.elapsed())));
    }

    void a_jdk_change_restarts_the_helper() {
        const QList<TJdk> jdks = InstalledJdks();
        // A second JDK, or the first once more under another name.
        QString second = jdks.size() > 1 ? jdks[1].Dir : NewDir("copy jdk");
        if (jdks.size() == 1) {
            QVERIFY(QDir().mkpath(second + "/bin"));
            for (const char* program : {"javac", "java"})
                QVERIFY(QFile::link(jdks[0].Dir + "/bin/" + program, second + "/bin/" + program));
        }
        const QString dir = NewDir("change");
        const TProgram program = WriteCase("';' expected", dir);
        TWarmCompiler warm(Cache());
        warm.Start(jdks[0].Dir, dir);
        QVERIFY(warm.WaitUntilReady(ReadyMs));
        const qint64 first = warm.HelperProcessId();
        warm.Start(jdks[0].Dir, dir);
        QCOMPARE(warm.HelperProcessId(), first);

        warm.Start(second, dir);
        QVERIFY(EndsWithin(first, 10000));
        QVERIFY2(warm.WaitUntilReady(ReadyMs), qPrintable(warm.StatusText()));
        QVERIFY(warm.HelperProcessId() != first);
        const TCompilerCall call = CallFor(second, program);
        CompareRuns(warm.Compile(call, dir),
                    doscall::RunCaptured(call.Program, call.Arguments, dir));
        QCOMPARE(warm.Counts().Warm, 1);
        // A compile with the first JDK again is made fresh, and the helper follows.
        warm.Compile(CallFor(jdks[0].Dir, program), dir);
        QCOMPARE(warm.Counts().Fresh, 1);
        QVERIFY(warm.WaitUntilReady(ReadyMs));
        QVERIFY(warm.StatusText().contains("Java " + QString::number(jdks[0].Major)));
    }

    void a_compile_in_another_directory_is_fresh_and_the_helper_follows() {
        const QString jdk = InstalledJdks().first().Dir;
        const QString first = NewDir("erster Ordner");
        const QString second = NewDir("zweiter Ordner");
        const TProgram program = WriteCase("';' expected", second);
        TWarmCompiler warm(Cache());
        warm.Start(jdk, first);
        QVERIFY(warm.WaitUntilReady(ReadyMs));
        const qint64 before = warm.HelperProcessId();
        const TCompilerCall call = CallFor(jdk, program);
        const TCapture fresh = warm.Compile(call, second);
        QCOMPARE(warm.Counts().Fresh, 1);
        QVERIFY(warm.StatusText().contains("anderes Verzeichnis"));
        QVERIFY(warm.WaitUntilReady(ReadyMs));
        QVERIFY(warm.HelperProcessId() != before);
        CompareRuns(warm.Compile(call, second), fresh);
        QCOMPARE(warm.Counts().Warm, 1);
    }

    void what_the_helper_cannot_answer_exactly_javac_answers_data() {
        QTest::addColumn<QStringList>("extra");
        QTest::newRow("a VM option") << QStringList{"-J-Xss4m"};
        QTest::newRow("an argument file") << QStringList{"@Fehlt.args"};
    }
    void what_the_helper_cannot_answer_exactly_javac_answers() {
        QFETCH(QStringList, extra);
        const QString jdk = InstalledJdks().first().Dir;
        const QString dir = NewDir("declined");
        TProgram program = WriteCase("';' expected", dir);
        QVERIFY(Write(dir + "/Fehlt.args", "-Xmaxerrs 5\n"));
        program.Extra = extra;
        const TCompilerCall call = CallFor(jdk, program);
        TWarmCompiler warm(Cache());
        warm.Start(jdk, dir);
        QVERIFY(warm.WaitUntilReady(ReadyMs));
        const TCapture run = warm.Compile(call, dir);
        CompareRuns(run, doscall::RunCaptured(call.Program, call.Arguments, dir));
        QCOMPARE(run.ExitCode, 1);
        QCOMPARE(warm.Counts().Fresh, 1);
        QVERIFY2(warm.StatusText().contains("Helfer lehnte ab"), qPrintable(warm.StatusText()));
    }

    void a_changed_class_path_variable_gets_a_helper_of_its_own() {
        const QString jdk = InstalledJdks().first().Dir;
        const QString library = NewDir("Bibliothek");
        QVERIFY(Write(library + "/Lib.java",
                      "public class Lib {\n    public static int n() { return 1; }\n}\n"));
        QVERIFY(RunProgram(library, jdk + "/bin/javac", {"Lib.java"}).ExitCode == 0);
        const QString dir = NewDir("mit Bibliothek");
        const TProgram program = WriteCase("clean compile", dir);
        QVERIFY(Write(program.Source,
                      "class Hallo {\n    int n = Lib.n();\n    int m = Lib.m();\n}\n"));
        const TCompilerCall call = CallFor(jdk, program);
        TWarmCompiler warm(Cache());
        warm.Start(jdk, dir);
        QVERIFY(warm.WaitUntilReady(ReadyMs));

        qputenv("CLASSPATH", library.toUtf8());
        const TCapture changed = warm.Compile(call, dir);
        QVERIFY(warm.WaitUntilReady(ReadyMs));
        const TCapture warmRun = warm.Compile(call, dir);
        const TCapture fresh = doscall::RunCaptured(call.Program, call.Arguments, dir);
        qunsetenv("CLASSPATH");
        QCOMPARE(warm.Counts().Fresh, 1);
        QCOMPARE(warm.Counts().Warm, 1);
        CompareRuns(warmRun, fresh);
        CompareRuns(changed, fresh);
        // Only m() is missing: Lib itself was found through the variable.
        QVERIFY2(fresh.Text().contains("symbol:   method m()") &&
                     !fresh.Text().contains("symbol:   variable Lib"),
                 qPrintable(fresh.Text()));
    }

    void options_for_every_vm_leave_the_compiles_to_javac() {
        const QString jdk = InstalledJdks().first().Dir;
        const QString dir = NewDir("tool options");
        const TProgram program = WriteCase("';' expected", dir);
        const TCompilerCall call = CallFor(jdk, program);
        qputenv("JAVA_TOOL_OPTIONS", "-Dkodiwerk.test=1");
        TWarmCompiler warm(Cache());
        warm.Start(jdk, dir);
        const bool ready = warm.WaitUntilReady(ReadyMs);
        const TCapture run = warm.Compile(call, dir);
        qunsetenv("JAVA_TOOL_OPTIONS");
        QVERIFY(!ready);
        QVERIFY2(warm.StatusText().contains("JAVA_TOOL_OPTIONS ist gesetzt"),
                 qPrintable(warm.StatusText()));
        QVERIFY(run.Text().startsWith("Picked up JAVA_TOOL_OPTIONS: -Dkodiwerk.test=1\n"));
        QCOMPARE(warm.Counts().Fresh, 1);
        QCOMPARE(warm.HelperProcessId(), 0);
    }

    void a_killed_kodiwerk_leaves_no_helper_running_data() {
        QTest::addColumn<bool>("reading");
        // The real one would also end when its input ends; the other only by the kernel's signal.
        QTest::newRow("the helper") << true;
        QTest::newRow("a helper that reads nothing") << false;
    }
    void a_killed_kodiwerk_leaves_no_helper_running() {
        QFETCH(bool, reading);
        const QString real = InstalledJdks().first().Dir;
        const QString jdk =
            reading ? real
                    : ScriptJdk(NewDir("deaf jdk"), Forward(real, "javac"),
                                "printf 'KWH1\\000\\000\\000\\00217'\nexec sleep 600 <&-\n");
        QProcess parent;
        parent.start(WARM_PARENT, {Cache(), jdk, NewDir("parent")});
        QVERIFY(parent.waitForStarted());
        QVERIFY(parent.waitForReadyRead(ReadyMs));
        const qint64 helper = parent.readLine().trimmed().toLongLong();
        QVERIFY(ProcessRuns(helper));
        QCOMPARE(::kill(static_cast<pid_t>(parent.processId()), SIGKILL), 0);
        QVERIFY(parent.waitForFinished());
        QVERIFY(EndsWithin(helper, 10000));
    }

    void the_paths_line_names_the_sources_and_the_cache() {
        QCOMPARE(TWarmCompiler::PathsLine("/c/k"),
                 QStringLiteral("Übersetzungshelfer: eingebaut (3 Java-Quelldateien), übersetzt "
                                "in /c/k"));
        TWarmCompiler warm(Cache());
        QVERIFY(warm.StatusText().startsWith("Übersetzungshelfer: aus (kein JDK eingestellt)"));
    }
};

QTEST_GUILESS_MAIN(TestWarmCompiler)
#include "tst_warmcompiler.moc"
