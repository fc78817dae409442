#include "Main/RegistryIni.h"

#include "Base/KodiwerkError.h"

#include <QSettings>

namespace {
QString Key(const QString& section, const QString& name) {
    return section + QLatin1Char('/') + name;
}
} // namespace

QString TRegistryIni::ReadString(const QString& section, const QString& name, const QString& def) {
    const QVariant value = Settings.value(Key(section, name));
    if (!value.isValid())
        return def;
    // A hand-edited file may hold lists ("a, b") or typed values (@Variant):
    // those are not strings and are refused like a wrong registry type.
    if (value.typeId() != QMetaType::QString)
        throw EKodiwerkError(QStringLiteral("Ungültiger Datentyp für '%1'").arg(name));
    return value.toString();
}

int TRegistryIni::ReadInteger(const QString& section, const QString& name, int def) {
    const QString text = ReadString(section, name, QString());
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : def;
}

bool TRegistryIni::ReadBool(const QString& section, const QString& name, bool def) {
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

void TRegistryIni::WriteString(const QString& section, const QString& name, const QString& value) {
    Settings.setValue(Key(section, name), value);
}

void TRegistryIni::WriteInteger(const QString& section, const QString& name, int value) {
    WriteString(section, name, QString::number(value));
}

void TRegistryIni::WriteBool(const QString& section, const QString& name, bool value) {
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TRegistryIni::Flush() {
    Settings.sync();
    if (Settings.status() == QSettings::AccessError)
        throw EKodiwerkError(QStringLiteral("Erzeugung von Schlüssel %1 misslungen")
                                 .arg(QStringLiteral("Software\\quorndel\\Kodiwerk")));
    if (Settings.status() != QSettings::NoError)
        throw EKodiwerkError(
            QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(Settings.fileName()));
}
