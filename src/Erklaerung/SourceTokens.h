// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace erklaerung {

// The piece of the echoed source line that javac's caret marks (`column` is
// 1-based, every character one column, tabs included): a whole name or
// number when the caret is on one, a whole string or character literal when
// it is on its opening quote, otherwise the one character. Empty when the
// caret is on a blank or beyond the line.
QString MarkedToken(const QString& sourceLine, int column);

// The last piece before the caret, blanks skipped, cut the same way: the
// name, number, literal or character that a missing ';' belongs behind.
// Empty when nothing comes before the caret on its line.
QString TokenBefore(const QString& sourceLine, int column);

} // namespace erklaerung
