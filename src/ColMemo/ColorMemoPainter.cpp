// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemoPainter.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPalette>
#include <QTextLayout>
#include <algorithm>

using colmemo::TColor;
using colmemo::TKeyDescr;

namespace {

constexpr TColor SystemColorFlag = 0x80000000;

QPalette::ColorRole SystemRole(uint32_t index) {
    switch (index) {
    case 5: // window background
        return QPalette::Base;
    case 8: // window text
        return QPalette::Text;
    case 2: // active caption
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15:
        return QPalette::Button;
    case 16:
        return QPalette::Dark;
    case 18:
        return QPalette::ButtonText;
    case 20:
        return QPalette::Light;
    case 6: // window frame
    case 21:
        return QPalette::Shadow;
    case 22:
        return QPalette::Midlight;
    case 3: // inactive caption
        return QPalette::Mid;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    case 7: // menu text
    case 9: // caption text
    case 19:
        return QPalette::WindowText;
    default: // scroll bar, desktop, menu, borders, workspace
        return QPalette::Window;
    }
}

} // namespace

QColor colmemo::ToQColor(TColor color, const QPalette& palette) {
    if (color & SystemColorFlag) {
        const uint32_t index = color & 0xff;
        if (index == 17) // grey text
            return palette.color(QPalette::Disabled, QPalette::Text);
        return palette.color(SystemRole(index));
    }
    return QColor(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
}

TColor colmemo::ToTColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return TColor(rgb.red()) | TColor(rgb.green()) << 8 | TColor(rgb.blue()) << 16;
}

TColorMemoPainter::TColorMemoPainter(QPainter& painter, const TColorMemoGeometry& geometry,
                                     const QPalette& palette, const TStyle& style)
    : Painter(painter), Geometry(geometry), Palette(palette), Style(style) {}

void TColorMemoPainter::DrawRuns(const colmemo::TKeyDescrList& runs, int32_t count,
                                 const QRectF& clip, const TKeyDrawEvent& onDrawKey) {
    Clip = clip;
    Columns.assign(
        size_t(std::max(Geometry.LastVisibleLine() - Geometry.FirstVisibleLine() + 1, 0)),
        TColumns{});
    Painter.setFont(Style.Font);
    PenSet = false;
    count = std::min(count, static_cast<int32_t>(runs.size()));
    for (int32_t i = 0; i < count && runs[i].First != colmemo::FreeIndex; ++i)
        DrawRun(runs[i], onDrawKey);
}

void TColorMemoPainter::DrawRun(const TKeyDescr& run, const TKeyDrawEvent& onDrawKey) {
    // Masks keep the selection's highlight and the tab stops as the editor drew them.
    if (run.First < 0 || run.ZOrder >= colmemo::ZSelectionMask || run.Last == colmemo::FreeIndex)
        return;
    const int32_t firstLine = Geometry.LineOf(run.First);
    const int32_t lastLine = Geometry.LineOf(run.Last);
    if (lastLine > firstLine) {
        DrawAcrossLines(run, firstLine, lastLine);
        return;
    }
    TPiece piece;
    if (!Piece(firstLine, run.First, run.Last, piece))
        return;
    const QColor color = colmemo::ToQColor(run.Color, Palette);
    if (run.KeyWord && onDrawKey)
        DrawKey(piece, color, onDrawKey);
    else if (run.ZOrder == colmemo::ZHotSpotMarker)
        Painter.fillRect(piece.Rect, color);
    else
        DrawText(piece, color, run.ZOrder == colmemo::ZHotSpotText && Style.UnderlineHotSpots);
}

// Runs over several lines are drawn plainly, line by line; lines out of view are skipped.
void TColorMemoPainter::DrawAcrossLines(const TKeyDescr& run, int32_t firstLine, int32_t lastLine) {
    const QColor color = colmemo::ToQColor(run.Color, Palette);
    const int32_t from = std::max(firstLine, Geometry.FirstVisibleLine());
    const int32_t to = std::min(lastLine, Geometry.LastVisibleLine());
    for (int32_t line = from; line <= to; ++line) {
        TPiece piece;
        if (Piece(line, run.First, run.Last, piece))
            DrawText(piece, color, false);
    }
}

bool TColorMemoPainter::Piece(int32_t line, int32_t first, int32_t last, TPiece& piece) const {
    piece.Line = Geometry.Visible(line);
    piece.LineNumber = line;
    // Lines above or below the clip are left out before any x position is looked for: a paint
    // of the caret's line measures that line only.
    if (!piece.Line || piece.Line->Rect.bottom() <= Clip.top() ||
        piece.Line->Rect.top() >= Clip.bottom())
        return false;
    const QTextLayout* layout = piece.Line->Block.layout();
    if (!layout || layout->lineCount() == 0)
        return false;
    const int32_t start = piece.Line->Start;
    const int32_t textLength = piece.Line->Length;
    const int32_t from = std::max(first, start) - start;
    const int32_t to = std::min(last - start, textLength - 1);
    if (to < from)
        return false;
    const QTextLine textLine = layout->lineAt(0);
    // Finding x positions costs a walk along the line: runs the clip cannot show are left
    // out before, or a long line would cost a walk per run of it.
    const TColumns& columns = ClipColumns(line, textLine);
    if (to < columns.First || from > columns.Last)
        return false;
    piece.Column = from;
    piece.Length = to - from + 1;
    const qreal left = textLine.cursorToX(piece.Column);
    const qreal right = textLine.cursorToX(piece.Column + piece.Length);
    const QPointF origin = piece.Line->Rect.topLeft();
    piece.Rect =
        QRectF(origin.x() + left, origin.y() + textLine.y(), right - left, textLine.height());
    return piece.Rect.intersects(Clip);
}

const TColorMemoPainter::TColumns& TColorMemoPainter::ClipColumns(int32_t line,
                                                                  const QTextLine& textLine) const {
    TColumns& columns = Columns[size_t(line - Geometry.FirstVisibleLine())];
    if (!columns.Known) {
        const qreal left = Geometry.Visible(line)->Rect.left();
        columns.Known = true;
        columns.First = std::max(textLine.xToCursor(Clip.left() - left) - 1, 0);
        columns.Last = textLine.xToCursor(Clip.right() - left) + 1;
        // The layout's x positions overflow on lines millions of characters long, where its
        // answers go astray: no character is taken as narrower than half a pixel.
        columns.Last = std::min<qreal>(columns.Last, columns.First + 2 * Clip.width() + 2);
    }
    return columns;
}

const QColor& TColorMemoPainter::BackgroundOf(int32_t line) const {
    for (const auto& [tinted, color] : Style.LineBackgrounds)
        if (tinted == line)
            return color;
    return Style.Background;
}

void TColorMemoPainter::DrawText(const TPiece& piece, const QColor& color, bool underline) {
    const QTextLayout* layout = piece.Line->Block.layout();
    const QTextLine textLine = layout->lineAt(0);
    Painter.fillRect(piece.Rect, BackgroundOf(piece.LineNumber));
    if (!PenSet || color != PenColor) {
        Painter.setPen(color);
        PenColor = color;
        PenSet = true;
    }
    // The editor's own glyphs, at the positions it laid them out: the overpaint can never
    // drift from the text below it, whatever the font.
    const QPointF origin = piece.Line->Rect.topLeft() + layout->position();
    for (const QGlyphRun& glyphRun : textLine.glyphRuns(piece.Column, piece.Length))
        Painter.drawGlyphRun(origin, glyphRun);
    if (underline) {
        const QFontMetricsF metrics(Style.Font);
        const qreal y = piece.Rect.top() + textLine.ascent() + metrics.underlinePos();
        Painter.fillRect(QRectF(piece.Rect.left(), y, piece.Rect.width(), metrics.lineWidth()),
                         color);
    }
}

void TColorMemoPainter::DrawKey(const TPiece& piece, const QColor& color,
                                const TKeyDrawEvent& onDrawKey) {
    const QString text = piece.Line->Block.text().mid(piece.Column, piece.Length);
    const int width = qRound(QFontMetricsF(Style.Font).horizontalAdvance(text));
    const QRect rect(QPoint(qRound(piece.Rect.left()), qRound(piece.Rect.top())),
                     QSize(width, qRound(piece.Rect.height())));
    Painter.save();
    Painter.setPen(color);
    onDrawKey(Painter, text, rect, Style.FontColor);
    Painter.restore();
}
