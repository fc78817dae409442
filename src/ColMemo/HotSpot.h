// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Settings of the hot spots: text between two marker characters, drawn underlined in its own
// colour, which the editor reports when it is clicked.

#include "ColMemo/ColorTypes.h"

namespace colmemo {

struct THotSpot {
    char16_t BeginChar = 30; // code 0 switches the search off
    char16_t EndChar = 31;   // may equal BeginChar
    TColor Color = clBlue;
    TColor MarkerColor = clWindow;
    bool Active = false;
    bool Underlined = true;
};

} // namespace colmemo
