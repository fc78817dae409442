// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemoGeometry.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <algorithm>

TColorMemoGeometry::TColorMemoGeometry(const TTextModel& model, const QTextDocument* doc)
    : m_model(model), m_doc(doc) {}

void TColorMemoGeometry::SetWindow(const QTextBlock& first, QPointF origin, qreal viewportHeight) {
    m_first = first.blockNumber();
    m_height = viewportHeight;
    m_lines.clear();
    QAbstractTextDocumentLayout* layout = m_doc->documentLayout();
    int32_t start = m_model.LineStart(m_first);
    for (QTextBlock block = first; block.isValid() && origin.y() < viewportHeight;
         block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block).translated(origin);
        const int32_t length = block.length() - 1;
        m_lines.push_back({block, rect, start, length});
        origin.ry() += rect.height();
        start += length + 2;
    }
}

int32_t TColorMemoGeometry::LineOf(int32_t index) const {
    if (m_lines.empty() || index < m_lines.front().Start)
        return m_first - 1;
    const auto next =
        std::upper_bound(m_lines.begin(), m_lines.end(), index,
                         [](int32_t i, const TVisibleLine& line) { return i < line.Start; });
    const auto line = next - 1;
    // past the last visible line's break
    if (next == m_lines.end() && index >= line->Start + line->Length + 2)
        return LastVisibleLine() + 1;
    return m_first + static_cast<int32_t>(line - m_lines.begin());
}

const TColorMemoGeometry::TVisibleLine* TColorMemoGeometry::Visible(int32_t line) const {
    if (line < m_first || line > LastVisibleLine())
        return nullptr;
    return &m_lines[static_cast<size_t>(line - m_first)];
}

int32_t TColorMemoGeometry::LineCount() const {
    return m_model.LineCount();
}

int32_t TColorMemoGeometry::LineIndex(int32_t line) const {
    return m_model.LineStart(line);
}

int32_t TColorMemoGeometry::LineLength(int32_t line) const {
    return m_model.LineTextLength(line);
}

bool TColorMemoGeometry::LineEntirelyVisible(int32_t line) const {
    const TVisibleLine* visible = Visible(line);
    return visible && visible->Rect.top() >= 0 && visible->Rect.bottom() <= m_height;
}

int32_t TColorMemoGeometry::TextLength() const {
    return m_model.Length();
}

void TColorMemoGeometry::FetchText(int32_t first, int32_t last, char16_t* dest) const {
    int32_t remaining = std::max(last - first, 0);
    const int32_t line = m_model.LineOf(first);
    int32_t col = std::max(first - m_model.LineStart(line), 0);
    for (QTextBlock block = m_doc->findBlockByNumber(line); remaining > 0 && block.isValid();
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
