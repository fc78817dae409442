// SPDX-License-Identifier: GPL-3.0-or-later
// What a user feels, measured through the whole main window: key events enter where the window
// system hands them to the application (shortcut dispatch, editor, status bar, command states,
// caption), and every step is timed until the window has painted its result.
//
// For a 100-line and a 200,000-line Java file, in one run, with the ratio big/small:
//   open (read, decode, fill, first paint), one key, a burst of 20 keys, Page Down, the colour
//   overpaint against the plain paint of the same viewport, replace all, save;
// for a file that is one 5 MB line: one idle second (CPU time), and a key followed by a save;
// and, each in a process of its own, start-to-window time and peak memory.
// The goals are printed beside the figures. Times are medians of interleaved repetitions.
//
// Offscreen by default; run it under an X server (QT_QPA_PLATFORM=xcb) to include the round
// trips to the server. Options: --quick (fewer repetitions), --no-replace-40000 (skips the
// 40,000 replacements, which took minutes before replace all was one pass), --no-replace (no
// replace all at all), --line-kb N (the
// long line's length, 5120 unless given), --only windows|line|starts (that part alone).

#include "BenchPrompts.h"
#include "ColMemo/ColorMemo.h"
#include "LargePages.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Main/ReplaceDialog.h"
#include "Main/StartUp.h"
#include "PaintCounter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/qtestkeyboard.h>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// 50 lines of everyday Java: "feld" ten times, "wert" once, "Feld" and "Wert" never.
const char* const JavaLines[] = {
    "/* Counts the words of a text.",
    "   The counter keeps a running total. */",
    "public class WordCounter implements Runnable {",
    "\tprivate static final int LIMIT = 1000;",
    "\tprivate String feld; // the text being counted",
    "\tprotected int count = 0;",
    "",
    "\tpublic WordCounter(String feld) {",
    "\t\tthis.feld = feld;",
    "\t}",
    "",
    "\t/** Runs the count once. */",
    "\tpublic void run() {",
    "\t\tboolean inWord = false;",
    "\t\tfor (int i = 0; i < feld.length() && i < LIMIT; i++) {",
    "\t\t\tchar c = feld.charAt(i);",
    "\t\t\tif (Character.isLetter(c)) { if (!inWord) count++; inWord = true; }",
    "\t\t\telse inWord = false; // separator",
    "\t\t}",
    "\t\tSystem.out.println(\"words: \" + count);",
    "\t}",
    "",
    "\tsynchronized int total() { return count; }",
    "",
    "\tint[] lengths(String[] feld) {",
    "\t\tint[] result = new int[feld.length];",
    "\t\tfor (int i = 0; i < result.length; i++)",
    "\t\t\tresult[i] = feld[i].length();",
    "\t\treturn result;",
    "\t}",
    "",
    "\tdouble average(int[] values) {",
    "\t\tif (values.length == 0)",
    "\t\t\treturn 0;",
    "\t\tlong sum = 0;",
    "\t\tfor (int v : values)",
    "\t\t\tsum += v;",
    "\t\treturn (double) sum / values.length;",
    "\t}",
    "",
    "\tString longest(String[] feld) {",
    "\t\tString best = \"\";",
    "\t\tfor (String s : feld)",
    "\t\t\tif (s.length() > best.length())",
    "\t\t\t\tbest = s;",
    "\t\treturn best; // wert",
    "\t}",
    "}",
    "",
    "// end of WordCounter",
};
constexpr int TemplateLines = int(std::size(JavaLines));
constexpr int SmallLines = 100;
constexpr int BigLines = 200000;

// The lines of the template, repeated. With comments, every third line also carries a block
// comment, and every tenth opens one that the next line closes.
QByteArray JavaFile(int lines, bool comments) {
    QByteArray text;
    text.reserve(lines * 28);
    for (int i = 0; i < lines; ++i) {
        text += JavaLines[i % TemplateLines];
        if (comments && i % 10 == 0)
            text += " /* a remark";
        else if (comments && i % 10 == 1)
            text += " that ends here */";
        else if (comments && i % 3 == 0)
            text += " /* note */";
        text += "\r\n";
    }
    return text;
}

QByteArray OneLineFile(int bytes) {
    const QByteArray piece = "int feld = 1; /* c */ String s = \"x\"; if (feld > 0) { feld++; } ";
    QByteArray text;
    text.reserve(bytes + piece.size());
    while (text.size() < bytes)
        text += piece;
    return text;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

long PeakKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Wall-clock time to the screen, and the CPU time the process spent meanwhile (on a loaded
// machine the wall time also holds the waits for a core).
struct TTime {
    double Wall = 0;
    double Cpu = 0;
};

TTime Median(const std::vector<TTime>& times) {
    std::vector<double> wall;
    std::vector<double> cpu;
    for (const TTime& time : times) {
        wall.push_back(time.Wall);
        cpu.push_back(time.Cpu);
    }
    return {Median(wall), Median(cpu)};
}

class TStopwatch {
public:
    TStopwatch() : StartCpu(CpuMs()) { Wall.start(); }
    TTime Elapsed() const { return {Wall.nsecsElapsed() / 1e6, CpuMs() - StartCpu}; }

private:
    QElapsedTimer Wall;
    double StartCpu;
};

// The main window, driven through the window system's entry for key events.
class TWindowDriver {
public:
    explicit TWindowDriver(QSize size) {
        Window = std::make_unique<TMainForm>(Inis, Prompts);
        Window->resize(size);
        Window->show();
        QApplication::setActiveWindow(Window.get());
        qApp->installEventFilter(&Counter);
        Settle();
    }
    ~TWindowDriver() { qApp->removeEventFilter(&Counter); }

    TMainForm& Form() { return *Window; }
    TColorMemo& Memo() { return *Window->CurrentMemo(); }

    // This window takes the keyboard, as the one the user works in (the caret blinks here).
    void Activate() {
        if (QApplication::activeWindow() == Window.get())
            return;
        QApplication::setActiveWindow(Window.get());
        Memo().setFocus();
        Settle();
    }

    // Runs the event loop until two passes in a row paint nothing: the step is on the screen.
    void Settle() {
        for (int quiet = 0; quiet < 2;) {
            const int before = Counter.Paints;
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            quiet = Counter.Paints == before ? quiet + 1 : 0;
        }
    }

    // A press and release as the window system delivers them; nothing runs in between.
    void Key(int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = {}) {
        QWindow* window = Window->windowHandle();
        qt_handleKeyEvent(window, QEvent::KeyPress, key, modifiers, text);
        qt_handleKeyEvent(window, QEvent::KeyRelease, key, modifiers, text);
    }

    void Command(const char* name) {
        QAction* action = Window->findChild<QAction*>(QString::fromLatin1(name));
        if (!action || !action->isEnabled())
            std::fprintf(stderr, "command %s not available\n", name);
        else
            action->trigger();
    }

    // Opens a file through the open command; the time until its first page is painted.
    TTime Open(const QString& path) {
        Prompts.OpenFile = path;
        const TTime time = Timed([&] { Command("Oeffnen1"); });
        Memo().setFocus();
        Settle();
        return time;
    }

    void Close() {
        Command("Schliessen1");
        Settle();
    }

    // The caret and the window in the middle of the text, on the same line of the template in
    // every file.
    void GoToMiddle() {
        int line = Memo().LineCount() / 2;
        line -= line % TemplateLines;
        Memo().SetCaretLine(line + 16);
        Memo().SetCaretCol(6);
        Memo().centerCursor();
        Settle();
    }

    // A step until the window has painted it.
    TTime Timed(const std::function<void()>& step) {
        const TStopwatch watch;
        step();
        Settle();
        return watch.Elapsed();
    }

    // Replace all through the replace dialog, until painted.
    TTime ReplaceAll(const QString& what, const QString& with) {
        Command("Ersetzen1");
        auto* dialog = Window->findChild<TReplaceDialog*>(QStringLiteral("ReplaceDialog"));
        dialog->E_SuchenNach->setText(what);
        dialog->E_ErsetzenDurch->setText(with);
        Settle();
        const TTime time = Timed([&] { dialog->B_AlleErsetzen->click(); });
        dialog->hide();
        Memo().setFocus();
        Settle();
        return time;
    }

    // CPU milliseconds the process spends in a second of the event loop.
    double IdleCpuMs(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        const double before = CpuMs();
        loop.exec();
        return CpuMs() - before;
    }

private:
    TInisRecord Inis;
    TBenchPrompts Prompts;
    std::unique_ptr<TMainForm> Window;
    TPaintCounter Counter;
};

struct TOptions {
    int Repeats = 9;
    bool Replace4000 = true;
    bool Replace40000 = true;
    int LineKb = 5 * 1024;
    QString Only; // "windows", "line" or "starts": that part alone
};

void PrintHeader(const char* first, const char* second) {
    std::printf("\n%-40s %21s %21s %7s   %s\n", "", first, second, "ratio", "goal");
    std::printf("%-40s %21s %21s\n", "", "to screen (CPU)", "to screen (CPU)");
}

void PrintRow(const char* name, TTime small, TTime big, const char* goal) {
    std::printf("%-40s %9.2f (%7.2f) ms %9.2f (%7.2f) ms %7.2f   %s\n", name, small.Wall, small.Cpu,
                big.Wall, big.Cpu, small.Wall > 0 ? big.Wall / small.Wall : 0.0, goal);
    std::fflush(stdout);
}

void PrintValues(const char* name, double small, double big, const char* unit, const char* goal) {
    std::printf("%-40s %18.2f %-2s %18.2f %-2s %7.2f   %s\n", name, small, unit, big, unit,
                small > 0 ? big / small : 0.0, goal);
    std::fflush(stdout);
}

void PrintSingle(const char* name, TTime time, const char* goal) {
    std::printf("%-40s %21s %9.2f (%7.2f) ms %7s   %s\n", name, "", time.Wall, time.Cpu, "", goal);
    std::fflush(stdout);
}

// One file in each of two windows, so small and big alternate without reopening.
struct TPair {
    TWindowDriver Small;
    TWindowDriver Big;
    TPair() : Small(QSize(1000, 720)), Big(QSize(1000, 720)) {}
};

// Runs `step` on both windows alternately, `undo` after each (not timed); medians.
void Measure(TPair& pair, int repeats, const char* name, const char* goal,
             const std::function<void(TWindowDriver&)>& step,
             const std::function<void(TWindowDriver&)>& undo) {
    std::vector<TTime> small;
    std::vector<TTime> big;
    for (int i = 0; i < repeats; ++i) {
        for (TWindowDriver* window : {&pair.Small, &pair.Big}) {
            window->Activate();
            const TTime time = window->Timed([&] { step(*window); });
            (window == &pair.Small ? small : big).push_back(time);
            undo(*window);
            window->Settle();
        }
    }
    PrintRow(name, Median(small), Median(big), goal);
}

void TypeKeys(TWindowDriver& window, const QString& text) {
    for (QChar c : text)
        window.Key(Qt::Key_A + (c.toUpper().unicode() - 'A'), QString(c));
}

void Backspaces(TWindowDriver& window, int count) {
    for (int i = 0; i < count; ++i)
        window.Key(Qt::Key_Backspace, QStringLiteral("\b"));
}

// Full repaints of the viewport with and without the colours: what the overpaint adds.
void MeasureOverpaint(TPair& pair, int repeats) {
    const auto paint = [&](TWindowDriver& window, bool coloured) {
        window.Activate();
        TColorMemo& memo = window.Memo();
        colmemo::TDrawRules rules;
        rules.CopyFrom(memo.ColorRules());
        if (!coloured)
            memo.ColorRules().Clear();
        std::vector<TTime> times;
        for (int i = 0; i < repeats * 4; ++i) {
            const TStopwatch watch;
            memo.viewport()->repaint();
            times.push_back(watch.Elapsed());
        }
        if (!coloured)
            memo.SetColorRules(rules);
        window.Settle();
        return Median(times);
    };
    const TTime smallPlain = paint(pair.Small, false);
    const TTime bigPlain = paint(pair.Big, false);
    const TTime smallColoured = paint(pair.Small, true);
    const TTime bigColoured = paint(pair.Big, true);
    PrintRow("viewport paint, plain (colours off)", smallPlain, bigPlain, "");
    PrintRow("viewport paint, coloured", smallColoured, bigColoured, "");
    PrintValues("  overpaint / plain paint (CPU)",
                (smallColoured.Cpu - smallPlain.Cpu) / smallPlain.Cpu,
                (bigColoured.Cpu - bigPlain.Cpu) / bigPlain.Cpu, "x", "<= 0.5");
}

// One key in the 200,000-line file with the line numbers off and on, taking turns.
void MeasureGutter(TPair& pair, int repeats) {
    TWindowDriver& window = pair.Big;
    window.Activate();
    std::vector<TTime> off;
    std::vector<TTime> on;
    for (int i = 0; i < repeats * 3; ++i)
        for (const bool numbers : {false, true}) {
            window.Memo().SetLineNumbers(numbers);
            window.Settle();
            const TTime time = window.Timed([&] { window.Key(Qt::Key_X, QStringLiteral("x")); });
            (numbers ? on : off).push_back(time);
            Backspaces(window, 1);
            window.Settle();
        }
    PrintHeader("line numbers off", "line numbers on");
    PrintRow("one key, 200,000 lines", Median(off), Median(on), "<= 1.2");
}

void MeasureWindows(const QString& dir, const TOptions& options) {
    const int repeats = options.Repeats;
    TPair pair;
    const QString smallPath = dir + QStringLiteral("/Klein.java");
    const QString bigPath = dir + QStringLiteral("/Gross.java");
    std::vector<TTime> openSmall;
    std::vector<TTime> openBig;
    for (int i = 0; i < std::max(repeats / 3, 1); ++i) {
        openSmall.push_back(pair.Small.Open(smallPath));
        openBig.push_back(pair.Big.Open(bigPath));
        if (i + 1 < std::max(repeats / 3, 1)) {
            pair.Small.Close();
            pair.Big.Close();
        }
    }
    PrintHeader("100 lines", "200,000 lines");
    PrintRow("open (read, decode, fill, first paint)", Median(openSmall), Median(openBig),
             "see start-to-window below");
    pair.Small.GoToMiddle();
    pair.Big.GoToMiddle();

    Measure(
        pair, repeats * 3, "one key", "same in both files",
        [](TWindowDriver& w) { w.Key(Qt::Key_X, QStringLiteral("x")); },
        [](TWindowDriver& w) { Backspaces(w, 1); });
    Measure(
        pair, repeats, "20-key burst", "<= 6 ms (peer, to screen)",
        [](TWindowDriver& w) { TypeKeys(w, QStringLiteral("abcdefghijklmnopqrst")); },
        [](TWindowDriver& w) { Backspaces(w, 20); });
    Measure(
        pair, repeats * 3, "Page Down", "", [](TWindowDriver& w) { w.Key(Qt::Key_PageDown); },
        [](TWindowDriver& w) { w.Key(Qt::Key_PageUp); });
    MeasureOverpaint(pair, repeats);

    const auto replace = [&](const char* label, const QString& what, const QString& with,
                             const char* goal) {
        pair.Small.Activate();
        const TTime small = pair.Small.ReplaceAll(what, with);
        pair.Big.Activate();
        const TTime big = pair.Big.ReplaceAll(what, with);
        PrintRow(label, small, big, goal);
    };
    if (options.Replace4000)
        replace("replace all wert -> Wert (2 / 4,000)", QStringLiteral("wert"),
                QStringLiteral("Wert"), "");
    if (options.Replace40000)
        replace("replace all feld -> Feld (20 / 40,000)", QStringLiteral("feld"),
                QStringLiteral("Feld"), "well under 1 s");

    Measure(
        pair, std::max(repeats / 3, 1), "save", "",
        [](TWindowDriver& w) { w.Command("Speichern1"); },
        [](TWindowDriver& w) { TypeKeys(w, QStringLiteral("x")); });
    MeasureGutter(pair, repeats);
}

void MeasureOneLine(const QString& dir, const TOptions& options) {
    TWindowDriver small(QSize(1000, 720));
    TWindowDriver line(QSize(1000, 720));
    small.Open(dir + QStringLiteral("/Klein.java"));
    line.Activate();
    const TTime open = line.Open(dir + QStringLiteral("/Zeile.java"));
    line.Memo().SetSelStart(line.Memo().TextLength() / 2);
    line.Memo().centerCursor();
    line.Settle();
    PrintHeader("100 lines", "one long line");
    PrintSingle("open the one-line file", open, "");
    std::vector<double> idleSmall;
    std::vector<double> idleLine;
    for (int i = 0; i < std::max(options.Repeats / 3, 1); ++i) {
        small.Activate();
        idleSmall.push_back(small.IdleCpuMs(1000));
        line.Activate();
        idleLine.push_back(line.IdleCpuMs(1000));
    }
    PrintValues("one idle second, CPU time", Median(idleSmall), Median(idleLine), "ms",
                "near zero (<= 10 ms, 1% of a core)");
    const TTime key = line.Timed([&] { line.Key(Qt::Key_X, QStringLiteral("x")); });
    const TTime save = line.Timed([&] { line.Command("Speichern1"); });
    PrintSingle("key on the line", key, "");
    PrintSingle("key + save", {key.Wall + save.Wall, key.Cpu + save.Cpu}, "was about 9 s");
}

// Child mode: the program's own start-up with a file on the command line, until the editor
// has painted it; prints the peak memory and leaves at once.
int StartToWindow(const QString& path) {
    TBenchPrompts prompts;
    TKodiwerkWindows windows(prompts, {path});
    windows.MainForm->show();
    TPaintCounter counter;
    windows.MainForm->CurrentMemo()->viewport()->installEventFilter(&counter);
    while (counter.Paints == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    std::printf("%ld\n", PeakKb());
    std::fflush(stdout);
    _exit(0);
}

void MeasureStarts(const QString& dir, const TOptions& options) {
    struct TStart {
        const char* Name;
        QString File;
        const char* TimeGoal;
        std::vector<double> Ms;
        std::vector<double> PeakMb;
    };
    TStart starts[] = {
        {"100 lines", dir + QStringLiteral("/Klein.java"), "", {}, {}},
        {"200,000 lines", dir + QStringLiteral("/Gross.java"), "<= 0.61 s (peer)", {}, {}},
        {"200,000 lines, many block comments",
         dir + QStringLiteral("/Kommentare.java"),
         "<= 3 s (peer)",
         {},
         {}},
    };
    for (int i = 0; i < std::max(options.Repeats / 3, 1); ++i) {
        for (TStart& start : starts) {
            QProcess child;
            QElapsedTimer timer;
            timer.start();
            child.start(QCoreApplication::applicationFilePath(),
                        {start.File, QStringLiteral("--start-to-window")});
            child.waitForReadyRead(120000);
            start.Ms.push_back(timer.nsecsElapsed() / 1e6);
            start.PeakMb.push_back(child.readAllStandardOutput().trimmed().toDouble() / 1024);
            child.waitForFinished();
        }
    }
    std::printf("\n%-40s %21s %21s   %s\n", "start to window (own process)", "time", "peak",
                "goal");
    for (const TStart& start : starts)
        std::printf("%-40s %18.0f ms %18.1f MB   %s%s\n", start.Name, Median(start.Ms),
                    Median(start.PeakMb), start.TimeGoal,
                    start.TimeGoal[0] ? "; peak <= 106 MB (1.5 x peer's 71 MB)" : "");
}

// The offscreen platform warns about every window feature it lacks; nothing else is dropped.
void DropPlatformWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv) {
    // A start-up measured as the program starts: the file first, as on its command line.
    const bool startToWindow = argc == 3 && argv[2] == std::string("--start-to-window");
    if (startToWindow)
        largepages::RestartWithLargePages(argc, argv);
    qInstallMessageHandler(DropPlatformWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (startToWindow)
        return StartToWindow(arguments.value(1));
    // Settings of a first start and recovery copies, never the user's own;
    // the children inherit them.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());

    TOptions options;
    if (arguments.contains(QStringLiteral("--quick")))
        options.Repeats = 3;
    options.Replace4000 = !arguments.contains(QStringLiteral("--no-replace"));
    options.Replace40000 =
        options.Replace4000 && !arguments.contains(QStringLiteral("--no-replace-40000"));
    const qsizetype only = arguments.indexOf(QStringLiteral("--only"));
    if (only > 0)
        options.Only = arguments.value(only + 1);
    const qsizetype lineKb = arguments.indexOf(QStringLiteral("--line-kb"));
    if (lineKb > 0)
        options.LineKb = arguments.value(lineKb + 1).toInt();

    QTemporaryDir files;
    const QString dir = files.path();
    if (!WriteFile(dir + QStringLiteral("/Klein.java"), JavaFile(SmallLines, false)) ||
        !WriteFile(dir + QStringLiteral("/Gross.java"), JavaFile(BigLines, false)) ||
        !WriteFile(dir + QStringLiteral("/Kommentare.java"), JavaFile(BigLines, true)) ||
        !WriteFile(dir + QStringLiteral("/Zeile.java"), OneLineFile(options.LineKb * 1024))) {
        std::fprintf(stderr, "cannot write the test files in %s\n", qPrintable(dir));
        return 1;
    }
    std::printf("platform %s; files: %lld, %lld, %lld and %lld bytes\n",
                qPrintable(QGuiApplication::platformName()),
                QFile(dir + QStringLiteral("/Klein.java")).size(),
                QFile(dir + QStringLiteral("/Gross.java")).size(),
                QFile(dir + QStringLiteral("/Kommentare.java")).size(),
                QFile(dir + QStringLiteral("/Zeile.java")).size());
    const auto part = [&](const char* name) {
        return options.Only.isEmpty() || options.Only == QLatin1String(name);
    };
    if (part("windows"))
        MeasureWindows(dir, options);
    if (part("line"))
        MeasureOneLine(dir, options);
    if (part("starts"))
        MeasureStarts(dir, options);
    return 0;
}
