// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace datei {

// The files named on the command line, sorted into those to open and, for
// every other argument, why it is not opened.
struct TCommandLineFiles {
    QStringList Open;    // full paths, in the order given
    QStringList Refused; // one German sentence per argument left out, naming it
    // All refusals in one message, one per line; "" when there are none.
    QString Message() const { return Refused.join(QLatin1Char('\n')); }
};

// Sorts `arguments` (relative ones taken from `workingDir`): existing
// ".java" files (exact extension, case included) are opened, up to `room`
// of them; the others are refused: a name that is no Java source, a file
// that does not exist, one that is no plain file, and every one beyond `room`.
TCommandLineFiles CommandLineFiles(const QStringList& arguments, const QString& workingDir,
                                   int room = 5);

} // namespace datei
