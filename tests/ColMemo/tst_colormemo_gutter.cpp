// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoRig.h"

#include "ColMemo/ColorMemoGutter.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBlock>
#include <QWheelEvent>

namespace {

QString Lines(int count, const QString& pattern = QStringLiteral("int a%1 = 1;")) {
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << pattern.arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

QWidget* GutterOf(TColorMemo& memo) {
    return memo.findChild<QWidget*>(QStringLiteral("LineNumbers"));
}

int ExpectedWidth(const TColorMemo& memo, int lines) {
    return TColorMemoGutter::WidthFor(QFontMetricsF(memo.font()), TColorMemoGutter::Digits(lines));
}

// The ink of a rectangle: pixels darker than its lightest by more than a third of the way to
// its darkest, so grey numbers on the gutter and black text on white give the same shapes.
QImage InkMask(const QImage& image, const QRect& rect) {
    int lightest = 0;
    int darkest = 255;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const int l = image.pixelColor(x, y).lightness();
            lightest = std::max(lightest, l);
            darkest = std::min(darkest, l);
        }
    QImage mask(rect.size(), QImage::Format_Mono);
    mask.fill(0);
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (lightest - image.pixelColor(x, y).lightness() > (lightest - darkest) / 3)
                mask.setPixel(x - rect.left(), y - rect.top(), 1);
    return mask;
}

QRect InkBox(const QImage& mask) {
    QRect box;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.pixelIndex(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// How many pixels of a gutter row's ink differ from a text drawn in the editor's font, with
// the two inks lined up at their right and bottom edges, give or take a pixel, and the text
// started at a quarter pixel's steps (glyphs may be placed between pixels).
int Mismatch(const QImage& rowInk, const QString& text, const QFont& font) {
    const QRect rowBox = InkBox(rowInk);
    int best = std::numeric_limits<int>::max();
    for (int quarter = 0; quarter < 4; ++quarter) {
        QImage drawn(rowInk.width() + 40, rowInk.height() + 10, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        {
            QPainter painter(&drawn);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(4 + quarter / 4.0, QFontMetricsF(font).ascent() + 2), text);
        }
        const QImage textInk = InkMask(drawn, drawn.rect());
        const QRect textBox = InkBox(textInk);
        if (rowBox.isEmpty() || textBox.isEmpty())
            continue;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint shift(rowBox.right() - textBox.right() + dx,
                                   rowBox.bottom() - textBox.bottom() + dy);
                int differ = 0;
                for (int y = 0; y < rowInk.height(); ++y)
                    for (int x = 0; x < rowInk.width(); ++x) {
                        const QPoint at = QPoint(x, y) - shift;
                        const bool inText = textInk.rect().contains(at) && textInk.pixelIndex(at);
                        differ += inText != bool(rowInk.pixelIndex(x, y));
                    }
                best = std::min(best, differ);
            }
    }
    return best;
}

// The gutter's row of a line, in the gutter's pixels.
QRect GutterRow(TColorMemo& memo, int line) {
    const QRect caret = memo.cursorRect(QTextCursor(memo.document()->findBlockByNumber(line)));
    return QRect(0, caret.top(), GutterOf(memo)->width() - 1, caret.height());
}

// What the screen shows of a widget: its last paints, not a fresh rendering as grab() makes.
QImage Shown(QWidget* widget) {
    QWidget* window = widget->window();
    const QRect rect(widget->mapTo(window, QPoint(0, 0)), widget->size());
    const QPixmap screen = window->screen()->grabWindow(window->winId());
    return screen.toImage().copy(rect);
}

// A click where the user would make it: the window finds the widget under the point.
void ClickAt(TColorMemo& memo, const QPoint& inEditor) {
    QTest::mouseClick(memo.windowHandle(), Qt::LeftButton, {}, inEditor);
    // apart from the last click, so no two make a double click
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 10);
}

int DarkestIn(const QImage& image, const QRect& rect) {
    int darkest = 255;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            darkest = std::min(darkest, image.pixelColor(x, y).lightness());
    return darkest;
}

} // namespace

class TestColorMemoGutter : public QObject {
    Q_OBJECT

private slots:
    void digits_follow_the_line_count_data();
    void digits_follow_the_line_count();
    void width_grows_with_the_digits();
    void gutter_width_follows_the_text_and_the_font();
    void last_line_number_is_painted();
    void caret_line_number_stands_out();
    void click_hits_the_same_character_with_and_without_numbers();
    void mouse_selection_is_the_same_with_and_without_numbers();
    void caret_and_text_survive_toggling();
    void text_pixels_are_only_moved_by_the_gutter();
    void numbers_stay_while_the_text_scrolls_sideways();
    void wheel_over_the_numbers_scrolls_the_text();
    void typing_in_a_line_leaves_the_numbers_unpainted();
    void new_last_line_gets_its_number();
};

void TestColorMemoGutter::digits_follow_the_line_count_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("digits");
    QTest::newRow("empty text") << 0 << 2;
    QTest::newRow("one line") << 1 << 2;
    QTest::newRow("99") << 99 << 2;
    QTest::newRow("100") << 100 << 3;
    QTest::newRow("9,999") << 9999 << 4;
    QTest::newRow("10,000") << 10000 << 5;
    QTest::newRow("200,000") << 200000 << 6;
    QTest::newRow("largest") << std::numeric_limits<int32_t>::max() << 10;
}

void TestColorMemoGutter::digits_follow_the_line_count() {
    QFETCH(int, lines);
    QFETCH(int, digits);
    QCOMPARE(TColorMemoGutter::Digits(lines), digits);
}

void TestColorMemoGutter::width_grows_with_the_digits() {
    const QFontMetricsF metrics(memorig::EditorFont());
    const qreal digit = metrics.horizontalAdvance(QLatin1Char('0'));
    for (int digits = 2; digits <= 7; ++digits) {
        const int width = TColorMemoGutter::WidthFor(metrics, digits);
        // room for the digits, and a padding of less than three digits
        QVERIFY(width >= digits * digit + 2);
        QVERIFY(width <= (digits + 3) * digit);
        const int step = TColorMemoGutter::WidthFor(metrics, digits + 1) - width;
        QVERIFY(step >= qFloor(digit) && step <= qCeil(digit));
    }
}

void TestColorMemoGutter::gutter_width_follows_the_text_and_the_font() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Lines(1)));
    QCOMPARE(memo.GutterWidth(), 0);
    QVERIFY(!memo.LineNumbers());
    const int textLeft = memo.viewport()->geometry().left();
    memo.SetLineNumbers(true);
    QVERIFY(memo.LineNumbers());
    int before = memo.GutterWidth();
    QCOMPARE(before, ExpectedWidth(memo, 1));
    // the text starts right of the gutter, which stands just left of it
    QCOMPARE(memo.viewport()->geometry().left(), textLeft + before);
    QCOMPARE(GutterOf(memo)->geometry().right() + 1, memo.viewport()->geometry().left());
    QCOMPARE(GutterOf(memo)->height(), memo.viewport()->height());
    for (int lines : {9999, 200000}) {
        memo.SetText(Lines(lines));
        QVERIFY(memo.GutterWidth() > before);
        QCOMPARE(memo.GutterWidth(), ExpectedWidth(memo, lines));
        QCOMPARE(memo.viewport()->geometry().left(), textLeft + memo.GutterWidth());
        before = memo.GutterWidth();
    }
    // typing the hundredth line widens it, taking it back narrows it again
    memo.SetText(Lines(99));
    const int twoDigits = memo.GutterWidth();
    memo.SetSelStart(memo.TextLength());
    QTest::keyClick(&memo, Qt::Key_Return);
    QCOMPARE(memo.GutterWidth(), ExpectedWidth(memo, 100));
    QVERIFY(memo.GutterWidth() > twoDigits);
    QTest::keyClick(&memo, Qt::Key_Backspace);
    QCOMPARE(memo.GutterWidth(), twoDigits);
    // a larger font, a wider gutter
    QFont font = memo.font();
    font.setPixelSize(font.pixelSize() * 2);
    memo.setFont(font);
    QCOMPARE(memo.GutterWidth(), ExpectedWidth(memo, 99));
    QVERIFY(memo.GutterWidth() > twoDigits);
    memo.SetLineNumbers(false);
    QCOMPARE(memo.GutterWidth(), 0);
    QVERIFY(!GutterOf(memo)->isVisible());
    QCOMPARE(memo.viewport()->geometry().left(), textLeft);
}

void TestColorMemoGutter::last_line_number_is_painted() {
    TColorMemo memo;
    memo.SetLineNumbers(true);
    QVERIFY(memorig::Show(memo, Lines(200000)));
    memo.SetCaretLine(199990); // the caret away from the last line: its number is plain
    memo.verticalScrollBar()->setValue(memo.verticalScrollBar()->maximum());
    memorig::Settle();
    const QImage gutter = GutterOf(memo)->grab().toImage();
    const QRect row = GutterRow(memo, 199999);
    QVERIFY(row.bottom() < gutter.height());
    const QImage ink = InkMask(gutter, row);
    const int right = Mismatch(ink, QStringLiteral("200000"), memo.font());
    for (const QString& other : {QStringLiteral("199999"), QStringLiteral("200001"),
                                 QStringLiteral("20000"), QStringLiteral("199998")})
        QVERIFY2(Mismatch(ink, other, memo.font()) > right + 10,
                 qPrintable(QStringLiteral("%1: %2 against %3")
                                .arg(other)
                                .arg(Mismatch(ink, other, memo.font()))
                                .arg(right)));
    QVERIFY2(right < InkBox(ink).width() / 2, qPrintable(QString::number(right)));
    // flush right, a little way from the text
    const int gap = GutterOf(memo)->width() - 1 - InkBox(ink).right();
    QVERIFY(gap >= 2);
    QVERIFY(gap <= QFontMetricsF(memo.font()).horizontalAdvance(QLatin1Char('0')) * 2);
}

void TestColorMemoGutter::caret_line_number_stands_out() {
    TColorMemo memo;
    memo.SetLineNumbers(true);
    QVERIFY(memorig::Show(memo, Lines(20)));
    memo.SetCaretLine(3);
    memorig::Settle();
    QImage gutter = Shown(GutterOf(memo));
    // "4" on the caret's line against "6", both one glyph and neither bold
    const int caret = DarkestIn(gutter, GutterRow(memo, 3));
    const int other = DarkestIn(gutter, GutterRow(memo, 5));
    QVERIFY2(caret + 40 < other, qPrintable(QStringLiteral("%1 %2").arg(caret).arg(other)));
    QVERIFY(other < 200); // muted, but there
    QTest::keyClick(&memo, Qt::Key_Down);
    QTest::keyClick(&memo, Qt::Key_Down);
    memorig::Settle();
    gutter = Shown(GutterOf(memo));
    QVERIFY(DarkestIn(gutter, GutterRow(memo, 5)) + 40 < DarkestIn(gutter, GutterRow(memo, 3)));
}

void TestColorMemoGutter::click_hits_the_same_character_with_and_without_numbers() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Lines(30)));
    const int32_t index = memo.LineIndex(4) + 1;
    // the character's left half, in the editor's own coordinates
    const QPoint inViewport = memo.PosFromChar(index) + QPoint(2, 4);
    const QPoint inEditor = memo.viewport()->mapTo(&memo, inViewport);
    ClickAt(memo, inEditor);
    QCOMPARE(memo.SelStart(), index);
    memo.SetSelStart(0);
    memo.SetLineNumbers(true);
    memorig::Settle();
    // the text moved right by the gutter, its viewport positions did not
    QCOMPARE(memo.PosFromChar(index) + QPoint(2, 4), inViewport);
    QCOMPARE(memo.viewport()->mapTo(&memo, inViewport), inEditor + QPoint(memo.GutterWidth(), 0));
    QCOMPARE(memo.CharFromPos(inViewport), index);
    ClickAt(memo, inEditor + QPoint(memo.GutterWidth(), 0));
    QCOMPARE(memo.SelStart(), index);
    QCOMPARE(memo.CaretCol(), 1);
    QCOMPARE(memo.CaretLine(), 4);
    // the old place is now the gutter's, which leaves the caret alone
    ClickAt(memo, inEditor);
    QCOMPARE(memo.SelStart(), index);
}

void TestColorMemoGutter::mouse_selection_is_the_same_with_and_without_numbers() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Lines(30)));
    const int32_t from = memo.LineIndex(2) + 1;
    const int32_t to = memo.LineIndex(5) + 4;
    QWindow* window = memo.windowHandle();
    for (bool numbers : {false, true}) {
        memo.SetLineNumbers(numbers);
        memo.SetSelStart(0);
        memorig::Settle();
        const auto at = [&](int32_t index) {
            return memo.viewport()->mapTo(&memo, memo.PosFromChar(index) + QPoint(1, 4));
        };
        QTest::mousePress(window, Qt::LeftButton, {}, at(from));
        QTest::mouseMove(window, at(to));
        QTest::mouseRelease(window, Qt::LeftButton, {}, at(to));
        QCOMPARE(memo.SelStart(), from);
        QCOMPARE(memo.SelLength(), to - from);
    }
}

void TestColorMemoGutter::caret_and_text_survive_toggling() {
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, Lines(300)));
    memo.verticalScrollBar()->setValue(100);
    memo.SetCaretLine(120);
    memo.SetCaretCol(5);
    memo.SetSelLength(7);
    const QString text = memo.Text();
    const int32_t start = memo.SelStart();
    const int first = memo.FirstVisibleLine();
    for (bool numbers : {true, false, true}) {
        memo.SetLineNumbers(numbers);
        memorig::Settle();
        QCOMPARE(memo.SelStart(), start);
        QCOMPARE(memo.SelLength(), 7);
        QCOMPARE(memo.CaretLine(), 120);
        QCOMPARE(memo.CaretCol(), 5);
        QCOMPARE(memo.FirstVisibleLine(), first);
        QCOMPARE(memo.Text(), text);
        QVERIFY(!memo.Modified());
    }
}

void TestColorMemoGutter::text_pixels_are_only_moved_by_the_gutter() {
    const QString text = QStringLiteral("public class A {\r\n  // note\r\n  int x = 1;\r\n}");
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, text));
    memo.clearFocus(); // no caret in either picture
    memorig::Settle();
    const QImage plain = memorig::Grab(memo);
    memo.SetLineNumbers(true);
    memorig::Settle();
    const QImage numbered = memorig::Grab(memo);
    QCOMPARE(numbered.width(), plain.width() - memo.GutterWidth());
    QCOMPARE(numbered, plain.copy(0, 0, numbered.width(), numbered.height()));
    // and there is colour in it to compare
    QVERIFY(
        memorig::InkIn(numbered, memorig::TextRect(memo, 0, 6), memorig::Background(memo)).Blue >
        20);
}

void TestColorMemoGutter::numbers_stay_while_the_text_scrolls_sideways() {
    const QString longLine = QStringLiteral("int far = 1; ") + QString(400, QLatin1Char('x'));
    TColorMemo memo;
    QVERIFY(memorig::Show(memo, longLine + QStringLiteral("\r\n") + Lines(10), QSize(400, 300)));
    const int rangeWithout = memo.horizontalScrollBar()->maximum();
    memo.SetLineNumbers(true);
    memorig::Settle();
    // the text has the gutter's width less to show itself in
    QCOMPARE(memo.horizontalScrollBar()->maximum(), rangeWithout + memo.GutterWidth());
    const QRect gutterPlace = GutterOf(memo)->geometry();
    const QImage before = GutterOf(memo)->grab().toImage();
    memo.horizontalScrollBar()->setValue(memo.horizontalScrollBar()->maximum() / 2);
    memorig::Settle();
    QVERIFY(memo.horizontalScrollBar()->value() > 0);
    QCOMPARE(GutterOf(memo)->geometry(), gutterPlace);
    QCOMPARE(GutterOf(memo)->grab().toImage(), before);
    // the points of the scrolled text still name their characters
    const int32_t index = memo.CharFromPos(QPoint(memo.viewport()->width() / 2, 4));
    QVERIFY(index > 100);
    const QPoint at = memo.PosFromChar(index);
    QVERIFY(std::abs(at.x() - memo.viewport()->width() / 2) < memo.fontMetrics().height());
    ClickAt(memo, memo.viewport()->mapTo(&memo, at + QPoint(2, 4)));
    QCOMPARE(memo.SelStart(), index);
}

void TestColorMemoGutter::wheel_over_the_numbers_scrolls_the_text() {
    TColorMemo memo;
    memo.SetLineNumbers(true);
    QVERIFY(memorig::Show(memo, Lines(300)));
    QWidget* gutter = GutterOf(memo);
    const QPointF at(gutter->width() / 2, gutter->height() / 2);
    QWheelEvent down(at, gutter->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(gutter, &down);
    QVERIFY(memo.FirstVisibleLine() > 0);
}

namespace {

// Counts the paints a widget gets, and the rows they cover.
class TPaintCounter : public QObject {
public:
    int Paints = 0;
    QRect Covered;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++Paints;
            Covered |= static_cast<QPaintEvent*>(event)->rect();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void TestColorMemoGutter::typing_in_a_line_leaves_the_numbers_unpainted() {
    TColorMemo memo;
    memo.SetLineNumbers(true);
    QVERIFY(memorig::Show(memo, Lines(300)));
    memo.SetCaretLine(5);
    memorig::Settle();
    TPaintCounter counter;
    GutterOf(memo)->installEventFilter(&counter);
    QTest::keyClicks(&memo, QStringLiteral("abc"));
    QTest::keyClick(&memo, Qt::Key_Backspace);
    memorig::Settle();
    QCOMPARE(counter.Paints, 0);
    // the caret to another line: the two rows whose emphasis changes, not the whole gutter
    QTest::keyClick(&memo, Qt::Key_Down);
    memorig::Settle();
    QVERIFY(counter.Paints > 0);
    QVERIFY(counter.Covered.intersects(GutterRow(memo, 5)));
    QVERIFY(counter.Covered.intersects(GutterRow(memo, 6)));
    QVERIFY(!counter.Covered.intersects(GutterRow(memo, 12)));
    QVERIFY(!counter.Covered.intersects(GutterRow(memo, 1)));
}

void TestColorMemoGutter::new_last_line_gets_its_number() {
    TColorMemo memo;
    memo.SetLineNumbers(true);
    QVERIFY(memorig::Show(memo, Lines(5)));
    memo.SetCaretLine(2);
    memorig::Settle();
    // the row below the last line, before there is a line 5
    const QRect last = GutterRow(memo, 4);
    const QRect below = last.translated(0, last.height());
    const auto inkOfRow = [&memo, &last, &below](int line) {
        const QImage shown = Shown(GutterOf(memo));
        return InkBox(InkMask(shown, line == 5 ? below : last));
    };
    QVERIFY(inkOfRow(5).isEmpty());
    QVERIFY(!inkOfRow(4).isEmpty());
    QTest::keyClick(&memo, Qt::Key_Return);
    memorig::Settle();
    QVERIFY(!inkOfRow(5).isEmpty());
    QTest::keyClick(&memo, Qt::Key_Backspace);
    memorig::Settle();
    QVERIFY(inkOfRow(5).isEmpty());
}

QTEST_MAIN(TestColorMemoGutter)
#include "tst_colormemo_gutter.moc"
