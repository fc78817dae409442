// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a program in a terminal window of its own: the real xterm on a
// private X display (normal and minimised, returning before the program
// ends, drawing with a scalable font), programs and terminals that are
// missing, and which terminal is chosen and how it is told what to run
// (recorded by stand-in terminals).
#include "DosCall/StartProgram.h"
#include "DosCall/Terminals.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using doscall::StartProgram;

namespace {

// Runs a small X tool and gives its output.
QString XTool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    tool.waitForFinished(10000);
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

// The top-level xterm windows on the display.
QStringList XtermWindows() {
    QStringList windows;
    static const QRegularExpression window(
        QStringLiteral(R"(^\s*(0x[0-9a-f]+) .*\("xterm" "XTerm"\))"));
    const QString tree =
        XTool(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")});
    for (const QString& line : tree.split(QLatin1Char('\n')))
        if (const QRegularExpressionMatch match = window.match(line); match.hasMatch())
            windows.append(match.captured(1));
    return windows;
}

// Sets an environment variable for one test and puts the old value back.
class TEnvironmentVariable {
public:
    TEnvironmentVariable(const char* name, const QByteArray& value)
        : Name(name), Saved(qgetenv(name)), WasSet(qEnvironmentVariableIsSet(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~TEnvironmentVariable() {
        if (WasSet)
            qputenv(Name, Saved);
        else
            qunsetenv(Name);
    }

private:
    const char* Name;
    QByteArray Saved;
    bool WasSet;
};

bool WriteExecutable(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    file.close();
    return file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestStartProgram : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(qEnvironmentVariableIsSet("DISPLAY"), "runs on an X display (xvfb-run)");
    }

    void xterm_runs_the_program_and_the_call_returns_at_once_data() {
        QTest::addColumn<bool>("minimised");
        QTest::newRow("normal window") << false;
        QTest::newRow("minimised") << true;
    }
    void xterm_runs_the_program_and_the_call_returns_at_once() {
        QFETCH(bool, minimised);
        // A program left over from a failed row ends once its directory is gone.
        QTRY_VERIFY_WITH_TIMEOUT(XtermWindows().isEmpty(), 10000);
        const TEnvironmentVariable terminal("TERMINAL", "xterm");
        QTemporaryDir temporary;
        const QDir dir(temporary.filePath(QStringLiteral("Ordner mit Ü")));
        QVERIFY(dir.mkpath(QStringLiteral(".")));
        const QString script = QStringLiteral("echo started > \"$1.started\"; "
                                              "while [ ! -f stop ] && [ -f \"$1.started\" ]; do "
                                              "sleep 0.1; done; echo done > finished");

        QVERIFY(StartProgram(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), script, QStringLiteral("sh"), QStringLiteral("Datei mit Ü")},
            dir.path(), minimised));

        // It runs in the directory given, with the argument as given, and
        // cannot end before the stop file exists.
        QTRY_VERIFY_WITH_TIMEOUT(dir.exists(QStringLiteral("Datei mit Ü.started")), 20000);
        QVERIFY(!dir.exists(QStringLiteral("finished")));
        const QStringList windows = XtermWindows();
        QCOMPARE(windows.size(), 1);
        const QString hints =
            XTool(QStringLiteral("xprop"),
                  {QStringLiteral("-id"), windows.first(), QStringLiteral("WM_HINTS")});
        QCOMPARE(hints.contains(QStringLiteral("Initial state is Iconic State")), minimised);

        QFile stop(dir.filePath(QStringLiteral("stop")));
        QVERIFY(stop.open(QIODevice::WriteOnly));
        stop.close();
        QTRY_VERIFY_WITH_TIMEOUT(dir.exists(QStringLiteral("finished")), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(XtermWindows().isEmpty(), 20000);
    }

    void xterm_draws_with_a_scalable_font_that_has_the_euro_sign() {
        const TEnvironmentVariable terminal("TERMINAL", "xterm");
        const doscall::TCommand command =
            doscall::TerminalCommand(doscall::FindTerminal(), QStringLiteral("/bin/sh"),
                                     {QStringLiteral("-c"), QStringLiteral("exit 0")}, true);
        // xterm reports the fonts it loads on its standard output.
        QProcess xterm;
        xterm.start(command.Program,
                    QStringList{QStringLiteral("-report-fonts")} + command.Arguments);
        QVERIFY(xterm.waitForFinished(20000));
        const QString report = QString::fromLocal8Bit(xterm.readAllStandardOutput());
        QVERIFY2(report.contains(QStringLiteral("Loaded XftFonts(DejaVu Sans Mono")),
                 qPrintable(report.left(400)));
        QVERIFY2(report.contains(QStringLiteral("scalable=True")), qPrintable(report.left(400)));
        // Its characters go far beyond Latin-1, where the bitmap font ends at 255.
        static const QRegularExpression last(QStringLiteral(R"(last char:\s+(\d+))"));
        const QRegularExpressionMatch match = last.match(report);
        QVERIFY(match.hasMatch());
        QVERIFY2(match.captured(1).toInt() >= 0x20AC, qPrintable(match.captured(1)));
    }

    void a_program_that_cannot_run_starts_no_terminal() {
        QTRY_VERIFY_WITH_TIMEOUT(XtermWindows().isEmpty(), 10000);
        const TEnvironmentVariable terminal("TERMINAL", "xterm");
        QVERIFY(!StartProgram(QStringLiteral("/nonexistent/appletviewer"), {}, QString(), false));
        QVERIFY(!StartProgram(QStringLiteral("/etc/passwd"), {}, QString(), false));
        QTest::qWait(500);
        QVERIFY(XtermWindows().isEmpty());
    }

    void without_a_terminal_nothing_starts() {
        QTemporaryDir emptyBin;
        const TEnvironmentVariable path("PATH", emptyBin.path().toLocal8Bit());
        const TEnvironmentVariable terminal("TERMINAL", QByteArray());
        QCOMPARE(doscall::FindTerminal(), QString());
        QVERIFY(!StartProgram(QStringLiteral("/bin/sh"),
                              {QStringLiteral("-c"), QStringLiteral("exit")}, QString(), false));
    }

    void each_terminal_is_found_in_turn_and_told_its_own_way_data() {
        QTest::addColumn<QStringList>("installed"); // "name" or "link->target"
        QTest::addColumn<QByteArray>("terminalVariable");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<QString>("recorded"); // name invoked, then its arguments
        const QString run = QStringLiteral("/bin/sh|-c|exit 0");
        const QString font = QStringLiteral("-fa|DejaVu Sans Mono,monospace|-fs|11|");
        QTest::newRow("xterm before konsole, minimised")
            << QStringList{"konsole", "xterm"} << QByteArray() << true
            << "xterm|-iconic|" + font + "-e|" + run;
        QTest::newRow("xterm, normal")
            << QStringList{"xterm"} << QByteArray() << false << "xterm|" + font + "-e|" + run;
        QTest::newRow("konsole before gnome-terminal")
            << QStringList{"gnome-terminal", "konsole"} << QByteArray() << true
            << "konsole|-e|" + run;
        QTest::newRow("gnome-terminal before xfce4-terminal")
            << QStringList{"xfce4-terminal", "gnome-terminal"} << QByteArray() << false
            << "gnome-terminal|--|" + run;
        QTest::newRow("xfce4-terminal")
            << QStringList{"xfce4-terminal"} << QByteArray() << true << "xfce4-terminal|-x|" + run;
        QTest::newRow("x-terminal-emulator naming xterm, before xterm itself")
            << QStringList{"x-terminal-emulator->lxterm", "lxterm", "xterm"} << QByteArray() << true
            << "x-terminal-emulator|-iconic|" + font + "-e|" + run;
        QTest::newRow("x-terminal-emulator naming an unknown terminal")
            << QStringList{"x-terminal-emulator->someterm", "someterm", "xterm"} << QByteArray()
            << true << "x-terminal-emulator|-e|" + run;
        QTest::newRow("$TERMINAL first")
            << QStringList{"xterm", "myterm"} << QByteArray("myterm") << true << "myterm|-e|" + run;
        QTest::newRow("$TERMINAL missing")
            << QStringList{"konsole"} << QByteArray("nosuchterm") << false << "konsole|-e|" + run;
    }
    void each_terminal_is_found_in_turn_and_told_its_own_way() {
        QFETCH(QStringList, installed);
        QFETCH(QByteArray, terminalVariable);
        QFETCH(bool, minimised);
        QFETCH(QString, recorded);
        QTemporaryDir bin;
        const QString record = bin.filePath(QStringLiteral("record.txt"));
        for (const QString& entry : installed) {
            const QStringList link = entry.split(QStringLiteral("->"));
            if (link.size() == 2)
                QVERIFY(QFile::link(bin.filePath(link[1]), bin.filePath(link[0])));
            else
                QVERIFY(WriteExecutable(bin.filePath(entry),
                                        "#!/bin/sh\nprintf '%s\\n' \"${0##*/}\" \"$@\" end > \"" +
                                            record.toLocal8Bit() + "\"\n"));
        }
        const TEnvironmentVariable path("PATH", bin.path().toLocal8Bit());
        const TEnvironmentVariable terminal("TERMINAL", terminalVariable);

        QVERIFY(StartProgram(QStringLiteral("/bin/sh"),
                             {QStringLiteral("-c"), QStringLiteral("exit 0")}, QString(),
                             minimised));
        QString written;
        QTRY_VERIFY_WITH_TIMEOUT((written = ReadText(record)).endsWith(QLatin1String("\nend\n")),
                                 10000);
        written.chop(5);
        QCOMPARE(written.split(QLatin1Char('\n')).join(QLatin1Char('|')), recorded);
    }
};

QTEST_GUILESS_MAIN(TestStartProgram)
#include "tst_startprogram.moc"
