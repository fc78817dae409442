// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace datei {

// The two built-in document templates: every line ends in CR LF, the last one
// included, and both name the class "noname" like a new document.
QString ApplicationTemplate();
QString AppletTemplate();

} // namespace datei
