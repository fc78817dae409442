// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/IoError.h"

#include "Base/KodiwerkError.h"

#include <QFileDevice>
#include <cerrno>

namespace datei {

QString IoErrorText(int errorNumber) {
    switch (errorNumber) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: // a directory cannot be written as a file: refused, as on Windows
        return QStringLiteral("Dateizugriff verweigert");
    default:
        return QStringLiteral("E/A-Fehler %1").arg(errorNumber);
    }
}

int FileErrorNumber(const QFileDevice& file, int savedErrno) {
    if (savedErrno != 0)
        return savedErrno;
    return file.error() == QFileDevice::PermissionsError ? EACCES : EIO;
}

void ThrowIoError(int errorNumber) {
    throw EKodiwerkError(IoErrorText(errorNumber));
}

} // namespace datei
