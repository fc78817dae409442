// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <cstdint>

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

    // Draws a line's number (1-based) right-aligned on the line's baseline, the caret's line
    // stronger.
    void DrawNumber(QPainter& painter, int32_t number, qreal baseline, bool caretLine) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    static int Padding(const QFontMetricsF& metrics);
    void TakeFont();

    TColorMemo* m_memo;
    QFont m_bold;
    QColor m_number;
    QColor m_caretNumber;
};
