// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <utility>

class QSettings;

// Typed access to the settings sections. Every value is stored as a string:
// integers in decimal, booleans as "1"/"0".
class TRegistryIni {
public:
    explicit TRegistryIni(QSettings& settings) : Settings(settings) {}

    // A value that exists but is no string (a hand-edited "a, b" reads as a
    // list) counts as missing: the default, and it is noted in Unreadable().
    QString ReadString(const QString& section, const QString& name, const QString& def);
    // Not a decimal integer: the default.
    int ReadInteger(const QString& section, const QString& name, int def);
    // True exactly when the integer read (with default 1 or 0) is not 0.
    bool ReadBool(const QString& section, const QString& name, bool def);
    // The values read so far that were no strings, as (section, name).
    const QList<std::pair<QString, QString>>& Unreadable() const { return Skipped; }

    // A store that could not be read as settings at all (garbage, a binary
    // file) is written anew instead of being merged into.
    void ReplaceUnreadableStore();
    void WriteString(const QString& section, const QString& name, const QString& value);
    void WriteInteger(const QString& section, const QString& name, int value);
    void WriteBool(const QString& section, const QString& name, bool value);

    // Writes everything out. Throws the general error, naming the file,
    // only when what was written is not in the store afterwards.
    void Flush();

private:
    bool HoldsWhatWasWritten() const;

    QSettings& Settings;
    QList<std::pair<QString, QString>> Skipped;
    QMap<QString, QString> Written; // key -> value
};

namespace mainform {

// What the user is told once about values that could not be read from
// `file`, each named with its section, and that their defaults stand in.
QString UnreadableSettingsText(const QString& file,
                               const QList<std::pair<QString, QString>>& values);
// What the user is told when the settings could not be written to `file`.
QString SettingsNotWrittenText(const QString& file);

} // namespace mainform
