// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/StateFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QtGlobal>

namespace recovery {

QString StateFolder() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt 6.4 knows no state location yet; this is the XDG rule: a relative
    // value is invalid and must be ignored.
    const QString xdg = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = !xdg.isEmpty() && QDir::isAbsolutePath(xdg)
                             ? xdg
                             : QDir::homePath() + QStringLiteral("/.local/state");
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
    return QDir::cleanPath(base + QStringLiteral("/quorndel/Kodiwerk"));
}

QString CopiesFolder(const QString& stateFolder) {
    return stateFolder + QStringLiteral("/recovery");
}

} // namespace recovery
