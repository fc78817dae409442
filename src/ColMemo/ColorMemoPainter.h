// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ColMemo/ColorMemoGeometry.h"
#include "ColMemo/ColorTypes.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <functional>
#include <utility>
#include <vector>

class QPainter;
class QPalette;
class QTextLine;

// Hands a keyword run to the application instead of drawing it: the painter (its pen already
// in the keyword's colour), the run's text, its rectangle (as wide as the text in the editor's
// font, one line high) and the editor's font colour.
using TKeyDrawEvent =
    std::function<void(QPainter& Canvas, const QString& PKey, QRect Rect, QColor KColor)>;

namespace colmemo {
// A TColor as Qt colour: direct colours are $00BBGGRR, system colours come from the palette.
QColor ToQColor(TColor color, const QPalette& palette);
TColor ToTColor(const QColor& color);
} // namespace colmemo

// Draws the scanner's runs over the editor's own rendering of the same characters, each run in
// its colour over an opaque background, glyph for glyph where the editor placed them.
class TColorMemoPainter {
public:
    struct TStyle {
        QColor Background; // the editor's base colour
        QColor FontColor;
        QFont Font;
        bool UnderlineHotSpots = true;
        // Lines whose runs stand on another colour than Background (marked lines).
        std::vector<std::pair<int32_t, QColor>> LineBackgrounds;
    };

    TColorMemoPainter(QPainter& painter, const TColorMemoGeometry& geometry,
                      const QPalette& palette, const TStyle& style);

    // Draws runs[0 .. count) up to the first free record, only where they meet clip.
    void DrawRuns(const colmemo::TKeyDescrList& runs, int32_t count, const QRectF& clip,
                  const TKeyDrawEvent& onDrawKey);

private:
    struct TPiece {
        const TColorMemoGeometry::TVisibleLine* Line = nullptr;
        int32_t LineNumber = 0;
        int Column = 0;
        int Length = 0;
        QRectF Rect;
        qreal Height = 0;
    };

    void DrawRun(const colmemo::TKeyDescr& run, const TKeyDrawEvent& onDrawKey);
    void DrawAcrossLines(const colmemo::TKeyDescr& run, int32_t firstLine, int32_t lastLine);
    // The part of [first, last] that lies on a visible line, breaks left out.
    bool Piece(int32_t line, int32_t first, int32_t last, TPiece& piece) const;
    // The columns of a visible line that the clip can show, a character of slack either side.
    struct TColumns {
        bool Known = false;
        int First = 0;
        int Last = -1;
    };
    const TColumns& ClipColumns(int32_t line, const QTextLine& textLine) const;
    const QColor& BackgroundOf(int32_t line) const;
    void DrawText(const TPiece& piece, const QColor& color, bool underline);
    void DrawKey(const TPiece& piece, const QColor& color, const TKeyDrawEvent& onDrawKey);

    QPainter& Painter;
    const TColorMemoGeometry& Geometry;
    const QPalette& Palette;
    TStyle Style;
    QRectF Clip;
    mutable std::vector<TColumns> Columns; // per visible line, from the first
    // The pen the painter holds: runs in the colour of the one before leave it alone.
    QColor PenColor;
    bool PenSet = false;
};
