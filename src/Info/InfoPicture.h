// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace info {

// The about box's picture, 320 × 230 pixels: the product name over a dusky
// editor page with coloured lines of code.
QPixmap KodiwerkPicture();

} // namespace info
