// SPDX-License-Identifier: GPL-3.0-or-later
// The rules behind the editing commands, without a window: indentation,
// tab-stop distance, find next and replace all over plain texts.
#include "Main/EditLogic.h"

#include <QtTest>

#include <random>
#include <vector>

namespace {
// Replace all as one pass gives it, the whole new text; counts the replacements.
QString ReplaceAllText(const QString& text, const QString& what, const QString& with,
                       int* steps = nullptr, int32_t* caret = nullptr) {
    const mainform::TReplaceAllResult all = mainform::ReplaceAll(text, what, with);
    if (steps)
        *steps = all.Count;
    if (caret)
        *caret = all.Caret;
    QString result;
    int32_t old = 0;
    for (const mainform::TReplaceAllResult::TEdit& edit : all.Edits) {
        if (edit.Start < old || edit.Length < 0)
            return QStringLiteral("edits out of order");
        result += text.mid(old, edit.Start - old) + edit.Text;
        old = edit.Start + edit.Length;
    }
    return result + text.mid(old);
}

// Replace all one occurrence at a time, each time searching again from the start of the changed
// text and passing over occurrences that lie wholly in inserted text: the rule the one pass
// must follow, written the slow and obvious way.
QString StepByStepReplaceAll(QString text, const QString& what, const QString& with, int* steps,
                             int32_t* caret) {
    std::vector<bool> inserted(size_t(text.size()), false);
    const auto holdsOriginal = [&](qsizetype at) {
        const auto first = inserted.begin() + at;
        return std::find(first, first + what.size(), false) != first + what.size();
    };
    *steps = 0;
    *caret = 0;
    for (qsizetype at = what.isEmpty() ? -1 : text.indexOf(what); at >= 0;
         at = text.indexOf(what)) {
        while (at >= 0 && !holdsOriginal(at))
            at = text.indexOf(what, at + 1);
        if (at < 0)
            break;
        text.replace(at, what.size(), with);
        const auto first = inserted.begin() + at;
        inserted.erase(first, first + what.size());
        inserted.insert(inserted.begin() + at, size_t(with.size()), true);
        ++*steps;
        *caret = int32_t(at + with.size());
    }
    return text;
}

QString RandomText(std::mt19937& random, int maxLength) {
    static const char16_t letters[] = u"aab\r\n";
    const int length = int(random() % unsigned(maxLength + 1));
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(letters[random() % 5]);
    return text;
}
} // namespace

class TestEditLogic : public QObject {
    Q_OBJECT

private slots:
    void indent_prefix_repeats_leading_blanks_of_a_line_with_code_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("prefix");
        const struct {
            const char* name;
            QString line;
            QString prefix;
        } rows[] = {
            {"two tabs", "\t\tint a;", "\t\t"},
            {"blanks and tab", "  \t x = 1;", "  \t "},
            {"control characters count as blank", "\x01\x1f y", "\x01\x1f "},
            {"no indentation", "class A {", ""},
            {"empty line", "", ""},
            {"blank line", "   ", ""},
            {"tabs only", "\t\t", ""},
            {"non-breaking space is code", QString(QChar(0xA0)) + "x", ""},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.line << row.prefix;
    }
    void indent_prefix_repeats_leading_blanks_of_a_line_with_code() {
        QFETCH(QString, line);
        QFETCH(QString, prefix);
        QCOMPARE(mainform::IndentPrefix(line), prefix);
    }

    void tab_distance_is_the_first_stop_in_dialog_units_data() {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("baseUnit");
        QTest::addColumn<double>("pixels");
        QTest::newRow("tabs 2, unit 8: stop 8") << 2 << 8 << 16.0;
        QTest::newRow("tabs 4, unit 8: stop 16") << 4 << 8 << 32.0;
        QTest::newRow("tabs 2, unit 6: stop 10 truncated") << 2 << 6 << 15.0;
        QTest::newRow("tabs 4, unit 7: stop 18 truncated") << 4 << 7 << 31.5;
        QTest::newRow("tabs 1, unit 40: stop 0") << 1 << 40 << 1.0;
        QTest::newRow("tabs 0: smallest distance") << 0 << 8 << 1.0;
        QTest::newRow("negative tabs: smallest distance") << -3 << 8 << 1.0;
        QTest::newRow("no base unit: taken as one pixel") << 2 << 0 << 16.0;
        QTest::newRow("huge tabs do not overflow") << 2000000000 << 8 << 65536.0;
    }
    void tab_distance_is_the_first_stop_in_dialog_units() {
        QFETCH(int, tabs);
        QFETCH(int, baseUnit);
        QFETCH(double, pixels);
        QCOMPARE(mainform::TabStopDistance(tabs, baseUnit), pixels);
    }

    void find_next_searches_after_the_selection_without_wrapping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("found");
        const QString text = QStringLiteral("foo bar\r\nfoo Foo foo");
        QTest::newRow("no selection: from the start") << text << 12 << 0 << "foo" << 0;
        QTest::newRow("after the first") << text << 0 << 3 << "foo" << 9;
        QTest::newRow("case counts") << text << 9 << 3 << "foo" << 17;
        QTest::newRow("after the last: none") << text << 17 << 3 << "foo" << -1;
        QTest::newRow("across a line break") << text << 0 << 0 << "bar\r\nfoo" << 4;
        QTest::newRow("selection reaching the end") << text << 0 << 20 << "foo" << -1;
        QTest::newRow("not in text") << text << 0 << 0 << "baz" << -1;
        QTest::newRow("empty search text") << text << 0 << 0 << "" << -1;
        QTest::newRow("overlapping occurrence after selection") << "aaaa" << 0 << 2 << "aa" << 2;
    }
    void find_next_searches_after_the_selection_without_wrapping() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, what);
        QFETCH(int, found);
        QCOMPARE(mainform::FindNextOffset(text, selStart, selLength, what), found);
    }

    void replace_all_results_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("steps");
        const struct {
            const char* name;
            QString text, what, with, result;
            int steps;
        } rows[] = {
            {"created occurrence is found again", "aab", "ab", "b", "b", 2},
            {"longer chain collapses", "aaaab", "ab", "b", "b", 4},
            {"replacement holding the text: each once", "a-a", "a", "aa", "aa-aa", 2},
            {"replacement equal to the text", "xyxy", "xy", "xy", "xyxy", 2},
            {"replacement wraps the text", "ab", "b", "bbb", "abbb", 1},
            {"occurrence over inserted and original text", "bba", "ba", "ab", "abb", 2},
            {"plain replacement", "int x; int y;", "int", "long", "long x; long y;", 2},
            {"removal", "a--b--c", "--", "", "abc", 2},
            {"overlapping occurrences left to right", "aaa", "aa", "b", "ba", 1},
            {"nothing to find", "abc", "x", "y", "abc", 0},
            {"empty search text", "abc", "", "y", "abc", 0},
            // Re-searching alone would grow this text without end.
            {"growing rewrite ends", "aab", "ab", "bbaa", "bbaabaa", 2},
            {"line breaks", "a\r\nb", "\r\n", " ", "a b", 1},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.text << row.what << row.with << row.result << row.steps;
    }
    void replace_all_results() {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(QString, result);
        QFETCH(int, steps);
        int count = -1;
        QCOMPARE(ReplaceAllText(text, what, with, &count), result);
        QCOMPARE(count, steps);
    }

    void replace_all_ends_within_one_step_per_original_character() {
        const QString text(2000, QLatin1Char('a'));
        int steps = 0;
        const QString result =
            ReplaceAllText(text, QStringLiteral("a"), QStringLiteral("aaa"), &steps);
        QCOMPARE(steps, 2000);
        QCOMPARE(result, QString(6000, QLatin1Char('a')));
    }

    void replace_all_in_one_pass_agrees_with_replacing_one_at_a_time() {
        std::mt19937 random(15);
        for (int i = 0; i < 20000; ++i) {
            const QString text = RandomText(random, 14);
            const QString what = RandomText(random, 3);
            const QString with = RandomText(random, 5);
            int steps = -1;
            int32_t caret = -1;
            const QString expected = StepByStepReplaceAll(text, what, with, &steps, &caret);
            int count = -2;
            int32_t at = -2;
            const QString result = ReplaceAllText(text, what, with, &count, &at);
            const QString row = text + QStringLiteral(" | ") + what + QStringLiteral(" | ") + with;
            QVERIFY2(result == expected && count == steps && (steps == 0 || at == caret),
                     qPrintable(row));
        }
    }

    void entry_texts_count_line_breaks_as_cr_lf_data() {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("counted");
        const struct {
            const char* name;
            QString entered, counted;
        } rows[] = {
            {"plain", "abc", "abc"},
            {"lf", "a\nb", "a\r\nb"},
            {"cr", "a\rb", "a\r\nb"},
            {"cr lf stays", "a\r\nb", "a\r\nb"},
            {"lf cr is two breaks", "a\n\rb", "a\r\n\r\nb"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.entered << row.counted;
    }
    void entry_texts_count_line_breaks_as_cr_lf() {
        QFETCH(QString, entered);
        QFETCH(QString, counted);
        QCOMPARE(mainform::WithCrLf(entered), counted);
    }
};

QTEST_APPLESS_MAIN(TestEditLogic)
#include "tst_editlogic.moc"
