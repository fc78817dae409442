// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRawFont>
#include <QWidget>
#include <cstdint>
#include <vector>

class QFontMetricsF;
class TColorMemo;

// The line numbers left of an editor's text. A widget of its own beside the viewport, not a
// part of it: the text's coordinates, its scrolling and the mouse's hits never see the gutter.
class TColorMemoGutter : public QWidget {
    Q_OBJECT

public:
    explicit TColorMemoGutter(TColorMemo* memo);

    // Digits of the numbers for so many lines, at least two: typing a new program past line 9
    // does not widen the gutter.
    static int Digits(int32_t lines);
    // Width of a gutter for numbers of so many digits: the widest digit per digit, and a little
    // room on either side.
    static int WidthFor(const QFontMetricsF& metrics, int digits);

    // A line's number (1-based) and the baseline it stands on.
    struct TRow {
        int32_t Number;
        qreal Baseline;
        bool CaretLine; // drawn stronger
    };
    // Draws the numbers right-aligned, all in one go.
    void DrawNumbers(QPainter& painter, const std::vector<TRow>& rows) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // The glyphs of the ten digits in a font: a number is put together from them, with no
    // shaping of its text at every paint.
    struct TDigitGlyphs {
        QRawFont Font;
        quint32 Glyphs[10] = {};
        qreal Advances[10] = {};
    };
    static TDigitGlyphs GlyphsOf(const QFont& font);
    // Adds a number's glyphs, from its last digit leftwards so that it ends at the padding.
    void AddNumber(const TDigitGlyphs& digits, const TRow& row, QList<quint32>& glyphs,
                   QList<QPointF>& positions) const;
    void DrawText(QPainter& painter, const TRow& row) const;
    static int Padding(const QFontMetricsF& metrics);
    void TakeFont();

    TColorMemo* Memo;
    TDigitGlyphs Plain;
    TDigitGlyphs Bold;
    int PaddingWidth = 0;
    QColor NumberColor;
    QColor CaretNumberColor;
};
