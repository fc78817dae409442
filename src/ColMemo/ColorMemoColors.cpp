// SPDX-License-Identifier: GPL-3.0-or-later
// TColorMemo's colouring: the triggers, the paint that draws the runs over the editor's text,
// the caret drawn on top of them, and the hot spots under the mouse.

#include "ColMemo/ColorMemo.h"
#include "ColMemo/ColorMemoGeometry.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cstdlib>

namespace {

// A layout that does not cache gives its shaping back at the end of every draw; a draw whose
// clip lies above its lines draws nothing.
void LetGoOfShaping(QTextLayout& layout, QPainter& painter) {
    layout.setCacheEnabled(false);
    const QRectF above(0, layout.position().y() - 1000, 1, 1);
    layout.draw(&painter, QPointF(), {}, above);
}

} // namespace

void TColorMemo::SetColorRules(const colmemo::TDrawRules& rules) {
    Rules.CopyFrom(rules);
    PaintColors(this, false);
}

void TColorMemo::SetColorLimMax(int32_t count) {
    Scanner.SetColorLimMax(count);
}

bool TColorMemo::ColouringActive() const {
    return isEnabled() && isVisible() && (Rules.Count() > 0 || HotSpotSettings.Active);
}

void TColorMemo::PaintColors(QObject* /*sender*/, bool caretLineOnly) {
    if (!ColouringActive())
        return;
    if (!caretLineOnly) {
        Pending = TPending::Full;
        CaretScanLine = -1;
        viewport()->update();
        return;
    }
    CaretLine(); // a caret-line paint reads the caret line, which the caret column then uses
    if (Pending == TPending::None)
        Pending = TPending::CaretLine;
    viewport()->update(CaretLineRect().toAlignedRect());
}

// The caret's line across the whole viewport, in viewport coordinates.
QRectF TColorMemo::CaretLineRect() const {
    const QTextBlock block = document()->findBlock(textCursor().selectionStart());
    const QRectF rect = blockBoundingGeometry(block).translated(contentOffset());
    return QRectF(0, rect.top(), viewport()->width(), rect.height());
}

// A paint inside the caret's line scans only that line (and the look-back) when a keystroke
// asked for it, and so does every later paint there until a full scan covers the line again:
// the parts of one line never disagree about its colours.
bool TColorMemo::CaretLineScanFor(const QRect& paintRect) {
    // The editor's own caret updates reach a pixel or two into the neighbouring lines.
    const QRectF band = CaretLineRect().adjusted(0, -2, 0, 2);
    const QRectF rect(paintRect);
    const int32_t caretLine = document()->findBlock(textCursor().selectionStart()).blockNumber();
    const bool inBand = rect.top() >= band.top() && rect.bottom() <= band.bottom();
    const bool caretOnly = inBand && (Pending == TPending::CaretLine ||
                                      (Pending == TPending::None && CaretScanLine == caretLine));
    if (caretOnly)
        CaretScanLine = caretLine;
    else if (rect.contains(band))
        CaretScanLine = -1;
    return caretOnly;
}

void TColorMemo::paintEvent(QPaintEvent* e) {
    // The editor throws a line's shaping away after laying it out and shapes it again on every
    // paint; on a long line that is a walk along all of it for each blink of the caret. Long
    // lines keep their shaping for good. While the colours are on, the visible lines keep it
    // too: the colours are drawn with the editor's glyphs and would otherwise shape every line
    // a second time.
    constexpr int LongLine = 2000;
    const bool colouring = ColouringActive();
    const qreal height = viewport()->height();
    QPointF origin = contentOffset();
    QTextBlock block = firstVisibleBlock();
    const int first = block.blockNumber();
    int last = first - 1;
    for (; block.isValid() && origin.y() < height; block = block.next(), ++last) {
        QTextLayout* layout = block.layout();
        if (!layout->cacheEnabled() && (colouring || block.length() > LongLine))
            layout->setCacheEnabled(true);
        origin.ry() += blockBoundingRect(block).height();
    }
    // The tint of marked lines lies under everything the editor and the colours draw.
    PaintedMarks = MarkSet.LinesIn(first, last);
    PaintMarkTints(PaintedMarks, e->rect());
    QPlainTextEdit::paintEvent(e);
    QPainter painter(viewport());
    if (colouring)
        PaintRuns(painter, e->rect(), CaretLineScanFor(e->rect()));
    PaintMarkWaves(painter, first, last, e->rect());
    KeepShaping(colouring ? first : 0, colouring ? last : -1, painter);
    Pending = TPending::None;
    if (CaretOn && hasFocus()) {
        DrawnCaretRect = CaretRect();
        painter.fillRect(DrawnCaretRect, palette().color(QPalette::Text));
    }
}

// Short lines that left the window give their shaping back: a scroll through the file would
// otherwise leave it with every line shown.
void TColorMemo::KeepShaping(int first, int last, QPainter& painter) {
    constexpr int LongLine = 2000;
    const int shift = std::abs(document()->blockCount() - Shaped.BlockCount);
    const int from = std::max(Shaped.First - shift, 0);
    const int to = Shaped.Last < Shaped.First ? -1 : Shaped.Last + shift;
    for (int line = from; line <= to; ++line) {
        if (line >= first && line <= last)
            continue;
        const QTextBlock block = document()->findBlockByNumber(line);
        if (block.isValid() && block.length() <= LongLine && block.layout()->cacheEnabled())
            LetGoOfShaping(*block.layout(), painter);
    }
    Shaped = {first, last, document()->blockCount()};
}

void TColorMemo::resizeEvent(QResizeEvent* e) {
    // The editor lays out every line of the document afresh whenever it gets wider, which on a
    // long file costs more than the rest of opening it. Unwrapped lines do not depend on the
    // width, so a widening is passed on as a change of height only. A narrowing still goes
    // through: it also trims the width the horizontal scroll bar allows for.
    if (lineWrapMode() == NoWrap && viewport()->width() >= LayoutWidth) {
        QResizeEvent sameWidth(e->size(), QSize(e->size().width(), e->oldSize().height()));
        QPlainTextEdit::resizeEvent(&sameWidth);
        PlaceGutter();
        return;
    }
    QPlainTextEdit::resizeEvent(e);
    LayoutWidth = viewport()->width();
    PlaceGutter();
}

void TColorMemo::PaintRuns(QPainter& painter, const QRect& paintRect, bool caretLineOnly) {
    TColorMemoGeometry& geometry = Geometry;
    geometry.SetWindow(firstVisibleBlock(), contentOffset(), viewport()->height());
    Scanner.OnDraw = OnDraw;
    Scanner.Scan(ScanInput(caretLineOnly), geometry);

    TColorMemoPainter::TStyle style{palette().color(QPalette::Base),
                                    palette().color(QPalette::Text),
                                    font(),
                                    HotSpotSettings.Underlined,
                                    {}};
    for (const TColorMemoMarks::TMarkedLine& marked : PaintedMarks)
        style.LineBackgrounds.emplace_back(marked.Line, TintOf(marked.Warning));
    TColorMemoPainter runs(painter, geometry, palette(), style);
    runs.DrawRuns(Scanner.KeyList(), Scanner.RunCount(), paintRect, OnDrawKey);
    PaintReport = {PaintReport.Count + 1, caretLineOnly, Scanner.ScanStart(), Scanner.ScanEnd()};
}

colmemo::TScanInput TColorMemo::ScanInput(bool caretLineOnly) {
    colmemo::TScanInput input;
    input.Rules = &Rules;
    input.HotSpot = HotSpotSettings;
    input.CaretLineOnly = caretLineOnly;
    input.FirstVisibleLine = FirstVisibleLine();
    input.SelStart = SelStart();
    input.SelLength = SelLength();
    input.CaretLine = Model.LineOf(input.SelStart);
    input.CaretLineStart = Model.LineStart(input.CaretLine);
    input.WantTabs = !tabChangesFocus();
    input.RedrawAlways = RedrawAlwaysOn;
    input.Color = colmemo::clWindow;
    input.FontColor = colmemo::ToTColor(palette().color(QPalette::Text));
    return input;
}

// ---- caret -----------------------------------------------------------------

QRect TColorMemo::CaretRect() const {
    const QRect rect = cursorRect();
    return QRect(rect.left(), rect.top(), 1, rect.height());
}

// Every paint of a line, even of the caret's rectangle alone, costs the editor a walk along
// all of the line; on a very long line the caret stays on instead of blinking, so an idle
// window costs nothing.
bool TColorMemo::OnLongLine() const {
    constexpr int SteadyCaretLine = 20000;
    return document()->findBlock(textCursor().position()).length() > SteadyCaretLine;
}

void TColorMemo::RestartBlink() {
    CaretOn = true;
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    SteadyCaret = OnLongLine();
    if (flashTime > 0 && !SteadyCaret)
        Blink.start(flashTime / 2, this);
    else
        Blink.stop();
}

void TColorMemo::CaretMoved() {
    SteadyCaret = OnLongLine();
    if (LineNumbersOn && textCursor().blockNumber() != GutterCaretLine) {
        UpdateGutterRow(GutterCaretLine);
        GutterCaretLine = textCursor().blockNumber();
        UpdateGutterRow(GutterCaretLine);
    }
    if (hasFocus())
        RestartBlink();
    viewport()->update(DrawnCaretRect);
    viewport()->update(CaretRect());
    // Leaving a line coloured by a caret-line scan recolours the window, so no part of that
    // line keeps colours a full scan would not give it.
    if (CaretScanLine >= 0 &&
        document()->findBlock(textCursor().selectionStart()).blockNumber() != CaretScanLine)
        PaintColors(this, false);
}

void TColorMemo::focusInEvent(QFocusEvent* e) {
    QPlainTextEdit::focusInEvent(e);
    RestartBlink();
    viewport()->update(CaretRect());
}

void TColorMemo::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    Blink.stop();
    CaretOn = false;
    viewport()->update(DrawnCaretRect);
}

void TColorMemo::timerEvent(QTimerEvent* e) {
    if (e->timerId() != Blink.timerId()) {
        QPlainTextEdit::timerEvent(e);
        return;
    }
    CaretOn = !CaretOn;
    viewport()->update(DrawnCaretRect);
    viewport()->update(CaretRect());
}

void TColorMemo::mouseDoubleClickEvent(QMouseEvent* e) {
    LastDoubleClick.start();
    QPlainTextEdit::mouseDoubleClickEvent(e);
}

bool TColorMemo::eventFilter(QObject* watched, QEvent* event) {
    // The editor below blinks a caret of its own, drawn zero wide, and each of its blinks
    // repaints the line as well: while the caret stays steady its timer is kept from it. The
    // control's only other timer ends the time for a triple click after a double click;
    // that one always gets through.
    if (watched == Control && event->type() == QEvent::Timer && SteadyCaret &&
        (!LastDoubleClick.isValid() ||
         LastDoubleClick.elapsed() > 2 * QGuiApplication::styleHints()->mouseDoubleClickInterval()))
        return true;
    return QPlainTextEdit::eventFilter(watched, event);
}

void TColorMemo::Scrolled(const std::function<void(TColorMemo*)>& event) {
    if (event)
        event(this);
    PaintColors(this, false);
}

// ---- hot spots -------------------------------------------------------------

// Over a hot spot when the next marker to the right on the same line is a closing one.
bool TColorMemo::HotSpotAt(const QPoint& pos, QString* text) const {
    const int32_t index = CharFromPos(pos);
    const int32_t line = Model.LineOf(index);
    const QString lineText = Model.LineText(line);
    const int32_t column = index - Model.LineStart(line);
    const QString rest = lineText.mid(column);
    const QChar begin(HotSpotSettings.BeginChar);
    const QChar end(HotSpotSettings.EndChar);
    const qsizetype e = rest.indexOf(end) + 1;
    const qsizetype b = rest.indexOf(begin) + 1;
    if (e == 0 || !(b == 0 || e < b || begin == end))
        return false;
    if (text) {
        QString left = lineText.left(column);
        left = left.mid(left.lastIndexOf(begin) + 1);
        *text = left + rest.left(e - 1);
    }
    return true;
}

void TColorMemo::TrackHotSpot(const QPoint& pos) {
    const Qt::CursorShape shape =
        HotSpotAt(pos, nullptr) ? Qt::PointingHandCursor : Qt::IBeamCursor;
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}
