// SPDX-License-Identifier: GPL-3.0-or-later
// Paint cost of the editor widget with the Java rules, in a 100-line and a 200,000-line file
// with the window in the middle of the text:
//  - a keystroke: one typed character (the key event) and the forced repaint of the viewport;
//  - the same keystroke with only the caret-line repaint it asks for;
//  - scrolling one page, with the forced repaint.
// The cost must follow the window, not the file: the big/small ratio should stay near 1.
// Then the line numbers, in two 200,000-line files, one with the gutter and one without:
//  - a keystroke with the paints the window makes of it (the caret's line, its number);
//  - a keystroke with a forced repaint of the viewport and of the gutter;
// the ratio with/without should stay below 1.2. Also timed once: loading the file into a shown
// editor with the gutter on and off, and switching the gutter in it.
// Times are per operation: the median of a batch, the best of alternating batches, so that
// load from other processes does not skew the ratio.

#include "ColMemo/ColorMemo.h"
#include "ColMemo/JavaRules.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const char* const JavaLines[] = {
    "/* Counts the words of a text.",
    "   The counter keeps a running total. */",
    "public class WordCounter implements Runnable {",
    "\tprivate static final int LIMIT = 1000;",
    "\tprivate String text; // the text being counted",
    "\tprotected int count = 0;",
    "",
    "\tpublic WordCounter(String text) {",
    "\t\tthis.text = text;",
    "\t}",
    "",
    "\t/** Runs the count once. */",
    "\tpublic void run() {",
    "\t\tboolean inWord = false;",
    "\t\tfor (int i = 0; i < text.length() && i < LIMIT; i++) {",
    "\t\t\tchar c = text.charAt(i);",
    "\t\t\tif (Character.isLetter(c)) { if (!inWord) count++; inWord = true; }",
    "\t\t\telse inWord = false; // separator",
    "\t\t}",
    "\t\tSystem.out.println(\"words: \" + count);",
    "\t}",
    "",
    "\tsynchronized int total() { return count; }",
    "}",
    "// end of WordCounter",
};
constexpr int TemplateLines = int(std::size(JavaLines));
constexpr int Batches = 9;
constexpr int PerBatch = 40;

QString JavaText(int lines) {
    QStringList text;
    text.reserve(lines);
    for (int i = 0; i < lines; ++i)
        text << QString::fromLatin1(JavaLines[i % TemplateLines]);
    return text.join(QStringLiteral("\r\n"));
}

struct TEditor {
    TColorMemo Memo;
    int Lines = 0;
    double LoadMs = 0;

    explicit TEditor(int lines, bool lineNumbers = false) : Lines(lines) {
        colmemo::AddJavaRules(Memo.ColorRules());
        Memo.SetLineNumbers(lineNumbers);
        QFont font(QStringLiteral("Liberation Mono"));
        font.setPixelSize(15);
        Memo.setFont(font);
        Memo.resize(900, 40 * 19);
        const QString text = JavaText(lines);
        QElapsedTimer timer;
        timer.start();
        Memo.SetText(text);
        LoadMs = timer.nsecsElapsed() / 1e6;
        Memo.show();
        QApplication::setActiveWindow(&Memo);
        Memo.setFocus();
        QApplication::processEvents();
        // the window in the middle, the caret at the end of a line in it
        const int middle = lines / 2 - (lines / 2) % TemplateLines + 2;
        Memo.SetCaretLine(middle + 20);
        Memo.verticalScrollBar()->setValue(middle);
        Memo.SetCaretLine(middle + 20);
        Memo.SetCaretCol(1000);
        Memo.viewport()->repaint();
    }

    void Key(int key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&Memo, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(&Memo, &release);
    }

    // The viewport, and the gutter when there is one, repainted at once.
    void RepaintAll() {
        Memo.viewport()->repaint();
        if (QWidget* gutter = Memo.findChild<QWidget*>(QStringLiteral("LineNumbers")))
            gutter->repaint();
    }

    QRect CaretLine() const {
        const QRect caret = Memo.cursorRect();
        return QRect(0, caret.top(), Memo.viewport()->width(), caret.height());
    }
};

using TStep = std::function<void(TEditor&)>;

// Median time of one batch of timed steps, each followed by an untimed undo step.
double BatchMedianUs(TEditor& editor, const TStep& timed, const TStep& undo) {
    std::vector<double> times;
    times.reserve(PerBatch);
    QElapsedTimer timer;
    for (int i = 0; i < PerBatch; ++i) {
        timer.start();
        timed(editor);
        times.push_back(timer.nsecsElapsed() / 1e3);
        undo(editor);
    }
    std::nth_element(times.begin(), times.begin() + PerBatch / 2, times.end());
    return times[PerBatch / 2];
}

void Measure(const char* name, TEditor& small, TEditor& big, const TStep& timed,
             const TStep& undo) {
    double bestSmall = 1e30;
    double bestBig = 1e30;
    for (int batch = 0; batch < Batches; ++batch) {
        bestSmall = std::min(bestSmall, BatchMedianUs(small, timed, undo));
        bestBig = std::min(bestBig, BatchMedianUs(big, timed, undo));
    }
    std::printf("%-34s %9.1f us %9.1f us   ratio %.2f\n", name, bestSmall, bestBig,
                bestBig / bestSmall);
}

// One-off costs of the gutter in a shown editor: loading a long file with it on and off, and
// switching it on and off again (each a new width of the viewport).
void GutterOneOffs(int lines) {
    const QString text = JavaText(lines);
    for (bool on : {false, true}) {
        TColorMemo memo;
        colmemo::AddJavaRules(memo.ColorRules());
        memo.resize(900, 40 * 19);
        memo.show();
        memo.SetLineNumbers(on);
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        memo.SetText(text);
        QApplication::processEvents();
        const double load = timer.nsecsElapsed() / 1e6;
        timer.start();
        memo.SetLineNumbers(!on);
        QApplication::processEvents();
        const double first = timer.nsecsElapsed() / 1e6;
        timer.start();
        memo.SetLineNumbers(on);
        QApplication::processEvents();
        const double second = timer.nsecsElapsed() / 1e6;
        std::printf("gutter %-3s: load %d lines shown %.1f ms, switch %s %.1f ms, back %.1f ms\n",
                    on ? "on" : "off", lines, load, on ? "off" : "on", first, second);
    }
}

void LineNumbers() {
    constexpr int Lines = 200000;
    TEditor plain(Lines, false);
    TEditor numbered(Lines, true);
    std::printf("%-34s %12s %12s\n", "", "gutter off", "gutter on");
    // The paints a keystroke asks for, made as the window makes them.
    Measure(
        "keystroke + its own paints", plain, numbered,
        [](TEditor& e) {
            e.Key(Qt::Key_X, QStringLiteral("x"));
            QApplication::processEvents();
        },
        [](TEditor& e) {
            e.Key(Qt::Key_Backspace, QStringLiteral("\b"));
            QApplication::processEvents();
        });
    Measure(
        "keystroke + viewport/gutter repaint", plain, numbered,
        [](TEditor& e) {
            e.Key(Qt::Key_X, QStringLiteral("x"));
            e.RepaintAll();
        },
        [](TEditor& e) {
            e.Key(Qt::Key_Backspace, QStringLiteral("\b"));
            e.RepaintAll();
        });
    GutterOneOffs(Lines);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TEditor small(100);
    TEditor big(200000);

    std::printf("load: %d lines %.1f ms, %d lines %.1f ms\n", small.Lines, small.LoadMs, big.Lines,
                big.LoadMs);
    std::printf("%-34s %12s %12s\n", "", "100 lines", "200000 lines");

    const TStep backspace = [](TEditor& e) {
        e.Key(Qt::Key_Backspace, QStringLiteral("\b"));
        e.Memo.viewport()->repaint();
    };
    Measure(
        "keystroke + viewport repaint", small, big,
        [](TEditor& e) {
            e.Key(Qt::Key_X, QStringLiteral("x"));
            e.Memo.viewport()->repaint();
        },
        backspace);
    big.Key(Qt::Key_X, QStringLiteral("x"));
    big.Memo.viewport()->repaint(big.CaretLine());
    const TColorMemo::TPaintReport caret = big.Memo.LastPaint();
    std::printf("caret-line repaint scans %d characters (caret line only: %s)\n",
                caret.ScanEnd - caret.ScanStart, caret.CaretLineOnly ? "yes" : "no");
    backspace(big);
    Measure(
        "keystroke + caret-line repaint", small, big,
        [](TEditor& e) {
            e.Key(Qt::Key_X, QStringLiteral("x"));
            e.Memo.viewport()->repaint(e.CaretLine());
        },
        backspace);
    Measure(
        "page down + viewport repaint", small, big,
        [](TEditor& e) {
            e.Memo.verticalScrollBar()->triggerAction(QScrollBar::SliderPageStepAdd);
            e.Memo.viewport()->repaint();
        },
        [](TEditor& e) {
            e.Memo.verticalScrollBar()->triggerAction(QScrollBar::SliderPageStepSub);
            e.Memo.viewport()->repaint();
        });
    LineNumbers();
    return 0;
}
