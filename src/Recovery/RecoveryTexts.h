// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the window says about recovery, in German.
#include "Recovery/Leftovers.h"

#include <QList>
#include <QString>

namespace recovery {

// The question at start, listing the documents with what changed since:
// "Kodiwerk wurde nicht ordnungsgemäß beendet. Ungesicherte Änderungen an …
// wiederherstellen?" `room` is the number of free slots; documents beyond
// it are said to come again at the next start.
QString RestoreQuestion(const QList<TLeftover>& documents, int room);

// For a restored document whose file another program changed (or removed) since.
QString ChangedOnDiskNote(const TLeftover& document);

// Documents restored no further for want of a free slot: their copies stay.
QString KeptForLaterNote(const QList<TLeftover>& documents);

// Copies that could not be offered: damaged (set aside) or unreadable.
QString SetAsideNote(const QList<TSetAside>& copies);

// The state folder cannot take copies: shown once, editing goes on.
QString UnwritableNote(const QString& folder);

} // namespace recovery
