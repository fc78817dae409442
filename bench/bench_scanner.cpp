// SPDX-License-Identifier: GPL-3.0-or-later
// Paint cost of the colour engine with the Java rules: a full-window paint (60 visible lines)
// and a caret-line paint, each in a 100-line and a 200,000-line file with the window in the
// middle. The cost must follow the window, not the file: the big/small ratio should stay near 1.
// Times are per paint, the best of 25 batches of 2000 paints.

#include "ColMemo/JavaRules.h"
#include "ColMemo/KeyScanner.h"
#include "ColMemo/PlainTextGeometry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace colmemo;

namespace {

// 25 lines of everyday Java; windows are placed at the same offset into it in both files.
const char16_t* const JavaLines[] = {
    u"/* Counts the words of a text.",
    u"   The counter keeps a running total. */",
    u"public class WordCounter implements Runnable {",
    u"\tprivate static final int LIMIT = 1000;",
    u"\tprivate String text; // the text being counted",
    u"\tprotected int count = 0;",
    u"",
    u"\tpublic WordCounter(String text) {",
    u"\t\tthis.text = text;",
    u"\t}",
    u"",
    u"\t/** Runs the count once. */",
    u"\tpublic void run() {",
    u"\t\tboolean inWord = false;",
    u"\t\tfor (int i = 0; i < text.length() && i < LIMIT; i++) {",
    u"\t\t\tchar c = text.charAt(i);",
    u"\t\t\tif (Character.isLetter(c)) { if (!inWord) count++; inWord = true; }",
    u"\t\t\telse inWord = false; // separator",
    u"\t\t}",
    u"\t\tSystem.out.println(\"words: \" + count);",
    u"\t}",
    u"",
    u"\tsynchronized int total() { return count; }",
    u"}",
    u"// end of WordCounter",
};
constexpr int TemplateLines = int(std::size(JavaLines));
constexpr int WindowLines = 60;

std::u16string JavaText(int lines) {
    std::u16string text;
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            text += u"\r\n";
        text += JavaLines[i % TemplateLines];
    }
    return text;
}

struct TPaintCase {
    const char* Name;
    bool CaretLineOnly;
};

// One editor's paint state over a Java file, the window in the middle.
class TPaintBench {
public:
    TPaintBench(int lines, bool caretLineOnly) : Geometry(JavaText(lines)) {
        // Same offset into the template in every file: 20 for 100 lines, 99970 for 200,000.
        int first = lines / 2 - WindowLines / 2;
        first -= (first - 20) % TemplateLines;
        Geometry.SetWindow(first, WindowLines);
        AddJavaRules(Rules);
        Input.Rules = &Rules;
        Input.WantTabs = true;
        Input.CaretLineOnly = caretLineOnly;
        Input.FirstVisibleLine = first;
        Input.CaretLine = first + WindowLines / 2;
        Input.CaretLineStart = Geometry.LineIndex(Input.CaretLine);
        Input.SelStart = Input.CaretLineStart + 5;
    }

    // Microseconds per paint over one batch.
    double Batch(int paints) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < paints; ++i) {
            Scanner.Scan(Input, Geometry);
            RunsSeen += Scanner.RunCount();
        }
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - start;
        return spent.count() / paints;
    }

    bool FoundRuns() const { return RunsSeen > 0; }

private:
    TPlainTextGeometry Geometry;
    TDrawRules Rules;
    TKeyScanner Scanner;
    TScanInput Input;
    long RunsSeen = 0;
};

struct TTiming {
    double Small;
    double Big;
};

// Batches of the small and the big file alternate, so that load from other processes hits both
// alike; the best batch of each counts.
TTiming Measure(const TPaintCase& paint) {
    constexpr int Batches = 25;
    constexpr int PaintsPerBatch = 2000;
    TPaintBench small(100, paint.CaretLineOnly);
    TPaintBench big(200000, paint.CaretLineOnly);
    small.Batch(PaintsPerBatch);
    big.Batch(PaintsPerBatch);
    TTiming best{1e9, 1e9};
    for (int b = 0; b < Batches; ++b) {
        best.Small = std::min(best.Small, small.Batch(PaintsPerBatch));
        best.Big = std::min(best.Big, big.Batch(PaintsPerBatch));
    }
    if (!small.FoundRuns() || !big.FoundRuns())
        std::printf("warning: %s found no runs\n", paint.Name);
    return best;
}

} // namespace

int main() {
    const TPaintCase cases[] = {{"full-window paint (60 lines)", false},
                                {"caret-line paint", true}};
    const double targets[] = {50.0, 10.0};
    std::printf("%-30s %14s %16s %8s %10s\n", "paint", "100 lines", "200,000 lines", "ratio",
                "target");
    bool met = true;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TTiming timing = Measure(cases[i]);
        const double small = timing.Small;
        const double big = timing.Big;
        const double ratio = big / small;
        met = met && ratio <= 1.2 && big < targets[i];
        std::printf("%-30s %11.2f us %13.2f us %8.2f %7.0f us\n", cases[i].Name, small, big, ratio,
                    targets[i]);
    }
    std::printf("%s (ratio <= 1.2, time below target)\n", met ? "targets met" : "TARGETS MISSED");
    return met ? 0 : 1;
}
