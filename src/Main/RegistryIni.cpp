// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/RegistryIni.h"

#include "Base/KodiwerkError.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace {

QString Key(const QString& section, const QString& name) {
    return section + QLatin1Char('/') + name;
}

// Runs `check` on the settings as a fresh read of `file` finds them: settings
// objects of one file share what they hold in memory, also what could not be
// written, and remember a read that failed no longer. False when there is no
// file to read.
bool OnFreshRead(const QString& file, const std::function<bool(const QSettings&)>& check) {
    const QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("settings.conf"));
    if (!dir.isValid() || !QFile::copy(file, copy))
        return false;
    const QSettings fresh(copy, QSettings::IniFormat);
    return check(fresh);
}

// Bytes no settings file holds: settings are written as UTF-8 text without
// NUL characters, so a file with them is garbage, whatever it parses into.
bool IsNoSettingsText(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = utf8(bytes);
    return bytes.contains('\0') || utf8.hasError();
}

} // namespace

QString TRegistryIni::ReadString(const QString& section, const QString& name, const QString& def) {
    const QVariant value = Settings.value(Key(section, name));
    if (!value.isValid())
        return def;
    // A hand-edited file may hold lists ("a, b") or typed values (@Variant):
    // they cost that value alone, never the rest of the settings.
    if (value.typeId() != QMetaType::QString) {
        Skipped.append({section, name});
        return def;
    }
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

void TRegistryIni::ReplaceUnreadableStore() {
    // Every value is written anyway; what could not be parsed would only come back.
    if (IsNoSettingsText(Settings.fileName()) ||
        OnFreshRead(Settings.fileName(), [](const QSettings& fresh) {
            return fresh.status() == QSettings::FormatError;
        }))
        Settings.clear();
}

void TRegistryIni::WriteString(const QString& section, const QString& name, const QString& value) {
    Settings.setValue(Key(section, name), value);
    Written.insert(Key(section, name), value);
}

void TRegistryIni::WriteInteger(const QString& section, const QString& name, int value) {
    WriteString(section, name, QString::number(value));
}

void TRegistryIni::WriteBool(const QString& section, const QString& name, bool value) {
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TRegistryIni::HoldsWhatWasWritten() const {
    return OnFreshRead(Settings.fileName(), [this](const QSettings& stored) {
        for (auto it = Written.cbegin(); it != Written.cend(); ++it) {
            const QVariant value = stored.value(it.key());
            if (value.typeId() != QMetaType::QString || value.toString() != it.value())
                return false;
        }
        return true;
    });
}

void TRegistryIni::Flush() {
    Settings.sync();
    // The status also tells of a file that could not be read when it was
    // opened, and then keeps a later write failure to itself: what is in the
    // store afterwards decides.
    if (Settings.status() != QSettings::NoError && !HoldsWhatWasWritten())
        throw EKodiwerkError(mainform::SettingsNotWrittenText(Settings.fileName()));
}

namespace mainform {

QString UnreadableSettingsText(const QString& file,
                               const QList<std::pair<QString, QString>>& values) {
    if (values.isEmpty())
        return {};
    QStringList named;
    for (const auto& [section, name] : values)
        named << QStringLiteral("„%1“ im Abschnitt [%2]").arg(name, section);
    const QString path = QDir::toNativeSeparators(file);
    if (named.size() == 1)
        return QStringLiteral("In der Einstellungsdatei %1 ist der Wert für %2 unlesbar. "
                              "Kodiwerk nimmt dafür den Standardwert; alle anderen "
                              "Einstellungen bleiben, wie sie sind.")
            .arg(path, named.first());
    const QString last = named.takeLast();
    return QStringLiteral("In der Einstellungsdatei %1 sind die Werte für %2 und %3 unlesbar. "
                          "Kodiwerk nimmt dafür die Standardwerte; alle anderen Einstellungen "
                          "bleiben, wie sie sind.")
        .arg(path, named.join(QStringLiteral(", ")), last);
}

QString SettingsNotWrittenText(const QString& file) {
    return QStringLiteral("Die Einstellungen konnten nicht gespeichert werden: Die Datei %1 "
                          "lässt sich nicht schreiben. Ist ihr Ordner schreibgeschützt oder "
                          "der Datenträger voll?")
        .arg(QDir::toNativeSeparators(file));
}

} // namespace mainform
