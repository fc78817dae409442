// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace doscall {

// Starts `program` with `arguments` in `workingDir` (empty: the current
// directory) in a console window of its own — on Linux a terminal emulator
// (see FindTerminal), minimised when asked and the terminal can — and returns
// at once, keeping no hold on it: the program lives on when the editor ends.
// False when the program does not exist or cannot be executed, no terminal
// is found, or the terminal cannot be started; the caller reports that.
bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingDir,
                  bool minimised);

} // namespace doscall
