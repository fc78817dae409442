// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/ErrorListRows.h"
#include "Datei/SourceFile.h"
#include "Recovery/CopyWriter.h"

#include <QList>
#include <QString>
#include <QStringList>

// What belongs to the document in one editor slot, besides what its editor
// holds itself (text, caret, undo, modification flag). Taking a slot for a
// document starts a fresh record; closing a slot moves each later document's
// record down as a whole, so a field added here travels with its document
// without further code.
struct TSlotDocument {
    // The file name of a document that has none yet; compared exactly.
    static inline const QString NoName = QStringLiteral("noname.java");

    QString File = NoName; // full path, or NoName
    // How the file is written back: the way it was read, UTF-8 for a new one.
    datei::TFileEncoding Encoding = datei::TFileEncoding::Utf8;
    // The file's version as last read or written here; none for a new
    // document or a name just chosen by Save as.
    datei::TFileStamp Stamp;
    // The error list of the document's last compile, shown while its page is:
    // each entry with the place a double-click jumps to.
    datei::TErrorRows Errors;
    // Made from a template and not yet saved under a name: its first name
    // becomes its class name.
    bool FromTemplate = false;
    // How crash recovery knows the document; 0 while it is told nothing of
    // it (a slot no longer in use, or a record just moved down).
    recovery::TDocumentId RecoveryId = 0;

    bool Unnamed() const { return File == NoName; }
};
