// SPDX-License-Identifier: GPL-3.0-or-later
// The captured run with real programs (shell one-liners): what is kept of
// standard error, programs that cannot be started, huge writers, and a
// window that keeps repainting while a program sleeps.
#include "DosCall/ProcessSetup.h"
#include "DosCall/RunCaptured.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using doscall::RunCaptured;
using doscall::TCapture;

namespace {

TCapture Shell(const QString& script, const QStringList& arguments = {},
               const QString& workingDir = QString()) {
    return RunCaptured(QStringLiteral("sh"),
                       QStringList{QStringLiteral("-c"), script, QStringLiteral("sh")} + arguments,
                       workingDir);
}

// The most memory this process has held so far, in kilobytes.
long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A stand-in javac in a JDK-shaped directory that sleeps for two minutes in
// a child of its own and notes the child's process id beside itself.
QString SleepingJavac(const QTemporaryDir& dir) {
    const QString javac = dir.filePath(QStringLiteral("jdk/bin/javac"));
    QDir().mkpath(QFileInfo(javac).path());
    QFile script(javac);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    script.write("#!/bin/sh\necho compiling >&2\nsleep 120 &\necho $! > \"$0.child\"\nwait\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return javac;
}

bool Runs(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && close + 2 < line.size() && line[close + 2] != 'Z';
}

class TPaintCounter : public QWidget {
public:
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++Paints; }
};

} // namespace

class TestRunCaptured : public QObject {
    Q_OBJECT

private slots:
    // First, while the process's high-water mark is still low.
    void a_writer_of_50_megabytes_ends_and_memory_stays_bounded() {
        const long before = PeakKilobytes();
        const TCapture run = Shell(QStringLiteral("head -c 52428800 /dev/zero | tr '\\0' y >&2"));
        QVERIFY(run.Succeeded());
        QCOMPARE(run.StdErr.size(), doscall::CaptureLimit);
        QCOMPARE(run.StdErr.count('y'), doscall::CaptureLimit);
        QVERIFY2(PeakKilobytes() - before < 20 * 1024,
                 qPrintable(QStringLiteral("peak grew by %1 kB").arg(PeakKilobytes() - before)));
    }

    void standard_error_is_kept_as_written_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("captured");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("nothing written") << "exit 0" << QByteArray() << 0;
        QTest::newRow("only standard output") << "echo to-stdout" << QByteArray() << 0;
        QTest::newRow("line ends kept")
            << "printf 'a\\r\\nb\\nc' >&2" << QByteArray("a\r\nb\nc") << 0;
        QTest::newRow("exit status") << "echo failed >&2; exit 3" << QByteArray("failed\n") << 3;
        QTest::newRow("cut at a zero byte")
            << "printf 'ab\\000cd' >&2; printf 'ef' >&2" << QByteArray("ab") << 0;
    }
    void standard_error_is_kept_as_written() {
        QFETCH(QString, script);
        QFETCH(QByteArray, captured);
        QFETCH(int, exitCode);
        const TCapture run = Shell(script);
        QVERIFY(run.Ran);
        QVERIFY(run.Exited);
        QCOMPARE(run.StdErr, captured);
        QCOMPARE(run.ExitCode, exitCode);
        QCOMPARE(run.Succeeded(), exitCode == 0);
        QCOMPARE(run.Signal, 0);
        QVERIFY(run.Messages.isEmpty());
    }

    void a_program_killed_by_a_signal_tells_which_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("signal");
        QTest::newRow("KILL") << "KILL" << 9;
        QTest::newRow("TERM") << "TERM" << 15;
        QTest::newRow("SEGV, a crash") << "SEGV" << 11;
    }
    void a_program_killed_by_a_signal_tells_which() {
        QFETCH(QString, name);
        QFETCH(int, signal);
        const TCapture run = Shell(QStringLiteral("echo before >&2; kill -%1 $$").arg(name));
        QVERIFY(run.Ran);
        QVERIFY(!run.Exited);
        QVERIFY(!run.Succeeded());
        QCOMPARE(run.Signal, signal);
        QCOMPARE(run.ExitCode, -1);
        QCOMPARE(run.StdErr, QByteArray("before\n"));
        QVERIFY(run.Messages.isEmpty());
    }

    void standard_input_is_closed() {
        // This process's own standard input has a line ready; the program must not see it.
        int typed[2];
        QCOMPARE(pipe(typed), 0);
        QCOMPARE(write(typed[1], "typed\n", 6), 6);
        close(typed[1]);
        const int savedInput = dup(0);
        dup2(typed[0], 0);
        close(typed[0]);
        // "eof": closed; "got:typed": ours inherited; "hung": a pipe nobody closes.
        const TCapture run = Shell(QStringLiteral(
            "x=$(timeout 5 sh -c 'if read x; then echo \"got:$x\"; else echo eof; fi'); "
            "echo \"${x:-hung}\" >&2"));
        dup2(savedInput, 0);
        close(savedInput);
        QCOMPARE(run.StdErr, QByteArray("eof\n"));
    }

    void only_the_first_200000_bytes_are_kept() {
        // A zero byte beyond the limit changes nothing.
        const TCapture run = Shell(QStringLiteral(
            "printf B >&2; head -c 300000 /dev/zero | tr '\\0' x >&2; printf '\\000' >&2"));
        QVERIFY(run.Succeeded());
        QCOMPARE(run.StdErr.size(), doscall::CaptureLimit);
        QVERIFY(run.StdErr.startsWith("Bxxx"));
        QCOMPARE(run.StdErr.count('x'), doscall::CaptureLimit - 1);
    }

    void arguments_and_directory_arrive_unchanged() {
        QTemporaryDir dir;
        const QString sub = dir.filePath(QStringLiteral("Ordner mit Ü"));
        QVERIFY(QDir().mkdir(sub));
        const TCapture run = Shell(QStringLiteral("printf '%s|' \"$@\" \"$(pwd)\" >&2"),
                                   {QStringLiteral("a b"), QStringLiteral("Grüße"), QString(),
                                    QStringLiteral("\"quoted\" 'x'")},
                                   sub);
        QVERIFY(run.Succeeded());
        QCOMPARE(run.Text(), QStringLiteral("a b|Grüße||\"quoted\" 'x'|") + sub + QLatin1Char('|'));
    }

    void a_program_that_cannot_run_is_not_started_data() {
        QTest::addColumn<QString>("program");
        QTest::newRow("missing path") << "/nonexistent/kodiwerk-program";
        QTest::newRow("missing name") << "kodiwerk-no-such-program";
        QTest::newRow("a directory") << "/tmp";
        QTest::newRow("not executable") << "/etc/passwd";
        QTest::newRow("empty") << "";
    }
    void a_program_that_cannot_run_is_not_started() {
        QFETCH(QString, program);
        const TCapture run = RunCaptured(program, {QStringLiteral("x")});
        QVERIFY(!run.Ran);
        QVERIFY(!run.Succeeded());
        QVERIFY(run.StdErr.isEmpty());
        // The caller reports this in its own words.
        QVERIFY(run.Messages.isEmpty());
    }

    void a_relative_program_path_counts_from_the_working_directory() {
        QTemporaryDir dir;
        QFile script(dir.filePath(QStringLiteral("tell.sh")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho here >&2\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
        const TCapture run = RunCaptured(QStringLiteral("./tell.sh"), {}, dir.path());
        QVERIFY(run.Succeeded());
        QCOMPARE(run.StdErr, QByteArray("here\n"));
    }

    void the_window_repaints_while_a_program_sleeps_and_no_second_run_starts() {
        TPaintCounter window;
        window.resize(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTimer ticker;
        std::optional<TCapture> nested;
        QObject::connect(&ticker, &QTimer::timeout, &window, [&] {
            window.update();
            if (!nested)
                nested = Shell(QStringLiteral("echo nested >&2"));
        });
        ticker.start(20);
        window.Paints = 0;
        const TCapture run = Shell(QStringLiteral("sleep 1; echo slept >&2"));
        const int paintsDuringRun = window.Paints;
        ticker.stop();

        QVERIFY(run.Succeeded());
        QCOMPARE(run.StdErr, QByteArray("slept\n"));
        QVERIFY2(paintsDuringRun >= 5, qPrintable(QString::number(paintsDuringRun)));
        QVERIFY(nested.has_value());
        QVERIFY(!nested->Ran);
        QVERIFY(nested->StdErr.isEmpty());
    }

    void an_ended_event_loop_stops_the_wait_with_its_message() {
        // Quitting the application ends every event loop, the wait's too.
        QTimer::singleShot(300, qApp, [] { QCoreApplication::exit(0); });
        const TCapture run = Shell(QStringLiteral("echo before >&2; exec sleep 60"));
        // Event loops work again once the application's loop has run.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();

        QCOMPARE(run.Messages, QStringList{doscall::WaitingFailed});
        QVERIFY(run.Ran);
        QVERIFY(!run.Exited);
        QVERIFY(!run.Succeeded());
        // Ended by the runner itself, not by a signal from outside.
        QCOMPARE(run.Signal, 0);
        QCOMPARE(run.StdErr, QByteArray("before\n"));
        QVERIFY(Shell(QStringLiteral("sleep 0.1")).Messages.isEmpty());
    }

    void no_pipe_left_reports_the_pipe_failure() {
        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &original), 0);
        rlimit low = original;
        low.rlim_cur = std::min<rlim_t>(original.rlim_cur, 256);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &low), 0);
        std::vector<int> taken;
        for (int fd; (fd = dup(0)) >= 0;)
            taken.push_back(fd);
        const TCapture run = Shell(QStringLiteral("exit 0"));
        for (int fd : taken)
            close(fd);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &original), 0);

        QCOMPARE(run.Messages, QStringList{doscall::PipeCreationFailed});
        QVERIFY(!run.Ran);
    }

    void a_cancelled_run_ends_the_program_and_what_it_started() {
        QTemporaryDir dir;
        const QString javac = SleepingJavac(dir);
        doscall::TCancel cancel;
        QTimer::singleShot(500, &cancel, &doscall::TCancel::Cancel);
        QElapsedTimer clock;
        clock.start();
        const TCapture run =
            RunCaptured(javac, {QStringLiteral("Hallo.java")}, dir.path(), &cancel);
        const qint64 took = clock.elapsed();

        QVERIFY(run.Cancelled);
        QVERIFY(run.Ran);
        QVERIFY(!run.Exited);
        QVERIFY(!run.Succeeded());
        QCOMPARE(run.StdErr, QByteArray("compiling\n"));
        QVERIFY(run.Messages.isEmpty());
        QVERIFY2(took < 60000, qPrintable(QString::number(took)));
        QFile child(javac + QStringLiteral(".child"));
        QVERIFY(child.open(QIODevice::ReadOnly));
        const pid_t sleeper = child.readAll().trimmed().toInt();
        QVERIFY(sleeper > 0);
        const QDeadlineTimer deadline(10000);
        while (Runs(sleeper) && !deadline.hasExpired())
            QThread::msleep(20);
        QVERIFY(!Runs(sleeper));
        // The token is spent until it is reset; the next run starts nothing.
        QVERIFY(cancel.IsCancelled());
        const TCapture next = Shell(QStringLiteral("echo no >&2"));
        QCOMPARE(next.StdErr, QByteArray("no\n"));
        const TCapture refused =
            RunCaptured(QStringLiteral("sh"),
                        {QStringLiteral("-c"), QStringLiteral("echo ran >&2")}, QString(), &cancel);
        QVERIFY(refused.Cancelled);
        QVERIFY(!refused.Ran);
        QVERIFY(refused.StdErr.isEmpty());
        cancel.Reset();
        const TCapture again =
            RunCaptured(QStringLiteral("sh"),
                        {QStringLiteral("-c"), QStringLiteral("echo ran >&2")}, QString(), &cancel);
        QVERIFY(!again.Cancelled);
        QCOMPARE(again.StdErr, QByteArray("ran\n"));
    }

    void a_locale_without_utf8_is_replaced_for_the_child() {
        const QByteArray saved = qgetenv("LC_ALL");
        qputenv("LC_ALL", "de_DE.KODIWERK-NOT-INSTALLED");
        const QString inherited = doscall::ChildEnvironment().value(QStringLiteral("LC_ALL"));
        qputenv("LC_ALL", "C");
        const TCapture run = Shell(QStringLiteral("printf '%s' \"$LC_ALL\" >&2"));
        qputenv("LC_ALL", "C.UTF-8");
        const QString kept = doscall::ChildEnvironment().value(QStringLiteral("LC_ALL"));
        if (saved.isNull())
            qunsetenv("LC_ALL");
        else
            qputenv("LC_ALL", saved);

        QCOMPARE(inherited, QStringLiteral("C.UTF-8"));
        QCOMPARE(run.StdErr, QByteArray("C.UTF-8"));
        QCOMPARE(kept, QStringLiteral("C.UTF-8"));
    }
};

QTEST_MAIN(TestRunCaptured)
#include "tst_runcaptured.moc"
