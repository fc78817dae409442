// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoRig.h"

#include <QHelpEvent>
#include <QSignalSpy>
#include <QTextCursor>
#include <QToolTip>

namespace {

const QString Sample = QStringLiteral("public class Hallo {\r\n"       // 0
                                      "    int count = 0;\r\n"         // 1
                                      "    void run() {\r\n"           // 2
                                      "        count = count + 1;\r\n" // 3
                                      "    }\r\n"                      // 4
                                      "    int other;\r\n"             // 5
                                      "}");                            // 6

int32_t At(const QString& word, int from = 0) {
    return int32_t(Sample.indexOf(word, from));
}

TMark Error(int32_t index, int32_t length = 1, const QString& tip = {}) {
    return TMark{index, length, false, tip};
}

TMark Warning(int32_t index, int32_t length = 1, const QString& tip = {}) {
    return TMark{index, length, true, tip};
}

// A pixel at the right of a line, where no text reaches: the line's background.
QColor LineBackground(const QImage& image, const TColorMemo& memo, int line) {
    const QPoint top = memo.PosFromChar(memo.LineIndex(line));
    return image.pixelColor(image.width() - 8, top.y() + memo.cursorRect().height() / 2);
}

bool IsErrorWave(const QColor& c) {
    return c.red() - c.green() > 70 && std::abs(c.green() - c.blue()) < 40;
}

bool IsWarningWave(const QColor& c) {
    return c.red() - c.blue() > 100 && c.green() - c.blue() > 40 && c.red() - c.green() > 30;
}

// Pixels of a wave's colour below the baseline of a character's line, from x to right.
int WaveBetween(const QImage& image, const TColorMemo& memo, int32_t index, int left, int right,
                bool (*isWave)(const QColor&)) {
    const QPoint at = memo.PosFromChar(index);
    const int top = at.y() + memo.fontMetrics().ascent();
    const int bottom = at.y() + memo.cursorRect().height() - 1;
    int count = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x < right; ++x)
            count += isWave(image.pixelColor(x, y));
    return count;
}

// The same below the characters [index, index + length), or a blank's width where length is 0.
int WavePixels(const QImage& image, const TColorMemo& memo, int32_t index, int32_t length,
               bool (*isWave)(const QColor&)) {
    const int left = memo.PosFromChar(index).x();
    const int right = length > 0 ? memo.PosFromChar(index + length).x()
                                 : left + memo.fontMetrics().horizontalAdvance(' ');
    return WaveBetween(image, memo, index, left, right, isWave);
}

int ErrorWave(const QImage& image, const TColorMemo& memo, int32_t index, int32_t length) {
    return WavePixels(image, memo, index, length, IsErrorWave);
}

int WarningWave(const QImage& image, const TColorMemo& memo, int32_t index, int32_t length) {
    return WavePixels(image, memo, index, length, IsWarningWave);
}

} // namespace

class TestColorMemoMarks : public QObject {
    Q_OBJECT

private slots:
    void marked_line_is_tinted_under_the_coloured_text();
    void marked_characters_get_a_wave();
    void mark_at_a_line_end_underlines_a_blank();
    void warnings_have_colours_of_their_own();
    void set_marks_keeps_them_inside_the_text();
    void mark_follows_edits_above_it_data();
    void mark_follows_edits_above_it();
    void mark_goes_when_its_line_is_edited_data();
    void mark_goes_when_its_line_is_edited();
    void clear_and_set_text_take_all_marks();
    void tool_tip_offers_the_marks_of_the_line();
};

void TestColorMemoMarks::marked_line_is_tinted_under_the_coloured_text() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Sample));
    memo.SetSelStart(memo.TextLength()); // the caret out of the way
    const QColor base = memorig::Background(memo);
    memo.SetMarks({Error(At("count"), 5)});
    memorig::Settle();
    const QImage image = memorig::Grab(memo);
    const QColor tint = LineBackground(image, memo, 1);
    QVERIFY(tint != base);
    QVERIFY(tint.red() > 240 && tint.green() < 240 && tint.green() > 180);
    QCOMPARE(std::abs(tint.green() - tint.blue()) < 10, true); // a light red
    for (int line : {0, 2, 6})
        QCOMPARE(LineBackground(image, memo, line), base);
    // the keyword on the tinted line keeps its colour, on the tint, not on white
    const QRect keyword = memorig::TextRect(memo, At("int count"), 3);
    QVERIFY(memorig::InkIn(image, keyword, tint).Blue > 20);
    int white = 0;
    for (int y = keyword.top(); y <= keyword.bottom(); ++y)
        for (int x = keyword.left(); x <= keyword.right(); ++x)
            white += image.pixelColor(x, y) == base;
    QCOMPARE(white, 0);
    // plain text shows through the tint too
    QVERIFY(memorig::InkIn(image, memorig::TextRect(memo, At("count"), 5), tint).Black > 20);
    // the same keyword on an unmarked line stands on white
    const QRect plain = memorig::TextRect(memo, At("int other"), 3);
    QVERIFY(memorig::InkIn(image, plain, base).Blue > 20);
}

void TestColorMemoMarks::marked_characters_get_a_wave() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Sample));
    memo.SetSelStart(memo.TextLength());
    const int32_t mark = At("count + 1"); // the second count of line 3
    memo.SetMarks({Error(mark, 5)});
    memorig::Settle();
    const QImage image = memorig::Grab(memo);
    const int width = memo.PosFromChar(mark + 5).x() - memo.PosFromChar(mark).x();
    QVERIFY2(ErrorWave(image, memo, mark, 5) > width / 2,
             qPrintable(QString::number(ErrorWave(image, memo, mark, 5))));
    // not under the neighbours
    QCOMPARE(ErrorWave(image, memo, At("count = count"), 5), 0);
    QCOMPARE(ErrorWave(image, memo, mark + 6, 3), 0);
    QCOMPARE(ErrorWave(image, memo, memo.LineIndex(2), 12), 0);
}

void TestColorMemoMarks::mark_at_a_line_end_underlines_a_blank() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Sample));
    memo.SetSelStart(0);
    const int32_t end = memo.LineIndex(1) + memo.LineLength(memo.LineIndex(1));
    // on the CR of the break, and on its LF: both at the line's end
    for (int32_t index : {end, end + 1}) {
        memo.SetMarks({Error(index)});
        memorig::Settle();
        const QImage image = memorig::Grab(memo);
        QVERIFY(ErrorWave(image, memo, end, 0) > 3);
        const int blank = memo.fontMetrics().horizontalAdvance(' ');
        QCOMPARE(ErrorWave(image, memo, end - 1, 1), 0);
        const int past = memo.PosFromChar(end).x() + blank;
        QCOMPARE(WaveBetween(image, memo, end, past, past + 3 * blank, IsErrorWave), 0);
        QCOMPARE(memo.Marks().front().Index, index);
    }
}

void TestColorMemoMarks::warnings_have_colours_of_their_own() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Sample));
    memo.SetSelStart(memo.TextLength());
    const int32_t error = At("count");
    const int32_t warning = At("other");
    // a warning and an error on one line: the line counts as an error line
    memo.SetMarks(
        {Error(error, 5), Warning(warning, 5), Warning(At("run"), 3), Error(At("run") + 6)});
    memorig::Settle();
    const QImage image = memorig::Grab(memo);
    const QColor errorTint = LineBackground(image, memo, 1);
    const QColor warningTint = LineBackground(image, memo, 5);
    QVERIFY(warningTint != errorTint);
    QVERIFY(warningTint != memorig::Background(memo));
    QVERIFY(warningTint.blue() < warningTint.green() - 20); // light yellow
    QCOMPARE(LineBackground(image, memo, 2), errorTint);
    QVERIFY(WarningWave(image, memo, warning, 5) > 10);
    QCOMPARE(ErrorWave(image, memo, warning, 5), 0);
    QVERIFY(ErrorWave(image, memo, error, 5) > 10);
    QCOMPARE(WarningWave(image, memo, error, 5), 0);
    // on the mixed line each mark keeps its own wave
    QVERIFY(WarningWave(image, memo, At("run"), 3) > 5);
    QCOMPARE(ErrorWave(image, memo, At("run"), 3), 0);
}

void TestColorMemoMarks::set_marks_keeps_them_inside_the_text() {
    TColorMemo memo;
    memo.SetText(Sample);
    memo.SetMarks({Error(-5, 0), Error(memo.TextLength() + 10, -3), Warning(At("int"), 3)});
    const std::vector<TMark>& marks = memo.Marks();
    QCOMPARE(marks.size(), size_t(3));
    QCOMPARE(marks[0].Index, 0);
    QCOMPARE(marks[0].Length, 1);
    QCOMPARE(marks[1].Index, memo.TextLength());
    QCOMPARE(marks[1].Length, 1);
    QCOMPARE(marks[2].Index, At("int"));
    QCOMPARE(marks[2].Length, 3);
    QVERIFY(marks[2].Warning);
}

namespace {

enum class TEdit {
    EnterAboveEnd,
    TypeOnFirstLine,
    PasteTwoLinesAbove,
    EnterAtMarkLineStart,
    DeleteLineAbove,
    TypeBelow,
    TypeLeftOnLineAbove,
};

// Does an edit in the sample as the user would; returns how far the mark on line 3 moves.
int32_t DoEdit(TColorMemo& memo, TEdit edit) {
    switch (edit) {
    case TEdit::EnterAboveEnd:
        memo.SetSelStart(memo.LineIndex(3) - 2);
        QTest::keyClick(&memo, Qt::Key_Return);
        return 2;
    case TEdit::TypeOnFirstLine:
        memo.SetSelStart(0);
        QTest::keyClicks(&memo, QStringLiteral("ab"));
        return 2;
    case TEdit::PasteTwoLinesAbove:
        memo.SetSelStart(memo.LineIndex(2));
        memo.ReplaceSelection(QStringLiteral("int a;\r\nint b;\r\n"));
        return 16;
    case TEdit::EnterAtMarkLineStart:
        memo.SetSelStart(memo.LineIndex(3));
        QTest::keyClick(&memo, Qt::Key_Return);
        return 2;
    case TEdit::DeleteLineAbove: {
        const int32_t line = memo.LineIndex(1);
        const int32_t length = memo.LineIndex(2) - line;
        memo.SetSelection(line, length);
        QTest::keyClick(&memo, Qt::Key_Delete);
        return -length;
    }
    case TEdit::TypeBelow:
        memo.SetSelStart(memo.LineIndex(5) + 2);
        QTest::keyClicks(&memo, QStringLiteral("xy"));
        QTest::keyClick(&memo, Qt::Key_Return);
        return 0;
    case TEdit::TypeLeftOnLineAbove:
        memo.SetSelStart(memo.LineIndex(2));
        QTest::keyClick(&memo, Qt::Key_Delete);
        return -1;
    }
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(TEdit)

void TestColorMemoMarks::mark_follows_edits_above_it_data() {
    QTest::addColumn<TEdit>("edit");
    QTest::addColumn<int>("lines"); // lines the marked line moves
    QTest::newRow("enter at the end of the line above") << TEdit::EnterAboveEnd << 1;
    QTest::newRow("typing on the first line") << TEdit::TypeOnFirstLine << 0;
    QTest::newRow("two lines put in above") << TEdit::PasteTwoLinesAbove << 2;
    QTest::newRow("enter at the start of the marked line") << TEdit::EnterAtMarkLineStart << 1;
    QTest::newRow("a line above deleted") << TEdit::DeleteLineAbove << -1;
    QTest::newRow("typing below") << TEdit::TypeBelow << 0;
    QTest::newRow("a character deleted above") << TEdit::TypeLeftOnLineAbove << 0;
}

void TestColorMemoMarks::mark_follows_edits_above_it() {
    QFETCH(TEdit, edit);
    QFETCH(int, lines);
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Sample));
    const int32_t index = At("count + 1");
    memo.SetMarks({Error(index, 5, QStringLiteral("cannot find symbol"))});
    QSignalSpy changed(&memo, &TColorMemo::MarksChanged);
    const int32_t shift = DoEdit(memo, edit);
    QCOMPARE(memo.Marks().size(), size_t(1));
    const TMark& mark = memo.Marks().front();
    QCOMPARE(mark.Index, index + shift);
    QCOMPARE(memo.LineFromChar(mark.Index), 3 + lines);
    QCOMPARE(memo.Text().mid(mark.Index, 5), QStringLiteral("count"));
    QCOMPARE(mark.Length, 5);
    QCOMPARE(mark.ToolTip, QStringLiteral("cannot find symbol"));
    QCOMPARE(changed.count(), 0);
    // the picture moves along
    memo.SetSelStart(memo.TextLength());
    memorig::Settle();
    const QImage image = memorig::Grab(memo);
    const QColor base = memorig::Background(memo);
    QVERIFY(LineBackground(image, memo, 3 + lines) != base);
    if (lines != 0)
        QCOMPARE(LineBackground(image, memo, 3), base);
    QVERIFY(ErrorWave(image, memo, mark.Index, 5) > 10);
    QCOMPARE(memo.MarksToolTip(3 + lines), QStringLiteral("cannot find symbol"));
}

namespace {

enum class TLineEdit {
    TypeInside,
    TypeAtEnd,
    JoinWithAbove,
    JoinWithBelow,
    SelectionInto,
    AllDeleted
};

void DoLineEdit(TColorMemo& memo, TLineEdit edit) {
    const int32_t start = memo.LineIndex(3);
    const int32_t end = start + memo.LineLength(start);
    switch (edit) {
    case TLineEdit::TypeInside:
        memo.SetSelStart(start + 10);
        QTest::keyClick(&memo, Qt::Key_X);
        break;
    case TLineEdit::TypeAtEnd:
        memo.SetSelStart(end);
        QTest::keyClick(&memo, Qt::Key_Space);
        break;
    case TLineEdit::JoinWithAbove:
        memo.SetSelStart(start);
        QTest::keyClick(&memo, Qt::Key_Backspace);
        break;
    case TLineEdit::JoinWithBelow:
        memo.SetSelStart(end);
        QTest::keyClick(&memo, Qt::Key_Delete);
        break;
    case TLineEdit::SelectionInto:
        memo.SetSelection(memo.LineIndex(2) + 4, start + 3 - memo.LineIndex(2) - 4);
        memo.ReplaceSelection(QStringLiteral("z"));
        break;
    case TLineEdit::AllDeleted:
        memo.selectAll();
        QTest::keyClick(&memo, Qt::Key_Delete);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(TLineEdit)

void TestColorMemoMarks::mark_goes_when_its_line_is_edited_data() {
    QTest::addColumn<TLineEdit>("edit");
    QTest::addColumn<bool>("otherStays");
    QTest::newRow("typing inside") << TLineEdit::TypeInside << true;
    QTest::newRow("typing at its end") << TLineEdit::TypeAtEnd << true;
    QTest::newRow("joined with the line above") << TLineEdit::JoinWithAbove << true;
    QTest::newRow("joined with the line below") << TLineEdit::JoinWithBelow << true;
    QTest::newRow("a selection reaching into it replaced") << TLineEdit::SelectionInto << true;
    QTest::newRow("all the text deleted") << TLineEdit::AllDeleted << false;
}

void TestColorMemoMarks::mark_goes_when_its_line_is_edited() {
    QFETCH(TLineEdit, edit);
    QFETCH(bool, otherStays);
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Sample));
    const int32_t other = At("other");
    memo.SetMarks({Error(At("count + 1"), 5), Warning(other, 5, QStringLiteral("unused"))});
    QSignalSpy changed(&memo, &TColorMemo::MarksChanged);
    const int32_t lengthBefore = memo.TextLength();
    DoLineEdit(memo, edit);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(memo.Marks().size(), size_t(otherStays ? 1 : 0));
    if (otherStays) {
        const TMark& left = memo.Marks().front();
        QCOMPARE(left.ToolTip, QStringLiteral("unused"));
        QCOMPARE(left.Index, other + memo.TextLength() - lengthBefore);
        QCOMPARE(memo.Text().mid(left.Index, 5), QStringLiteral("other"));
    }
    memo.SetSelStart(0);
    memorig::Settle();
    const QImage image = memorig::Grab(memo);
    const QColor base = memorig::Background(memo);
    for (int line = 0; line < memo.LineCount(); ++line)
        if (line != memo.LineFromChar(other + memo.TextLength() - lengthBefore) || !otherStays)
            QCOMPARE(LineBackground(image, memo, line), base);
}

void TestColorMemoMarks::clear_and_set_text_take_all_marks() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Sample));
    QSignalSpy changed(&memo, &TColorMemo::MarksChanged);
    const std::vector<TMark> marks{Error(At("count"), 5), Warning(At("other"))};
    memo.SetMarks(marks);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(memo.Marks().size(), size_t(2));
    memorig::Settle();
    QVERIFY(LineBackground(memorig::Grab(memo), memo, 1) != memorig::Background(memo));
    memo.ClearMarks();
    QCOMPARE(changed.count(), 2);
    QVERIFY(memo.Marks().empty());
    memorig::Settle();
    QCOMPARE(LineBackground(memorig::Grab(memo), memo, 1), memorig::Background(memo));
    memo.ClearMarks(); // nothing left to clear: no change
    memo.SetMarks({});
    QCOMPARE(changed.count(), 2);

    memo.SetMarks(marks);
    memo.SetText(Sample);
    QCOMPARE(changed.count(), 4);
    QVERIFY(memo.Marks().empty());
    memo.SetMarks(marks);
    memo.SetText(QString());
    QCOMPARE(changed.count(), 6);
    QVERIFY(memo.Marks().empty());
}

void TestColorMemoMarks::tool_tip_offers_the_marks_of_the_line() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Sample));
    memo.SetMarks({Error(At("count"), 5, QStringLiteral("first")), Error(At("= 0")),
                   Warning(At("int"), 3, QStringLiteral("second")),
                   Warning(At("other"), 5, QStringLiteral("third"))});
    QCOMPARE(memo.MarksToolTip(1), QStringLiteral("first\nsecond"));
    QCOMPARE(memo.MarksToolTip(5), QStringLiteral("third"));
    QCOMPARE(memo.MarksToolTip(2), QString());
    // over the marked line, even right of its text
    const QPoint line1(memo.viewport()->width() - 20, memo.PosFromChar(memo.LineIndex(1)).y() + 4);
    QHelpEvent over(QEvent::ToolTip, line1, memo.viewport()->mapToGlobal(line1));
    QApplication::sendEvent(memo.viewport(), &over);
    QVERIFY(over.isAccepted());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("first\nsecond"));
    // an unmarked line offers none
    const QPoint line2(40, memo.PosFromChar(memo.LineIndex(2)).y() + 4);
    QHelpEvent plain(QEvent::ToolTip, line2, memo.viewport()->mapToGlobal(line2));
    QApplication::sendEvent(memo.viewport(), &plain);
    QVERIFY(!plain.isAccepted());
    QTRY_VERIFY(!QToolTip::isVisible());
}

QTEST_MAIN(TestColorMemoMarks)
#include "tst_colormemo_marks.moc"
