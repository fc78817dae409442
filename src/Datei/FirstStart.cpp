// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/FirstStart.h"

#include <QDir>
#include <QFileInfo>

namespace datei {

QString DialogFolder(const QString& projectDir, const QString& home) {
    if (!projectDir.isEmpty())
        return projectDir;
    const QString own = QDir(home).filePath(QStringLiteral("Kodiwerk"));
    if (QDir().mkpath(own) && QFileInfo(own).isDir())
        return own;
    return home;
}

QString DialogFolder(const QString& projectDir) {
    return DialogFolder(projectDir, QDir::homePath());
}

QStringList EmptyAreaHint() {
    return {QStringLiteral("Ein neues Programm beginnt mit Datei->Neue Application, eine "
                           "vorhandene Datei öffnet Datei->Öffnen..."),
            QStringLiteral("Die zuletzt gespeicherten Dateien stehen unten im Menü Datei.")};
}

} // namespace datei
