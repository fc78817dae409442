#pragma once

#include "Datei/SourceFile.h"

#include <QString>

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

    bool Unnamed() const { return File == NoName; }
};
