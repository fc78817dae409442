// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace hilfe {

// The file name of the help page that comes with Kodiwerk.
inline const QString HelpPageName = QStringLiteral("kodiwerk-hilfe.html");

// The folder holding that page: "../share/kodiwerk/help" from the program's
// folder (as installed, and in the build tree), else "kodiwerk/help" in the
// desktop's data folders. Empty when it is nowhere to be found.
QString ShippedHelpFolder();
QString ShippedHelpFolderFrom(const QString& programDir);

// The full path of that page; empty when it is nowhere to be found.
QString ShippedHelpPage();

} // namespace hilfe
