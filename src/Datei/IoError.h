// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFileDevice;

namespace datei {

// The general error box's text for a failed file operation, from the
// system's error number: a refused access reads "Dateizugriff verweigert",
// anything else "E/A-Fehler <number>".
QString IoErrorText(int errorNumber);

// The error number of a failed operation on `file`: errno as it stood right
// after the failure, or, where the platform left none, one from Qt's own
// error kind.
int FileErrorNumber(const QFileDevice& file, int savedErrno);

[[noreturn]] void ThrowIoError(int errorNumber);

} // namespace datei
