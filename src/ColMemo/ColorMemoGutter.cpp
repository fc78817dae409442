// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemoGutter.h"

#include "ColMemo/ColorMemo.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGlyphRun>
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

TColorMemoGutter::TColorMemoGutter(TColorMemo* memo) : QWidget(memo), Memo(memo) {
    setObjectName(QStringLiteral("LineNumbers"));
    setAccessibleName(QStringLiteral("Zeilennummern"));
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

TColorMemoGutter::TDigitGlyphs TColorMemoGutter::GlyphsOf(const QFont& font) {
    TDigitGlyphs digits;
    digits.Font = QRawFont::fromFont(font);
    const QList<quint32> glyphs = digits.Font.glyphIndexesForString(QStringLiteral("0123456789"));
    if (glyphs.size() != 10)
        return digits;
    const QList<QPointF> advances = digits.Font.advancesForGlyphIndexes(glyphs);
    for (int i = 0; i < 10; ++i) {
        digits.Glyphs[i] = glyphs[i];
        digits.Advances[i] = advances.value(i).x();
    }
    return digits;
}

void TColorMemoGutter::TakeFont() {
    // The numbers are set in the editor's own font, so they sit on the lines' baselines.
    QFont bold = Memo->font();
    bold.setBold(true);
    Plain = GlyphsOf(Memo->font());
    Bold = GlyphsOf(bold);
    PaddingWidth = Padding(QFontMetricsF(Memo->font()));
    const QPalette& palette = Memo->palette();
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    NumberColor = Mix(base, text, 0.45);
    CaretNumberColor = Mix(base, text, 0.85);
}

void TColorMemoGutter::changeEvent(QEvent* e) {
    if (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange)
        TakeFont();
    QWidget::changeEvent(e);
}

void TColorMemoGutter::AddNumber(const TDigitGlyphs& digits, const TRow& row,
                                 QList<quint32>& glyphs, QList<QPointF>& positions) const {
    const qsizetype end = glyphs.size();
    qreal x = width() - PaddingWidth;
    for (int32_t rest = std::max(row.Number, 0);; rest /= 10) {
        const int digit = rest % 10;
        x -= digits.Advances[digit];
        glyphs.insert(end, digits.Glyphs[digit]);
        positions.insert(end, QPointF(x, row.Baseline));
        if (rest < 10)
            break;
    }
}

// Without the digits' glyphs, as text.
void TColorMemoGutter::DrawText(QPainter& painter, const TRow& row) const {
    const QString text = QString::number(row.Number);
    painter.setFont(Memo->font());
    painter.setPen(row.CaretLine ? CaretNumberColor : NumberColor);
    const qreal advance = QFontMetricsF(Memo->font()).horizontalAdvance(text);
    painter.drawText(QPointF(width() - PaddingWidth - advance, row.Baseline), text);
}

// One glyph run for the plain numbers and one for the caret's: drawing numbers one by one
// would cost about as much as the whole rest of a paint of the window.
void TColorMemoGutter::DrawNumbers(QPainter& painter, const std::vector<TRow>& rows) const {
    if (!Plain.Font.isValid() || !Bold.Font.isValid()) {
        for (const TRow& row : rows)
            DrawText(painter, row);
        return;
    }
    for (bool caretLine : {false, true}) {
        const TDigitGlyphs& digits = caretLine ? Bold : Plain;
        QList<quint32> glyphs;
        QList<QPointF> positions;
        for (const TRow& row : rows)
            if (row.CaretLine == caretLine)
                AddNumber(digits, row, glyphs, positions);
        if (glyphs.isEmpty())
            continue;
        QGlyphRun run;
        run.setRawFont(digits.Font);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        painter.setPen(caretLine ? CaretNumberColor : NumberColor);
        painter.drawGlyphRun(QPointF(), run);
    }
}

void TColorMemoGutter::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    const QColor base = Memo->palette().color(QPalette::Base);
    const QColor text = Memo->palette().color(QPalette::Text);
    painter.fillRect(e->rect(), Mix(base, text, 0.04));
    painter.fillRect(QRect(width() - 1, e->rect().top(), 1, e->rect().height()),
                     Mix(base, text, 0.12));
    Memo->PaintGutter(*this, painter, e->rect());
}

// The wheel over the numbers scrolls the text, as it does over the text.
void TColorMemoGutter::wheelEvent(QWheelEvent* e) {
    QApplication::sendEvent(Memo->verticalScrollBar(), e);
}
