// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ColMemo/ScanRegion.h"
#include "ColMemo/TextModel.h"

#include <QRectF>
#include <QTextBlock>
#include <vector>

class QTextDocument;

// The scanner's view of the editor's lines during one paint: starts and lengths in the index
// model, which lines the viewport shows entirely, and the text of the scanned lines only.
class TColorMemoGeometry : public colmemo::TLineGeometry {
public:
    TColorMemoGeometry(const TTextModel& model, const QTextDocument* doc);

    // Records the visible lines: the first visible block, its top-left corner in viewport
    // coordinates and the viewport's height. Walks only the blocks that the viewport shows.
    void SetWindow(const QTextBlock& first, QPointF origin, qreal viewportHeight);

    int32_t LineCount() const override;
    int32_t LineIndex(int32_t line) const override;
    int32_t LineLength(int32_t line) const override;
    bool LineEntirelyVisible(int32_t line) const override;
    int32_t TextLength() const override;
    void FetchText(int32_t first, int32_t last, char16_t* dest) const override;

    // A line the viewport shows, at least in part.
    struct TVisibleLine {
        QTextBlock Block;
        QRectF Rect;    // the block's rectangle in viewport coordinates
        int32_t Start;  // index of the line's first character
        int32_t Length; // without the line break
    };
    // The visible line, or nullptr when the viewport does not show it.
    const TVisibleLine* Visible(int32_t line) const;
    int32_t FirstVisibleLine() const { return First; }
    int32_t LastVisibleLine() const { return First + static_cast<int32_t>(Lines.size()) - 1; }
    // The line holding an index when the viewport shows it; otherwise the line just above or
    // below the visible ones. Paints look up many indices, all near the window: this stays a
    // search in the visible lines, however long the text.
    int32_t LineOf(int32_t index) const;

private:
    const TTextModel& Model;
    const QTextDocument* Doc;
    int32_t First = 0;
    qreal Height = 0;
    std::vector<TVisibleLine> Lines;
};
