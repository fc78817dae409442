// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The error list's rows as the tests compare them: their texts and their kinds.
#include "Datei/ErrorListRows.h"

#include <QList>
#include <QStringList>

inline QStringList Texts(const datei::TErrorRows& list) {
    QStringList texts;
    for (const datei::TErrorListEntry& entry : list.Entries)
        texts << entry.Text;
    return texts;
}

inline QList<datei::TErrorListEntry::TKind> Kinds(const datei::TErrorRows& list) {
    QList<datei::TErrorListEntry::TKind> kinds;
    for (const datei::TErrorListEntry& entry : list.Entries)
        kinds << entry.Kind;
    return kinds;
}
