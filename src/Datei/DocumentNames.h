// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace datei {

// The file name's extension from its last "." on, dot included; "" when the
// file name has no dot. Directories in the path do not count.
QString FileExtension(const QString& path);

// The one-generation backup beside a file: its extension replaced by ".jav_",
// or ".jav_" appended when it has none (Hallo.java -> Hallo.jav_).
QString BackupName(const QString& path);

// A save dialog fills in at most three characters of the default extension,
// so a name ending in exactly ".jav" gets its "a" back. Case counts: ".JAV" stays.
QString CompleteJavaExtension(const QString& path);

// Whether a command-line argument names a Java source: ".java" exactly, case included.
bool IsJavaSourceArgument(const QString& argument);

// The filter list of the open and save dialogs, in Qt's notation, first entry selected.
QStringList SourceFileFilters();

// Records a just-saved file, newest first. A path already listed (exact
// comparison, case included) keeps its place; otherwise the oldest entry drops out.
void AddRecentFile(std::array<QString, 5>& files, const QString& path);

} // namespace datei
