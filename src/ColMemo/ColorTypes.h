// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Colours and key descriptors shared by the colour rules, the scanner and the editor widget.

#include <cstdint>
#include <vector>

namespace colmemo {

// $00BBGGRR for direct colours; $80000000 + n names system colour n.
using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clWindow = 0x80000005;

// First index of a free or withdrawn descriptor, and of the record that ends the run list.
inline constexpr int32_t FreeIndex = INT32_MAX;

// Reserved z-orders of the scanner's own producers; runs of 254 and above are never drawn.
inline constexpr uint8_t ZHotSpotText = 252;
inline constexpr uint8_t ZHotSpotMarker = 253;
inline constexpr uint8_t ZSelectionMask = 254;
inline constexpr uint8_t ZTabMask = 255;

// One finding, or after BuildRuns one run: the stretch First..Last (inclusive) of the whole
// text, where every line break counts as two characters.
struct TKeyDescr {
    int32_t First = FreeIndex;
    int32_t Last = 0;
    TColor Color = 0;
    uint8_t ZOrder = 0;
    uint8_t KeyWord = 0; // 1 for stretches found through a keyword list
};

// Records are reused from paint to paint; the run list ends at the first free record.
using TKeyDescrList = std::vector<TKeyDescr>;

} // namespace colmemo
