#pragma once

// Each test binary runs with a throw-away XDG_CONFIG_HOME (set by CTest);
// these helpers reach the program's settings file there.
#include <QFile>
#include <QSettings>
#include <QString>

inline QString SettingsFilePath() {
    return QSettings(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk")).fileName();
}

inline void ClearSettings() {
    QSettings settings(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk"));
    settings.clear();
    settings.sync();
    QFile::remove(settings.fileName());
}

// Writes the settings file by hand, as a user editing it would.
inline void WriteSettingsFile(const QByteArray& content) {
    ClearSettings();
    QFile file(SettingsFilePath());
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

#include <QDir>
#include <QTemporaryDir>

// Run by hand outside CTest, a test must not touch the developer's own settings.
inline void UseThrowAwayConfig() {
    static QTemporaryDir dir;
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", QDir(dir.path()).absolutePath().toLocal8Bit());
}
