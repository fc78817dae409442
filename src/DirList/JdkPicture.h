// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace dirlist {

// The confirmation that a directory holds the Java compiler: the letters JDK
// in blue with a tick after them, 70 x 22 pixels.
QPixmap JdkConfirmPicture(qreal devicePixelRatio = 1.0);

// A transparent picture of the same size, so entries without it line up.
QPixmap JdkBlankPicture(qreal devicePixelRatio = 1.0);

} // namespace dirlist
