// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared set-up of the editor tests: an editor with the Java rules on screen, and a look at
// the colours of the pixels it rendered.

#include "ColMemo/ColorMemo.h"
#include "ColMemo/JavaRules.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace memorig {

inline QFont EditorFont() {
    QFont font(QStringLiteral("Liberation Mono"));
    font.setPixelSize(16);
    return font;
}

// Shows the editor with the Java rules, the given text and the keyboard focus.
inline bool Show(TColorMemo& memo, const QString& text, QSize size = QSize(640, 420)) {
    memo.setFont(EditorFont());
    if (memo.ColorRules().Count() == 0)
        colmemo::AddJavaRules(memo.ColorRules());
    memo.SetText(text);
    memo.resize(size);
    memo.show();
    QApplication::setActiveWindow(&memo);
    memo.setFocus();
    return QTest::qWaitForWindowExposed(&memo) && QTest::qWaitForWindowActive(&memo);
}

// Ink pixels of a rectangle, sorted by the colour family they belong to. A pixel's ink is its
// difference from the background; antialiasing scales it but keeps its direction, so the
// direction tells the family. Faint pixels are left out.
struct TInk {
    int Black = 0;
    int Blue = 0;
    int Purple = 0;
    int Red = 0;
    int Other = 0;

    int Total() const { return Black + Blue + Purple + Red + Other; }
};

inline TInk InkIn(const QImage& image, const QRect& rect, const QColor& background) {
    // ink directions against white: black, blue, purple, red
    static const double Directions[4][3] = {{1, 1, 1}, {1, 1, 0}, {0.5, 1, 0.5}, {0, 1, 1}};
    TInk ink;
    int* counts[4] = {&ink.Black, &ink.Blue, &ink.Purple, &ink.Red};
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const double d[3] = {double(background.red() - c.red()),
                                 double(background.green() - c.green()),
                                 double(background.blue() - c.blue())};
            const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            if (std::max({std::abs(d[0]), std::abs(d[1]), std::abs(d[2])}) < 100)
                continue;
            int best = -1;
            double bestCos = 0.96;
            for (int k = 0; k < 4; ++k) {
                const double* e = Directions[k];
                const double cos = (d[0] * e[0] + d[1] * e[1] + d[2] * e[2]) /
                                   (length * std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]));
                if (cos > bestCos) {
                    bestCos = cos;
                    best = k;
                }
            }
            ++(best < 0 ? ink.Other : *counts[best]);
        }
    }
    return ink;
}

// The rectangle of the characters [index, index + length) of one line, in viewport pixels.
inline QRect TextRect(const TColorMemo& memo, int32_t index, int32_t length) {
    const QPoint left = memo.PosFromChar(index);
    const QPoint right = memo.PosFromChar(index + length);
    return QRect(left, QPoint(right.x() - 1, left.y() + memo.cursorRect().height() - 1));
}

// Lets the editor handle the repaints its last actions asked for.
inline void Settle() {
    QTest::qWait(30);
}

inline QImage Grab(TColorMemo& memo) {
    return memo.viewport()->grab().toImage();
}

inline QColor Background(const TColorMemo& memo) {
    return memo.palette().color(QPalette::Base);
}

} // namespace memorig
