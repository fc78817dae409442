// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The stretch of text a paint looks at, computed from a few answers about the lines.

#include <cstdint>

namespace colmemo {

class TDrawRules;

// What the scanner needs to know about the editor's lines. Indices count every line break as
// two characters (CR LF).
class TLineGeometry {
public:
    virtual ~TLineGeometry() = default;
    // Number of lines, not counting an empty last line (an empty text has none).
    virtual int32_t LineCount() const = 0;
    // Start index of a line; negative when there is no such line.
    virtual int32_t LineIndex(int32_t line) const = 0;
    // Length of a line without its line break.
    virtual int32_t LineLength(int32_t line) const = 0;
    // True when the whole line lies inside the visible area.
    virtual bool LineEntirelyVisible(int32_t line) const = 0;
    virtual int32_t TextLength() const = 0;
    // Copies the characters [first, last) of the whole text ("\r\n" between lines) to dest.
    virtual void FetchText(int32_t first, int32_t last, char16_t* dest) const = 0;
};

struct TScanRegion {
    int32_t StartLine = 0;
    int32_t ScanStart = 0; // first scanned character
    int32_t ScanEnd = 0;   // exclusive; never below ScanStart
};

// A full paint anchors at firstVisibleLine, a caret-line paint at caretLine; the region reaches
// back KeyMaxHeight - 1 lines (of the first rule) and ends before the first line from the
// anchor on that is not entirely visible.
TScanRegion ComputeScanRegion(const TDrawRules* rules, bool caretLineOnly, int32_t firstVisibleLine,
                              int32_t caretLine, const TLineGeometry& geometry);

} // namespace colmemo
