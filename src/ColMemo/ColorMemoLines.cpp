// SPDX-License-Identifier: GPL-3.0-or-later
// TColorMemo's line numbers and marks: the gutter beside the viewport, the tint of marked lines
// under the text, the waves under marked characters, the marks' tool tips and how edits move
// the marks.

#include "ColMemo/ColorMemo.h"
#include "ColMemo/ColorMemoGutter.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>

namespace {

const QColor ErrorTint(0xff, 0xe4, 0xe4);
const QColor WarningTint(0xff, 0xf3, 0xcc);
const QColor ErrorWave(0xd8, 0x1b, 0x1b);
const QColor WarningWave(0xe0, 0x8a, 0x00);

// A zigzag along the bottom of a rectangle, one rise or fall per its height. The pen's half
// width stays inside, off the neighbouring characters.
void DrawWave(QPainter& painter, QRectF rect, const QColor& color) {
    rect.adjust(0.5, 0, -0.5, 0);
    const qreal step = std::max<qreal>(rect.height(), 2);
    QPainterPath path(QPointF(rect.left(), rect.bottom()));
    bool up = true;
    for (qreal x = rect.left() + step; x < rect.right() + step; x += step, up = !up)
        path.lineTo(std::min(x, rect.right()), up ? rect.top() : rect.bottom());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

} // namespace

// ---- line numbers ----------------------------------------------------------

void TColorMemo::SetLineNumbers(bool on) {
    if (on == LineNumbersOn)
        return;
    LineNumbersOn = on;
    GutterDigits = 0;
    if (!on) {
        GutterPixels = 0;
        Gutter->hide();
        setViewportMargins(0, 0, 0, 0);
        return;
    }
    if (!Gutter)
        Gutter = new TColorMemoGutter(this);
    GutterCaretLine = textCursor().blockNumber();
    UpdateGutterWidth();
    Gutter->show();
}

// The width follows the digits of the line count: the viewport, and with it the layout of the
// text, changes only when they do.
void TColorMemo::UpdateGutterWidth() {
    if (!LineNumbersOn)
        return;
    const int digits = TColorMemoGutter::Digits(document()->blockCount());
    if (digits == GutterDigits)
        return;
    GutterDigits = digits;
    GutterPixels = TColorMemoGutter::WidthFor(QFontMetricsF(font()), digits);
    setViewportMargins(GutterPixels, 0, 0, 0);
    PlaceGutter();
    Gutter->update();
}

void TColorMemo::PlaceGutter() {
    if (!Gutter)
        return;
    const QRect text = viewport()->geometry();
    Gutter->setGeometry(text.left() - GutterPixels, text.top(), GutterPixels, text.height());
}

// The editor's own requests to repaint the viewport. The numbers scroll along with the text,
// and a repaint of all of it (as when lines come or go) repaints all of them; a line's own
// repaint (a keystroke, the caret) changes no number and leaves the gutter alone.
void TColorMemo::GutterRequest(const QRect& rect, int dy) {
    if (!LineNumbersOn)
        return;
    if (dy != 0)
        Gutter->scroll(0, dy);
    else if (rect.contains(viewport()->rect()))
        Gutter->update();
}

void TColorMemo::UpdateGutterRow(int line) {
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    const QRectF row = blockBoundingGeometry(block).translated(contentOffset());
    Gutter->update(QRectF(0, row.top(), Gutter->width(), row.height()).toAlignedRect());
}

void TColorMemo::changeEvent(QEvent* e) {
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange && LineNumbersOn) {
        GutterDigits = 0;
        UpdateGutterWidth();
    }
}

// Numbers of the visible lines only that meet the rectangle; the gutter's rows are the
// viewport's.
void TColorMemo::PaintGutter(const TColorMemoGutter& gutter, QPainter& painter,
                             const QRect& rect) const {
    const int caretLine = textCursor().blockNumber();
    const qreal bottom = std::min(rect.bottom() + 1, viewport()->height());
    QTextBlock block = firstVisibleBlock();
    int number = block.blockNumber() + 1;
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    std::vector<TColorMemoGutter::TRow> rows;
    for (; block.isValid() && top < bottom; block = block.next(), ++number) {
        const qreal height = blockBoundingRect(block).height();
        const QTextLayout* layout = block.layout();
        if (top + height > rect.top() && layout && layout->lineCount() > 0) {
            const QTextLine line = layout->lineAt(0);
            rows.push_back({number, top + line.y() + line.ascent(), number - 1 == caretLine});
        }
        top += height;
    }
    gutter.DrawNumbers(painter, rows);
}

// ---- marks -----------------------------------------------------------------

void TColorMemo::SetMarks(std::vector<TMark> marks) {
    const bool had = !MarkSet.Empty();
    MarkSet.Set(std::move(marks));
    viewport()->update();
    if (had || !MarkSet.Empty())
        emit MarksChanged();
}

void TColorMemo::ClearMarks() {
    if (!MarkSet.Clear())
        return;
    viewport()->update();
    emit MarksChanged();
}

void TColorMemo::MarksEdited(int pos, int removed, int added) {
    if (MarkSet.Empty() || !MarkSet.Edit(pos, removed, added))
        return;
    viewport()->update();
    emit MarksChanged();
}

QColor TColorMemo::TintOf(bool warning) {
    return warning ? WarningTint : ErrorTint;
}

QRectF TColorMemo::LineBand(const QTextBlock& block) const {
    const QRectF rect = blockBoundingGeometry(block).translated(contentOffset());
    return QRectF(0, rect.top(), viewport()->width(), rect.height());
}

void TColorMemo::PaintMarkTints(const std::vector<TColorMemoMarks::TMarkedLine>& lines,
                                const QRect& clip) {
    if (lines.empty())
        return;
    QPainter painter(viewport());
    for (const TColorMemoMarks::TMarkedLine& line : lines) {
        const QRectF band = LineBand(document()->findBlockByNumber(line.Line));
        if (band.intersects(clip))
            painter.fillRect(band, TintOf(line.Warning));
    }
}

// A wave under the marked characters of the line, or under a blank's width where the mark
// stands at the line's end.
void TColorMemo::PaintMarkWaves(QPainter& painter, int32_t first, int32_t last,
                                const QRect& clip) const {
    const std::vector<TMark>& marks = MarkSet.Marks();
    const QFontMetricsF metrics(font());
    for (size_t i = 0; i < marks.size(); ++i) {
        const int32_t line = MarkSet.Line(i);
        if (line < first || line > last)
            continue;
        const QTextBlock block = document()->findBlockByNumber(line);
        const QRectF rect = blockBoundingGeometry(block).translated(contentOffset());
        const QTextLayout* layout = block.layout();
        if (!rect.intersects(clip) || !layout || layout->lineCount() == 0)
            continue;
        const QTextLine textLine = layout->lineAt(0);
        const int length = block.length() - 1;
        const int column = std::min(MarkSet.Column(i), length);
        const int end = std::min(column + marks[i].Length, length);
        const qreal left = rect.left() + textLine.cursorToX(column);
        const qreal right = end > column ? rect.left() + textLine.cursorToX(end)
                                         : left + metrics.horizontalAdvance(QLatin1Char(' '));
        const qreal baseline = rect.top() + textLine.y() + textLine.ascent();
        const qreal depth = std::clamp<qreal>(textLine.descent() - 1, 2, 3);
        DrawWave(painter, QRectF(left, baseline + 0.5, right - left, depth),
                 marks[i].Warning ? WarningWave : ErrorWave);
    }
}

bool TColorMemo::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QPlainTextEdit::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QTextBlock block = cursorForPosition(help->pos()).block();
    const QRectF band = LineBand(block);
    const QString tip =
        band.contains(help->pos()) ? MarkSet.ToolTip(block.blockNumber()) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, viewport(), band.toAlignedRect());
    }
    return true;
}
