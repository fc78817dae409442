// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemoMarks.h"

#include "ColMemo/TextModel.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

TColorMemoMarks::TColorMemoMarks(const TTextModel& model, const QTextDocument* doc)
    : m_model(model), m_doc(doc) {}

void TColorMemoMarks::Set(std::vector<TMark> marks) {
    m_marks = std::move(marks);
    m_anchors.clear();
    m_anchors.reserve(m_marks.size());
    const int32_t length = m_model.Length();
    for (TMark& mark : m_marks) {
        mark.Index = std::clamp(mark.Index, 0, length);
        mark.Length = std::max(mark.Length, 1);
        const int32_t line = m_model.LineOf(mark.Index);
        const QTextBlock block = m_doc->findBlockByNumber(line);
        // An index on the LF of a break stands at its line's end.
        const int32_t column =
            std::min(mark.Index - m_model.LineStart(line), int32_t(block.length() - 1));
        m_anchors.push_back(
            {line, column, block.position(), block.position() + block.length() - 1});
    }
    m_blockCount = m_doc->blockCount();
}

bool TColorMemoMarks::Clear() {
    const bool had = !m_marks.empty();
    m_marks.clear();
    m_anchors.clear();
    return had;
}

// An edit touches a line when it reaches into it or up to either end, joining it with a
// neighbour included. Breaks put in right at the line's start only push it down.
bool TColorMemoMarks::Touches(const TAnchor& anchor, int pos, int removed, int added) const {
    if (pos > anchor.LineEnd || pos + removed < anchor.LineStart)
        return false;
    const bool pushedDown = removed == 0 && added > 0 && pos == anchor.LineStart &&
                            m_doc->characterAt(pos + added - 1) == QChar::ParagraphSeparator;
    return !pushedDown;
}

bool TColorMemoMarks::Edit(int pos, int removed, int added) {
    const int blockCount = m_doc->blockCount();
    const int lines = blockCount - m_blockCount;
    m_blockCount = blockCount;
    const int shift = added - removed;
    size_t kept = 0;
    for (size_t i = 0; i < m_marks.size(); ++i) {
        TAnchor anchor = m_anchors[i];
        if (Touches(anchor, pos, removed, added))
            continue;
        TMark& mark = m_marks[i];
        if (anchor.LineStart >= pos) {
            // below the change: index = position + lines before, and both moved
            anchor.Line += lines;
            anchor.LineStart += shift;
            anchor.LineEnd += shift;
            mark.Index += shift + lines;
        }
        if (kept != i)
            m_marks[kept] = std::move(mark);
        m_anchors[kept] = anchor;
        ++kept;
    }
    const bool removedAny = kept != m_marks.size();
    m_marks.resize(kept);
    m_anchors.resize(kept);
    return removedAny;
}

std::vector<TColorMemoMarks::TMarkedLine> TColorMemoMarks::LinesIn(int32_t first,
                                                                   int32_t last) const {
    std::vector<TMarkedLine> lines;
    for (size_t i = 0; i < m_marks.size(); ++i) {
        const int32_t line = m_anchors[i].Line;
        if (line >= first && line <= last)
            lines.push_back({line, m_marks[i].Warning});
    }
    // errors first within a line, so the line's one entry is an error when it has one
    std::sort(lines.begin(), lines.end(), [](const TMarkedLine& a, const TMarkedLine& b) {
        return a.Line != b.Line ? a.Line < b.Line : a.Warning < b.Warning;
    });
    lines.erase(
        std::unique(lines.begin(), lines.end(),
                    [](const TMarkedLine& a, const TMarkedLine& b) { return a.Line == b.Line; }),
        lines.end());
    return lines;
}

QString TColorMemoMarks::ToolTip(int32_t line) const {
    QStringList tips;
    for (size_t i = 0; i < m_marks.size(); ++i)
        if (m_anchors[i].Line == line && !m_marks[i].ToolTip.isEmpty())
            tips << m_marks[i].ToolTip;
    return tips.join(QLatin1Char('\n'));
}
