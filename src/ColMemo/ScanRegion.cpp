// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ScanRegion.h"

#include "ColMemo/ColorRules.h"

#include <algorithm>

namespace colmemo {

namespace {

// Line answers are clamped into the text, and a line that does not exist ends at the text's
// end, so a region can never reach outside the text whatever the geometry says.
class TClampedLines {
public:
    explicit TClampedLines(const TLineGeometry& geometry)
        : Geometry(geometry), TextLength(std::max(geometry.TextLength(), 0)) {}

    int32_t Start(int64_t line) const {
        const int32_t index = line > INT32_MAX ? -1 : Geometry.LineIndex(int32_t(line));
        return index < 0 ? TextLength : std::min(index, TextLength);
    }

    int32_t End(int64_t line) const {
        const int32_t index = line > INT32_MAX ? -1 : Geometry.LineIndex(int32_t(line));
        if (index < 0)
            return TextLength;
        const int64_t end = int64_t(index) + std::max(Geometry.LineLength(int32_t(line)), 0);
        return int32_t(std::min<int64_t>(end, TextLength));
    }

private:
    const TLineGeometry& Geometry;
    int32_t TextLength;
};

} // namespace

TScanRegion ComputeScanRegion(const TDrawRules* rules, bool caretLineOnly, int32_t firstVisibleLine,
                              int32_t caretLine, const TLineGeometry& geometry) {
    const TClampedLines lines(geometry);
    const int64_t anchor = std::max(caretLineOnly ? caretLine : firstVisibleLine, 0);
    const int64_t examine = caretLineOnly ? 1 : int64_t(geometry.LineCount()) - anchor;

    int64_t startLine = anchor;
    if (rules && rules->Count() > 0)
        startLine = anchor - rules->Items(0).KeyMaxHeight + 1;
    if (startLine < 0 || anchor == 0)
        startLine = 0;
    startLine = std::min<int64_t>(startLine, INT32_MAX);

    TScanRegion region;
    region.StartLine = int32_t(startLine);
    region.ScanStart = lines.Start(startLine);
    if (examine <= 0) {
        region.ScanEnd = lines.End(startLine);
    } else {
        const int64_t last = anchor + examine - 1;
        region.ScanEnd = lines.End(last);
        for (int64_t line = anchor; line <= last; ++line) {
            if (!geometry.LineEntirelyVisible(int32_t(line))) {
                region.ScanEnd = lines.Start(line);
                break;
            }
        }
    }
    // A look-back of 0 or less starts below the anchor; the region is then empty rather than
    // running on to the end of the text.
    region.ScanEnd = std::max(region.ScanEnd, region.ScanStart);
    return region;
}

} // namespace colmemo
