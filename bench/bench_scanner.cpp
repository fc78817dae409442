// Paint cost of the colour engine with the Java rules: a full-window paint (60 visible lines)
// and a caret-line paint, each in a 100-line and a 200,000-line file with the window in the
// middle. The cost must follow the window, not the file: the big/small ratio should stay near 1.

#include "ColMemo/JavaRules.h"
#include "ColMemo/KeyScanner.h"
#include "ColMemo/PlainTextGeometry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

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

// Median time of one paint, in microseconds, over several batches.
double MicrosecondsPerPaint(int lines, const TPaintCase& paint) {
    TPlainTextGeometry geometry(JavaText(lines));
    // Same offset into the template in every file: 20 for 100 lines, 99970 for 200,000.
    int first = lines / 2 - WindowLines / 2;
    first -= (first - 20) % TemplateLines;
    geometry.SetWindow(first, WindowLines);

    TDrawRules rules;
    AddJavaRules(rules);
    TKeyScanner scanner;
    TScanInput input;
    input.Rules = &rules;
    input.WantTabs = true;
    input.CaretLineOnly = paint.CaretLineOnly;
    input.FirstVisibleLine = first;
    input.CaretLine = first + WindowLines / 2;
    input.CaretLineStart = geometry.LineIndex(input.CaretLine);
    input.SelStart = input.CaretLineStart + 5;

    constexpr int Batches = 15;
    constexpr int PaintsPerBatch = 2000;
    for (int i = 0; i < PaintsPerBatch; ++i)
        scanner.Scan(input, geometry);
    std::vector<double> batches;
    int32_t runs = 0;
    for (int b = 0; b < Batches; ++b) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < PaintsPerBatch; ++i) {
            scanner.Scan(input, geometry);
            runs += scanner.RunCount();
        }
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - start;
        batches.push_back(spent.count() / PaintsPerBatch);
    }
    if (runs == 0)
        std::printf("warning: %s found no runs\n", paint.Name);
    std::nth_element(batches.begin(), batches.begin() + Batches / 2, batches.end());
    return batches[Batches / 2];
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
        const double small = MicrosecondsPerPaint(100, cases[i]);
        const double big = MicrosecondsPerPaint(200000, cases[i]);
        const double ratio = big / small;
        met = met && ratio <= 1.2 && big < targets[i];
        std::printf("%-30s %11.2f us %13.2f us %8.2f %7.0f us\n", cases[i].Name, small, big, ratio,
                    targets[i]);
    }
    std::printf("%s (ratio <= 1.2, time below target)\n", met ? "targets met" : "TARGETS MISSED");
    return met ? 0 : 1;
}
