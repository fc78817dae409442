// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Each test binary runs with a throw-away XDG_CONFIG_HOME (set by CTest);
// these helpers reach the program's settings file there.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

inline QString SettingsFilePath() {
    return QSettings(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk")).fileName();
}

// No settings at all: the file and its directory are gone, as on a first start.
inline void ClearSettings() {
    QSettings settings(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk"));
    settings.clear();
    settings.sync();
    QFileInfo(settings.fileName()).dir().removeRecursively();
}

// Writes the settings file by hand, as a user editing it would; false when
// it could not be written completely.
[[nodiscard]] inline bool WriteSettingsFile(const QByteArray& content) {
    ClearSettings();
    const QString path = SettingsFilePath();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush();
}

// Run by hand outside CTest, a test must not touch the developer's own settings.
inline void UseThrowAwayConfig() {
    static QTemporaryDir dir;
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", QDir(dir.path()).absolutePath().toLocal8Bit());
}
