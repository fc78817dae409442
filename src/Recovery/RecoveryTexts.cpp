// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/RecoveryTexts.h"

#include <QDir>
#include <QStringList>
#include <algorithm>

namespace recovery {

namespace {

const QString Opening =
    QStringLiteral("Kodiwerk wurde nicht ordnungsgemäß beendet. Ungesicherte Änderungen an ");

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The document's name with what the user needs to know about it.
QString Described(const TLeftover& document) {
    const QString name = Native(document.Copy.File);
    switch (document.Disk) {
    case TDiskState::NoFile:
        return document.Copy.Unnamed() ? name + QStringLiteral(" (neu, noch ohne Namen)") : name;
    case TDiskState::Changed:
        return name + QStringLiteral(" (inzwischen von einem anderen Programm geändert)");
    case TDiskState::Gone:
        return name + QStringLiteral(" (die Datei gibt es nicht mehr)");
    case TDiskState::Unchanged:
        break;
    }
    return name;
}

QString FreeSlots(int room) {
    if (room <= 0)
        return QStringLiteral("Es ist keine Seite frei.");
    if (room == 1)
        return QStringLiteral("Es ist nur eine Seite frei.");
    return QStringLiteral("Es sind nur %1 Seiten frei.").arg(room);
}

QStringList Names(const QList<TLeftover>& documents) {
    QStringList names;
    for (const TLeftover& document : documents)
        names << Native(document.Copy.File);
    return names;
}

} // namespace

QString RestoreQuestion(const QList<TLeftover>& documents, int room) {
    QString text = Opening;
    if (documents.size() == 1) {
        text += Described(documents.first()) + QStringLiteral(" wiederherstellen?");
    } else {
        text += QStringLiteral("%1 Dokumenten wiederherstellen?\n").arg(documents.size());
        for (const TLeftover& document : documents)
            text += QLatin1Char('\n') + Described(document);
    }
    const bool changed = std::any_of(documents.begin(), documents.end(), [](const TLeftover& d) {
        return d.Disk == TDiskState::Changed || d.Disk == TDiskState::Gone;
    });
    if (changed)
        text += QStringLiteral("\n\nDie Dateien auf der Festplatte bleiben, wie sie sind, bis Sie "
                               "speichern.");
    if (documents.size() > room)
        text +=
            QStringLiteral("\n\n") + FreeSlots(room) +
            QStringLiteral(" Die übrigen Dokumente werden beim nächsten Start wieder angeboten.");
    text += QStringLiteral("\n\nMit „Nein“ werden die Sicherungen gelöscht.");
    return text;
}

QString ChangedOnDiskNote(const TLeftover& document) {
    const QString name = Native(document.Copy.File);
    if (document.Disk == TDiskState::Gone)
        return QStringLiteral("Die Datei %1 gibt es nicht mehr. Die Seite zeigt Ihren "
                              "wiederhergestellten Text; speichern Sie ihn, um ihn zu behalten.")
            .arg(name);
    return QStringLiteral("Die Datei %1 wurde inzwischen von einem anderen Programm geändert. Die "
                          "Seite zeigt Ihren wiederhergestellten Text; die Datei bleibt, wie sie "
                          "ist, bis Sie speichern.")
        .arg(name);
}

QString KeptForLaterNote(const QList<TLeftover>& documents) {
    return QStringLiteral("Für diese Dokumente war keine Seite mehr frei:\n\n%1\n\nIhre "
                          "Sicherungen bleiben erhalten und werden beim nächsten Start wieder "
                          "angeboten.")
        .arg(Names(documents).join(QLatin1Char('\n')));
}

QString SetAsideNote(const QList<TSetAside>& copies) {
    QStringList notes;
    for (const TSetAside& copy : copies) {
        const QString where = Native(copy.Where);
        const QString of = copy.File.isEmpty()
                               ? QStringLiteral("Eine Sicherung")
                               : QStringLiteral("Die Sicherung von %1").arg(Native(copy.File));
        notes << (copy.Damaged
                      ? QStringLiteral("%1 ist beschädigt und kann nicht wiederhergestellt "
                                       "werden. Sie liegt jetzt hier: %2")
                            .arg(of, where)
                      : QStringLiteral("%1 kann nicht gelesen werden. Sie bleibt hier: %2")
                            .arg(of, where));
    }
    return notes.join(QStringLiteral("\n\n"));
}

QString UnwritableNote(const QString& folder) {
    return QStringLiteral("Kodiwerk kann im Ordner %1 keine Sicherungen ungespeicherter "
                          "Änderungen anlegen. Sie können weiterarbeiten, aber speichern Sie "
                          "öfter: Nach einem Absturz wären ungespeicherte Änderungen verloren.")
        .arg(Native(folder));
}

} // namespace recovery
