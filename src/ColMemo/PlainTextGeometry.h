// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Line geometry over a plain string with CR LF line breaks and a window of entirely visible
// lines: the scanner's input without an editor, for tests, benchmarks and headless use.

#include "ColMemo/ScanRegion.h"

#include <string>
#include <vector>

namespace colmemo {

class TPlainTextGeometry : public TLineGeometry {
public:
    explicit TPlainTextGeometry(std::u16string text = {});

    void SetText(std::u16string text);
    const std::u16string& Text() const { return Content; }
    // Lines [first, first + count) are entirely visible, all others are not.
    void SetWindow(int32_t firstVisible, int32_t visibleCount);
    // Every line entirely visible.
    void ShowAll();

    // The line holding a character index (a line break belongs to the line it ends).
    int32_t LineFromChar(int32_t index) const;

    int32_t LineCount() const override;
    int32_t LineIndex(int32_t line) const override;
    int32_t LineLength(int32_t line) const override;
    bool LineEntirelyVisible(int32_t line) const override;
    int32_t TextLength() const override { return int32_t(Content.size()); }
    void FetchText(int32_t first, int32_t last, char16_t* dest) const override;

private:
    std::u16string Content;
    std::vector<int32_t> Starts; // every line, the empty last one included
    int32_t FirstVisible = 0;
    int32_t VisibleCount = INT32_MAX;
};

} // namespace colmemo
