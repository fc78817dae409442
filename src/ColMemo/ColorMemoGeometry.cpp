// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemoGeometry.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <algorithm>

TColorMemoGeometry::TColorMemoGeometry(const TTextModel& model, const QTextDocument* doc)
    : Model(model), Doc(doc) {}

void TColorMemoGeometry::SetWindow(const QTextBlock& first, QPointF origin, qreal viewportHeight) {
    First = first.blockNumber();
    Height = viewportHeight;
    Lines.clear();
    QAbstractTextDocumentLayout* layout = Doc->documentLayout();
    int32_t start = Model.LineStart(First);
    for (QTextBlock block = first; block.isValid() && origin.y() < viewportHeight;
         block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block).translated(origin);
        const int32_t length = block.length() - 1;
        Lines.push_back({block, rect, start, length});
        origin.ry() += rect.height();
        start += length + 2;
    }
}

int32_t TColorMemoGeometry::LineOf(int32_t index) const {
    if (Lines.empty() || index < Lines.front().Start)
        return First - 1;
    const auto next =
        std::upper_bound(Lines.begin(), Lines.end(), index,
                         [](int32_t i, const TVisibleLine& line) { return i < line.Start; });
    const auto line = next - 1;
    // past the last visible line's break
    if (next == Lines.end() && index >= line->Start + line->Length + 2)
        return LastVisibleLine() + 1;
    return First + static_cast<int32_t>(line - Lines.begin());
}

const TColorMemoGeometry::TVisibleLine* TColorMemoGeometry::Visible(int32_t line) const {
    if (line < First || line > LastVisibleLine())
        return nullptr;
    return &Lines[static_cast<size_t>(line - First)];
}

int32_t TColorMemoGeometry::LineCount() const {
    return Model.LineCount();
}

int32_t TColorMemoGeometry::LineIndex(int32_t line) const {
    return Model.LineStart(line);
}

int32_t TColorMemoGeometry::LineLength(int32_t line) const {
    return Model.LineTextLength(line);
}

bool TColorMemoGeometry::LineEntirelyVisible(int32_t line) const {
    const TVisibleLine* visible = Visible(line);
    return visible && visible->Rect.top() >= 0 && visible->Rect.bottom() <= Height;
}

int32_t TColorMemoGeometry::TextLength() const {
    return Model.Length();
}

void TColorMemoGeometry::FetchText(int32_t first, int32_t last, char16_t* dest) const {
    int32_t remaining = std::max(last - first, 0);
    const int32_t line = Model.LineOf(first);
    int32_t col = std::max(first - Model.LineStart(line), 0);
    for (QTextBlock block = Doc->findBlockByNumber(line); remaining > 0 && block.isValid();
         block = block.next(), col = 0) {
        const QString text = block.text();
        const int32_t textLength = static_cast<int32_t>(text.size());
        const int32_t take = std::clamp(textLength - col, 0, remaining);
        std::copy_n(reinterpret_cast<const char16_t*>(text.constData()) + col, take, dest);
        dest += take;
        remaining -= take;
        col += take;
        // the line break, CR LF, or what is left of it
        for (; block.next().isValid() && remaining > 0 && col < textLength + 2; ++col, --remaining)
            *dest++ = col == textLength ? u'\r' : u'\n';
    }
    std::fill_n(dest, remaining, u'\0');
}
