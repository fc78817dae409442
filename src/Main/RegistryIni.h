#pragma once

#include <QString>

class QSettings;

// Typed access to the settings sections. Every value is stored as a string:
// integers in decimal, booleans as "1"/"0".
class TRegistryIni {
public:
    explicit TRegistryIni(QSettings& settings) : Settings(settings) {}

    // A value that exists but is not a string raises "Ungültiger Datentyp für '<name>'".
    QString ReadString(const QString& section, const QString& name, const QString& def);
    // Not a decimal integer: the default.
    int ReadInteger(const QString& section, const QString& name, int def);
    // True exactly when the integer read (with default 1 or 0) is not 0.
    bool ReadBool(const QString& section, const QString& name, bool def);

    void WriteString(const QString& section, const QString& name, const QString& value);
    void WriteInteger(const QString& section, const QString& name, int value);
    void WriteBool(const QString& section, const QString& name, bool value);

    // Writes everything out; a store that cannot be written raises an error.
    void Flush();

private:
    QSettings& Settings;
};
