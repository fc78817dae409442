// SPDX-License-Identifier: GPL-3.0-or-later
#include "Hilfe/HelpPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace hilfe {

QString ShippedHelpFolder() {
    return ShippedHelpFolderFrom(QCoreApplication::applicationDirPath());
}

QString ShippedHelpPage() {
    const QString folder = ShippedHelpFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + HelpPageName;
}

QString ShippedHelpFolderFrom(const QString& programDir) {
    const QString besideProgram =
        QDir::cleanPath(programDir + QStringLiteral("/../share/kodiwerk/help"));
    if (QFileInfo::exists(besideProgram + QLatin1Char('/') + HelpPageName))
        return besideProgram;
    const QString page = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                QStringLiteral("kodiwerk/help/") + HelpPageName);
    return page.isEmpty() ? QString() : QFileInfo(page).absolutePath();
}

} // namespace hilfe
