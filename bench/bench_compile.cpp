// SPDX-License-Identifier: GPL-3.0-or-later
// What an F8 costs beyond javac itself, and the memory a captured run keeps.
//  - F8 through the real main window (offscreen) on the application template
//    and on a 300-line program: the first F8 a few seconds after start-up, and
//    the median of later F8s (save, the warm compiler, messages into the error
//    list) against a fresh javac on the same file, taking turns.
//  - Kodiwerk's own share of an F8: a stand-in compiler replaying javac's
//    messages, F8 against the stand-in alone.
//  - The peak memory of this process while a program writes 50 MB to its
//    standard error into RunCaptured.
//  - The warm compiler (TWarmCompiler) on the application template and on a
//    300-line program: the first compile, right at start-up and a few seconds
//    later, and the median of later compiles through the helper
//    against a fresh javac on the same file, taking turns; the helper's
//    resident memory after 200 compiles.
//
//   bench_compile [rounds] [warm rounds]

#include "ColMemo/ColorMemo.h"
#include "Datei/CompilerCall.h"
#include "Datei/Templates.h"
#include "Datei/WarmCompiler.h"
#include "DosCall/RunCaptured.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "ScriptedPrompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void MeasureCaptureMemory() {
    const double before = PeakMegabytes();
    QElapsedTimer timer;
    timer.start();
    const doscall::TCapture run = doscall::RunCaptured(
        QStringLiteral("sh"),
        {QStringLiteral("-c"), QStringLiteral("head -c 52428800 /dev/zero | tr '\\0' e >&2")});
    const double seconds = timer.elapsed() / 1000.0;
    const double after = PeakMegabytes();
    std::printf("50 MB to standard error: %s in %.2f s, %lld bytes kept\n",
                run.Succeeded() ? "ended" : "FAILED", seconds, (long long)run.StdErr.size());
    std::printf("  peak memory of the process: %.1f MB before, %.1f MB after (+%.1f MB)\n", before,
                after, after - before);
}

double Median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

double Milliseconds(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

// A class of about 300 lines with a main method, methods, loops and a list.
QString LongProgram() {
    QStringList lines{"import java.util.ArrayList;",
                      "import java.util.List;",
                      "",
                      "public class Lang {",
                      "    private final List<Integer> werte = new ArrayList<>();",
                      ""};
    for (int i = 0; lines.size() < 290; ++i)
        lines << QStringLiteral("    /** Der Wert Nummer %1. */").arg(i)
              << QStringLiteral("    int wert%1(int x) {").arg(i) << "        int summe = 0;"
              << "        for (int k = 0; k < x; k++) {"
              << QStringLiteral("            summe += k * %1 + werte.size();").arg(i) << "        }"
              << QStringLiteral("        return summe > 100 ? summe - %1 : summe + %1;").arg(i)
              << "    }"
              << "";
    lines << "    public static void main(String[] args) {"
          << "        System.out.println(new Lang().wert0(3));"
          << "    }"
          << "}";
    return lines.join("\n") + "\n";
}

constexpr int PauseMs = 5000;

// The helper's resident memory now and at its peak, in MB, from /proc.
std::pair<double, double> ResidentMegabytes(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    double now = 0;
    double peak = 0;
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n')) {
            const QList<QByteArray> words = line.simplified().split(' ');
            if (words.size() >= 2 && words[0] == "VmRSS:")
                now = words[1].toDouble() / 1024;
            if (words.size() >= 2 && words[0] == "VmHWM:")
                peak = words[1].toDouble() / 1024;
        }
    return {now, peak};
}

bool MeasureWarmProgram(const QString& jdk, const QString& cache, const QString& name,
                        const QString& className, const QString& text, int rounds, bool memory) {
    QTemporaryDir dir;
    const QString path = dir.filePath(className + ".java");
    QFile source(path);
    if (!source.open(QIODevice::WriteOnly))
        return false;
    source.write(text.toUtf8());
    source.close();
    const datei::TCompilerCall call =
        datei::CompilerCall(jdk, path, datei::TFileEncoding::Utf8, {}, dir.path());

    // Right at start-up: the helper is still starting when the compile comes.
    double atStart = 0;
    bool atStartWarm = false;
    {
        datei::TWarmCompiler warm(cache);
        QElapsedTimer timer;
        timer.start();
        warm.Start(jdk, dir.path());
        warm.Compile(call, dir.path());
        atStart = Milliseconds(timer);
        atStartWarm = warm.Counts().Warm == 1;
    }

    // A few seconds after start-up, as when the user first opens or types something.
    datei::TWarmCompiler warm(cache);
    warm.Start(jdk, dir.path());
    if (!warm.WaitUntilReady(120000)) {
        std::printf("  the helper did not start: %s\n", qPrintable(warm.StatusText()));
        return false;
    }
    QEventLoop pause;
    QTimer::singleShot(PauseMs, &pause, &QEventLoop::quit);
    pause.exec();
    QElapsedTimer timer;
    timer.start();
    const doscall::TCapture first = warm.Compile(call, dir.path());
    const double firstMs = Milliseconds(timer);

    QList<double> warmTimes;
    QList<double> freshTimes;
    bool same = true;
    for (int round = 0; round < 2 * rounds; ++round) {
        timer.restart();
        // Taking turns at going first, so neither always runs on a warmer machine.
        const bool helperTurn = (round % 4 == 0 || round % 4 == 3);
        const doscall::TCapture run =
            helperTurn ? warm.Compile(call, dir.path())
                       : doscall::RunCaptured(call.Program, call.Arguments, dir.path());
        (helperTurn ? warmTimes : freshTimes) << Milliseconds(timer);
        same = same && run.StdErr == first.StdErr && run.ExitCode == first.ExitCode;
    }
    const double warmMedian = Median(warmTimes);
    const double freshMedian = Median(freshTimes);
    std::printf("%s (%s):\n", qPrintable(name), same ? "same output" : "OUTPUT DIFFERS");
    std::printf("  first compile right at start-up %.0f ms (%s), %.2f x a fresh javac\n", atStart,
                atStartWarm ? "through the helper" : "by a fresh javac", atStart / freshMedian);
    std::printf("  first compile %d s after start-up %.0f ms, %.2f x a fresh javac\n",
                PauseMs / 1000, firstMs, firstMs / freshMedian);
    std::printf("  later compiles: median %.1f ms through the helper, %.1f ms fresh javac "
                "(median of %d each), ratio %.3f (goal at most 0.3)\n",
                warmMedian, freshMedian, rounds, warmMedian / freshMedian);
    if (warm.Counts().Warm != rounds + 1)
        std::printf("  only %d of %d compiles went through the helper: %s\n", warm.Counts().Warm,
                    rounds + 1, qPrintable(warm.StatusText()));
    if (memory) {
        QList<double> times;
        for (int i = warm.Counts().Warm; i < 200; ++i) {
            timer.restart();
            warm.Compile(call, dir.path());
            times << Milliseconds(timer);
        }
        const auto [now, peak] = ResidentMegabytes(warm.HelperProcessId());
        std::printf("  after 200 compiles: the helper holds %.0f MB resident (peak %.0f MB); "
                    "the last 50 took %.1f ms each (median)\n",
                    now, peak, Median(times.mid(times.size() - 50)));
    }
    return same;
}

// The warm compiler alone, with a cache of its own.
bool MeasureWarmCompiler(const QString& jdk, int rounds) {
    QTemporaryDir cache;
    QTemporaryDir dir;
    {
        datei::TWarmCompiler warm(cache.path());
        QElapsedTimer timer;
        timer.start();
        warm.Start(jdk, dir.path());
        const bool ready = warm.WaitUntilReady(120000);
        std::printf("Warm compiler, JDK in %s:\n  helper compiled and started in %.0f ms "
                    "(compiled once per JDK): %s\n",
                    qPrintable(jdk), Milliseconds(timer), qPrintable(warm.StatusText()));
        if (!ready)
            return false;
    }
    QString application = datei::ApplicationTemplate();
    application.replace(QStringLiteral("noname"), QStringLiteral("Hallo"));
    return MeasureWarmProgram(jdk, cache.path(), QStringLiteral("Application template"),
                              QStringLiteral("Hallo"), application, rounds, false) &&
           MeasureWarmProgram(jdk, cache.path(), QStringLiteral("300-line program"),
                              QStringLiteral("Lang"), LongProgram(), rounds, true);
}

QString DefaultJdk() {
    const QString javac =
        QFileInfo(QStandardPaths::findExecutable(QStringLiteral("javac"))).canonicalFilePath();
    return QDir::cleanPath(QFileInfo(javac).dir().absoluteFilePath(QStringLiteral("..")));
}

bool WriteSource(const QString& path, const QString& text) {
    QFile source(path);
    return source.open(QIODevice::WriteOnly) && source.write(text.toUtf8()) >= 0;
}

// The real main window compiling with the machine's JDK, `path` opened as the user would.
struct TCompileWindow {
    TInisRecord Inis;
    TScriptedPrompts Prompts;
    TMainForm Form{Inis, Prompts};

    explicit TCompileWindow(const QString& path) {
        Inis.JdkDir = DefaultJdk();
        Form.show();
        Prompts.Files.enqueue(path);
        Form.findChild<QAction*>(QStringLiteral("Oeffnen1"))->trigger();
    }
    QAction* Compile() const { return Form.findChild<QAction*>(QStringLiteral("Compiler1")); }
};

// F8 through the real main window, as a user meets it: the window started
// and the compiler warmed up as the start-up does, the file opened, a pause
// for reading, then the first F8; later F8s against a fresh javac on the same
// file, taking turns.
bool MeasureWindowF8(const QString& name, const QString& className, const QString& text,
                     int rounds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(className + QStringLiteral(".java"));
    if (!WriteSource(path, text))
        return false;
    TCompileWindow window(path);
    window.Form.WarmUpCompiler();
    QAction* compile = window.Compile();
    const QLabel* status = window.Form.findChild<QLabel*>(QStringLiteral("StatusPanel2"));
    const datei::TCompilerCall call =
        datei::CompilerCall(window.Inis.JdkDir, path, datei::TFileEncoding::Utf8, {}, dir.path());

    QEventLoop pause;
    QTimer::singleShot(PauseMs, &pause, &QEventLoop::quit);
    pause.exec();
    QElapsedTimer timer;
    timer.start();
    compile->trigger();
    const double firstMs = Milliseconds(timer);
    if (status->text() != QStringLiteral("Fertig")) {
        std::printf("%s: F8 did not compile: %s\n", qPrintable(name), qPrintable(status->text()));
        return false;
    }
    QList<double> f8Times;
    QList<double> freshTimes;
    for (int round = 0; round < 2 * rounds; ++round) {
        const bool f8Turn = (round % 4 == 0 || round % 4 == 3);
        timer.restart();
        if (f8Turn)
            compile->trigger();
        else
            doscall::RunCaptured(call.Program, call.Arguments, dir.path());
        (f8Turn ? f8Times : freshTimes) << Milliseconds(timer);
    }
    // F8 made the file's folder the current one; it goes with `dir`.
    QDir::setCurrent(QDir::tempPath());
    const double f8 = Median(f8Times);
    const double fresh = Median(freshTimes);
    std::printf("F8 through the main window, %s:\n", qPrintable(name));
    std::printf("  first F8 %d s after start-up %.0f ms, %.2f x a fresh javac (goal at most 1)\n",
                PauseMs / 1000, firstMs, firstMs / fresh);
    std::printf("  later F8s: median %.1f ms, fresh javac %.1f ms (median of %d each), "
                "ratio %.3f (goal at most 0.3)\n",
                f8, fresh, rounds, f8 / fresh);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and recovery copies of their own, never the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QApplication app(argc, argv);

    MeasureCaptureMemory();
    const int warmRounds = argc > 2 ? std::max(1, atoi(argv[2])) : 9;
    const bool warmSame = MeasureWarmCompiler(DefaultJdk(), warmRounds);

    QString application = datei::ApplicationTemplate();
    application.replace(QStringLiteral("noname"), QStringLiteral("Hallo"));
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const bool windowSame = MeasureWindowF8(QStringLiteral("Application template"),
                                            QStringLiteral("Hallo"), application, rounds) &&
                            MeasureWindowF8(QStringLiteral("300-line program"),
                                            QStringLiteral("Lang"), LongProgram(), rounds);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("noname.java"));
    if (!WriteSource(path, datei::ApplicationTemplate()))
        return 1;
    TCompileWindow window(path);
    TInisRecord& inis = window.Inis;
    TMainForm& form = window.Form;
    QAction* compile = window.Compile();
    const datei::TCompilerCall call =
        datei::CompilerCall(inis.JdkDir, path, datei::TFileEncoding::Utf8);
    // One javac run, the measure of the share below.
    QElapsedTimer javacTimer;
    javacTimer.start();
    doscall::RunCaptured(call.Program, call.Arguments);
    const qint64 bestJavac = javacTimer.nsecsElapsed();

    // Kodiwerk's own share, without javac's noise: a stand-in compiler that
    // replays what javac wrote for the template with three errors in it.
    form.findChild<TColorMemo*>(QStringLiteral("CMemo1"))
        ->ReplaceSelection(QStringLiteral("int a = \"1\"; int b = \"2\"; int c = \"3\";\r\n"));
    compile->trigger();
    const doscall::TCapture recorded = doscall::RunCaptured(call.Program, call.Arguments);
    QFile replay(dir.filePath(QStringLiteral("replay.txt")));
    if (!replay.open(QIODevice::WriteOnly))
        return 1;
    replay.write(recorded.StdErr);
    replay.close();
    const QString standIn = dir.filePath(QStringLiteral("jdk/bin/javac"));
    QDir().mkpath(QFileInfo(standIn).path());
    QFile script(standIn);
    if (!script.open(QIODevice::WriteOnly))
        return 1;
    script.write("#!/bin/sh\ncat '" + replay.fileName().toUtf8() + "' >&2\nexit 1\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    inis.JdkDir = dir.filePath(QStringLiteral("jdk"));

    const int quickRounds = 20 * rounds;
    qint64 bestReplayF8 = std::numeric_limits<qint64>::max();
    qint64 bestReplay = bestReplayF8;
    for (int round = 0; round < quickRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        compile->trigger();
        bestReplayF8 = std::min(bestReplayF8, timer.nsecsElapsed());
        QProcess alone;
        timer.restart();
        alone.start(standIn, call.Arguments);
        alone.waitForFinished(-1);
        bestReplay = std::min(bestReplay, timer.nsecsElapsed());
    }
    const int entries = form.findChild<QListWidget*>(QStringLiteral("ListBox"))->count();
    std::printf("F8 with a stand-in compiler replaying javac's %d messages (best of %d):\n",
                entries, quickRounds);
    std::printf("  F8 %.2f ms, the stand-in alone %.2f ms: Kodiwerk's own share %.2f ms "
                "(%.2f %% of a javac run)\n",
                bestReplayF8 / 1e6, bestReplay / 1e6, (bestReplayF8 - bestReplay) / 1e6,
                100.0 * double(bestReplayF8 - bestReplay) / double(bestJavac));
    return warmSame && windowSame ? 0 : 1;
}
