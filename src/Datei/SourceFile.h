#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

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

// Keeps the previous version of a file as its one backup (see BackupName):
// an old backup is deleted, then the file is renamed. Nothing here can fail
// a save: a new file has nothing to move, and a stuck backup is left alone.
void MoveToBackup(const QString& path);

// nullopt when the file cannot be read.
std::optional<TSourceText> ReadSourceFile(const QString& path);
// Replaces the file as a whole or not at all; false when it cannot be written.
bool WriteSourceFile(const QString& path, const QStringList& lines, TFileEncoding& encoding);

} // namespace datei
