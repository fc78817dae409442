// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/SourceFile.h"
#include "Recovery/Fingerprint.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace recovery {

// The file name of a document that has none yet, as the slots mark it.
inline const QString NoName = QStringLiteral("noname.java");

// One copy of an unsaved document, as kept in the state folder.
struct TRecoveryCopy {
    QString File = NoName; // full path, or NoName
    datei::TFileEncoding Encoding = datei::TFileEncoding::Utf8;
    int Slot = 1;            // 1..5 when the copy was taken
    TFileFingerprint Origin; // the file version the document was based on
    QDateTime Written;       // when the text was taken (UTC)
    QString Text;            // exactly as the editor held it

    bool Unnamed() const { return File == NoName; }
};

// The copy as bytes: a short header of "name: value" lines, the text as
// UTF-8 (UTF-16 when the text holds a lone surrogate, which UTF-8 cannot
// carry), and last a SHA-256 of everything before it, so a copy cut short or
// damaged anywhere is never taken for a good one. The text stays readable in
// any editor, should someone ever need to rescue it by hand.
QByteArray EncodeCopy(const TRecoveryCopy& copy);

struct TDecodedCopy {
    bool Good = false;
    // When Good, the whole copy; otherwise File holds what the header still
    // tells (empty when not even that), for the report.
    TRecoveryCopy Copy;
};

TDecodedCopy DecodeCopy(const QByteArray& bytes);

} // namespace recovery
