// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace doscall {

// What every program started from here gets: this process's environment,
// except that a locale which is not one usable UTF-8 locale becomes C.UTF-8.
// Arguments and file names go to the program as UTF-8, and a Java program in
// an ASCII locale would turn "Ü" in a path into "?" and not find the file.
QProcessEnvironment ChildEnvironment();

// The program file a start would run, as a full path: a name with a
// directory separator is taken relative to `workingDir` (or the current
// directory when that is empty), a bare name is looked up on PATH. Empty
// when there is no such file or it cannot be executed.
QString FindProgram(const QString& program, const QString& workingDir);

} // namespace doscall
