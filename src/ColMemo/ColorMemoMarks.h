// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class QTextDocument;
class TTextModel;

// A place in the text that a message points at.
struct TMark {
    int32_t Index = 0;    // character index, as SelStart counts (line breaks are two)
    int32_t Length = 1;   // characters underlined from Index, on its line
    bool Warning = false; // a warning, not an error
    QString ToolTip;      // shown over the mark's line
};

// The marks of an editor and where they stand in its document. A mark follows the text above
// it; an edit that touches its own line takes it away, since it may no longer point at what
// the message meant.
class TColorMemoMarks {
public:
    TColorMemoMarks(const TTextModel& model, const QTextDocument* doc);

    // Indices are clamped into the text, lengths to at least one.
    void Set(std::vector<TMark> marks);
    // True when there was a mark to clear.
    bool Clear();
    const std::vector<TMark>& Marks() const { return MarkList; }
    bool Empty() const { return MarkList.empty(); }

    // A change of the document as it reports it (position, characters removed and added):
    // marks below move with it, marks on a line it touched go. True when any went.
    bool Edit(int pos, int removed, int added);

    // Line and column of a mark (by its place in Marks()).
    int32_t Line(size_t i) const { return Anchors[i].Line; }
    int32_t Column(size_t i) const { return Anchors[i].Column; }

    // The marked lines in [first, last], ascending, each once; a line with an error and a
    // warning counts as an error line.
    struct TMarkedLine {
        int32_t Line;
        bool Warning;
    };
    std::vector<TMarkedLine> LinesIn(int32_t first, int32_t last) const;
    // The tool tips of a line's marks, one per text line, in the order the marks were given.
    QString ToolTip(int32_t line) const;

private:
    // Where a mark's line lies in the document: its first position and the position of its
    // break (or of the text's end). Lines not edited keep their columns; only these move.
    struct TAnchor {
        int32_t Line;
        int32_t Column;
        int LineStart;
        int LineEnd;
    };
    bool Touches(const TAnchor& anchor, int pos, int removed, int added) const;

    const TTextModel& Model;
    const QTextDocument* Doc;
    std::vector<TMark> MarkList;
    std::vector<TAnchor> Anchors; // one per mark
    int BlockCount = 0;           // the document's at the last change
};
