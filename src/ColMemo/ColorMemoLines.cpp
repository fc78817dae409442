// SPDX-License-Identifier: GPL-3.0-or-later
// TColorMemo's line numbers: the gutter beside the viewport.

#include "ColMemo/ColorMemo.h"
#include "ColMemo/ColorMemoGutter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

// ---- line numbers ----------------------------------------------------------

void TColorMemo::SetLineNumbers(bool on) {
    if (on == m_lineNumbers)
        return;
    m_lineNumbers = on;
    m_gutterDigits = 0;
    if (!on) {
        m_gutterWidth = 0;
        m_gutter->hide();
        setViewportMargins(0, 0, 0, 0);
        return;
    }
    if (!m_gutter)
        m_gutter = new TColorMemoGutter(this);
    UpdateGutterWidth();
    m_gutter->show();
}

// The width follows the digits of the line count: the viewport, and with it the layout of the
// text, changes only when they do.
void TColorMemo::UpdateGutterWidth() {
    if (!m_lineNumbers)
        return;
    const int digits = TColorMemoGutter::Digits(document()->blockCount());
    if (digits == m_gutterDigits)
        return;
    m_gutterDigits = digits;
    m_gutterWidth = TColorMemoGutter::WidthFor(QFontMetricsF(font()), digits);
    setViewportMargins(m_gutterWidth, 0, 0, 0);
    PlaceGutter();
    m_gutter->update();
}

void TColorMemo::PlaceGutter() {
    if (!m_gutter)
        return;
    const QRect text = viewport()->geometry();
    m_gutter->setGeometry(text.left() - m_gutterWidth, text.top(), m_gutterWidth, text.height());
}

// The editor's own requests to repaint a part of the viewport: the same rows of numbers, or a
// scroll of them along with the text. A moved caret asks for its old and new rows, which
// repaints the number drawn stronger.
void TColorMemo::GutterRequest(const QRect& rect, int dy) {
    if (!m_lineNumbers)
        return;
    if (dy != 0)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
}

void TColorMemo::changeEvent(QEvent* e) {
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange && m_lineNumbers) {
        m_gutterDigits = 0;
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
    for (; block.isValid() && top < bottom; block = block.next(), ++number) {
        const qreal height = blockBoundingRect(block).height();
        const QTextLayout* layout = block.layout();
        if (top + height > rect.top() && layout && layout->lineCount() > 0) {
            const QTextLine line = layout->lineAt(0);
            gutter.DrawNumber(painter, number, top + line.y() + line.ascent(),
                              number - 1 == caretLine);
        }
        top += height;
    }
}
