// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemoMarks.h"

#include "ColMemo/TextModel.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

TColorMemoMarks::TColorMemoMarks(const TTextModel& model, const QTextDocument* doc)
    : Model(model), Doc(doc) {}

void TColorMemoMarks::Set(std::vector<TMark> marks) {
    MarkList = std::move(marks);
    Anchors.clear();
    Anchors.reserve(MarkList.size());
    const int32_t length = Model.Length();
    for (TMark& mark : MarkList) {
        mark.Index = std::clamp(mark.Index, 0, length);
        mark.Length = std::max(mark.Length, 1);
        const int32_t line = Model.LineOf(mark.Index);
        const QTextBlock block = Doc->findBlockByNumber(line);
        // An index on the LF of a break stands at its line's end.
        const int32_t column =
            std::min(mark.Index - Model.LineStart(line), int32_t(block.length() - 1));
        Anchors.push_back({line, column, block.position(), block.position() + block.length() - 1});
    }
    BlockCount = Doc->blockCount();
}

bool TColorMemoMarks::Clear() {
    const bool had = !MarkList.empty();
    MarkList.clear();
    Anchors.clear();
    return had;
}

// An edit touches a line when it reaches into it or up to either end, joining it with a
// neighbour included. Breaks put in right at the line's start only push it down.
bool TColorMemoMarks::Touches(const TAnchor& anchor, int pos, int removed, int added) const {
    if (pos > anchor.LineEnd || pos + removed < anchor.LineStart)
        return false;
    const bool pushedDown = removed == 0 && added > 0 && pos == anchor.LineStart &&
                            Doc->characterAt(pos + added - 1) == QChar::ParagraphSeparator;
    return !pushedDown;
}

bool TColorMemoMarks::Edit(int pos, int removed, int added) {
    const int blockCount = Doc->blockCount();
    const int lines = blockCount - BlockCount;
    BlockCount = blockCount;
    const int shift = added - removed;
    size_t kept = 0;
    for (size_t i = 0; i < MarkList.size(); ++i) {
        TAnchor anchor = Anchors[i];
        if (Touches(anchor, pos, removed, added))
            continue;
        TMark& mark = MarkList[i];
        if (anchor.LineStart >= pos) {
            // below the change: index = position + lines before, and both moved
            anchor.Line += lines;
            anchor.LineStart += shift;
            anchor.LineEnd += shift;
            mark.Index += shift + lines;
        }
        if (kept != i)
            MarkList[kept] = std::move(mark);
        Anchors[kept] = anchor;
        ++kept;
    }
    const bool removedAny = kept != MarkList.size();
    MarkList.resize(kept);
    Anchors.resize(kept);
    return removedAny;
}

std::vector<TColorMemoMarks::TMarkedLine> TColorMemoMarks::LinesIn(int32_t first,
                                                                   int32_t last) const {
    std::vector<TMarkedLine> lines;
    for (size_t i = 0; i < MarkList.size(); ++i) {
        const int32_t line = Anchors[i].Line;
        if (line >= first && line <= last)
            lines.push_back({line, MarkList[i].Warning});
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
    for (size_t i = 0; i < MarkList.size(); ++i)
        if (Anchors[i].Line == line && !MarkList[i].ToolTip.isEmpty())
            tips << MarkList[i].ToolTip;
    return tips.join(QLatin1Char('\n'));
}
