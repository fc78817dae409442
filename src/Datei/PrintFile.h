// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/PrintLines.h"
#include "Datei/SourceFile.h"

#include <QFile>

namespace datei {

// Printing into a text file: created, or emptied when it exists, and written
// in the given encoding with CR LF line ends.
class TTextFileChannel : public TTextChannel {
public:
    // Throws EKodiwerkError when the file cannot be created.
    TTextFileChannel(const QString& path, TFileEncoding encoding);
    void Write(const QString& text) override;
    void WriteLineEnd() override;
    void Close() override;

private:
    void WriteBytes(const QByteArray& bytes);

    QFile File;
    TFileEncoding Encoding;
};

// The encoding a printed copy of a document is written in: the document's
// own, except that a Latin-1 document holding a character Latin-1 cannot
// store is printed as UTF-8, as saving it would.
TFileEncoding PrintEncoding(const QStringList& lines, TFileEncoding documentEncoding);

// Prints `lines` into the file at `path` in the document's encoding.
void PrintToFile(const QString& path, const QStringList& lines, TFileEncoding documentEncoding,
                 const TPrintOptions& options);

} // namespace datei
