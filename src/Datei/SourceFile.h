// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/FileStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace datei {

// How a source file's bytes map onto text. A file is written back the way it
// was read, so saving without edits changes no byte but line ends.
enum class TFileEncoding {
    Utf8,        // also every new document
    Utf8WithBom, // UTF-8 that began with a byte order mark, kept on writing
    Latin1,      // anything that is not valid UTF-8: every byte is one character
};

// A file's content as the editor takes it: every line break as CR LF.
struct TSourceText {
    QString Text;
    TFileEncoding Encoding = TFileEncoding::Utf8;
};

// CR LF, a lone CR and a lone LF each end a line; a break at the very end
// starts no further line, so "" and "a\r\n" hold zero and one line.
QStringList SplitLines(const QString& text);

// UTF-8 when the bytes are valid UTF-8 (and come back unchanged when encoded
// again), otherwise Latin-1.
TSourceText DecodeSource(const QByteArray& bytes);

// Every line followed by CR LF. A Latin-1 text holding a character Latin-1
// cannot store is written as UTF-8 instead, and `encoding` says so afterwards.
QByteArray EncodeLines(const QStringList& lines, TFileEncoding& encoding);

// Whether bytes look like no text, so that opening them as one needs asking:
// a NUL byte, or more than one byte in ten a control character other than
// tab, line ends and form feed.
bool LooksBinary(const QByteArray& bytes);

// A source file as read from disk.
struct TSourceFile {
    TReadStatus Status = TReadStatus::Failed;
    TSourceText Source;
    TFileStamp Stamp;    // of the version read, to tell a change by another program
    bool Binary = false; // see LooksBinary
};
// Reads only a regular file; anything else (a FIFO, a device) is refused at once.
TSourceFile LoadSourceFile(const QString& path);

struct TSaveResult : TWriteResult {
    TFileEncoding Encoding = TFileEncoding::Utf8; // as written
    // A Latin-1 text held a character Latin-1 cannot store, so the file is UTF-8 now.
    bool BecameUtf8 = false;
};
// Writes the lines, each followed by CR LF, in the given encoding (see
// EncodeLines) with the previous version as backup (see WriteWithBackup).
TSaveResult SaveSourceFile(const QString& path, const QStringList& lines, TFileEncoding encoding);

} // namespace datei
