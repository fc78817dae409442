// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemoGutter.h"

#include "ColMemo/ColorMemo.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// A colour between two others: at 0 the first, at 1 the second.
QColor Mix(const QColor& a, const QColor& b, qreal t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

TColorMemoGutter::TColorMemoGutter(TColorMemo* memo) : QWidget(memo), m_memo(memo) {
    setObjectName(QStringLiteral("LineNumbers"));
    setCursor(Qt::ArrowCursor);
    TakeFont();
}

int TColorMemoGutter::Digits(int32_t lines) {
    int digits = 1;
    for (int32_t rest = std::max(lines, 1); rest >= 10; rest /= 10)
        ++digits;
    return std::max(digits, 2);
}

int TColorMemoGutter::Padding(const QFontMetricsF& metrics) {
    return int(std::ceil(metrics.horizontalAdvance(QLatin1Char('0')) * 0.6));
}

int TColorMemoGutter::WidthFor(const QFontMetricsF& metrics, int digits) {
    qreal digit = 0;
    for (char c = '0'; c <= '9'; ++c)
        digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    return int(std::ceil(digit * digits)) + 2 * Padding(metrics);
}

void TColorMemoGutter::TakeFont() {
    // The numbers are set in the editor's own font, so they sit on the lines' baselines.
    m_bold = m_memo->font();
    m_bold.setBold(true);
    const QPalette& palette = m_memo->palette();
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    m_number = Mix(base, text, 0.45);
    m_caretNumber = Mix(base, text, 0.85);
}

void TColorMemoGutter::changeEvent(QEvent* e) {
    if (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange)
        TakeFont();
    QWidget::changeEvent(e);
}

void TColorMemoGutter::DrawNumber(QPainter& painter, int32_t number, qreal baseline,
                                  bool caretLine) const {
    const QFont& font = caretLine ? m_bold : m_memo->font();
    const QString text = QString::number(number);
    const QFontMetricsF metrics(font);
    const qreal right = width() - Padding(QFontMetricsF(m_memo->font()));
    painter.setFont(font);
    painter.setPen(caretLine ? m_caretNumber : m_number);
    painter.drawText(QPointF(right - metrics.horizontalAdvance(text), baseline), text);
}

void TColorMemoGutter::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    const QColor base = m_memo->palette().color(QPalette::Base);
    const QColor text = m_memo->palette().color(QPalette::Text);
    painter.fillRect(e->rect(), Mix(base, text, 0.04));
    painter.fillRect(QRect(width() - 1, e->rect().top(), 1, e->rect().height()),
                     Mix(base, text, 0.12));
    m_memo->PaintGutter(*this, painter, e->rect());
}

// The wheel over the numbers scrolls the text, as it does over the text.
void TColorMemoGutter::wheelEvent(QWheelEvent* e) {
    QApplication::sendEvent(m_memo->verticalScrollBar(), e);
}
