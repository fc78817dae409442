// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a user who has set nothing yet is given: a folder for the files and
// a hint in the empty window.
#include <QString>
#include <QStringList>

namespace datei {

// The folder the open and save dialogs start in: the project directory when
// one is set; otherwise the user's own "Kodiwerk" folder in `home` (made
// here when it is missing), or `home` itself when that folder cannot be
// made. Never the directory the program was started from.
QString DialogFolder(const QString& projectDir, const QString& home);
// The same for the user's real home folder.
QString DialogFolder(const QString& projectDir);

// What the editor area says while no page is open: two lines in the manner
// of the error list's introduction.
QStringList EmptyAreaHint();

} // namespace datei
