// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/PrintFile.h"

#include "Datei/IoError.h"

#include <cerrno>

namespace datei {

TTextFileChannel::TTextFileChannel(const QString& path, TFileEncoding encoding)
    : File(path), Encoding(encoding) {
    errno = 0;
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ThrowIoError(FileErrorNumber(File, errno));
    if (Encoding == TFileEncoding::Utf8WithBom)
        WriteBytes(QByteArray("\xEF\xBB\xBF"));
}

void TTextFileChannel::Write(const QString& text) {
    WriteBytes(Encoding == TFileEncoding::Latin1 ? text.toLatin1() : text.toUtf8());
}

void TTextFileChannel::WriteLineEnd() {
    WriteBytes(QByteArrayLiteral("\r\n"));
}

void TTextFileChannel::Close() {
    if (!File.isOpen())
        return;
    errno = 0;
    const bool flushed = File.flush();
    const int error = flushed ? 0 : FileErrorNumber(File, errno);
    File.close();
    if (!flushed)
        ThrowIoError(error);
}

void TTextFileChannel::WriteBytes(const QByteArray& bytes) {
    errno = 0;
    if (File.write(bytes) != bytes.size())
        ThrowIoError(FileErrorNumber(File, errno));
}

TFileEncoding PrintEncoding(const QStringList& lines, TFileEncoding documentEncoding) {
    if (documentEncoding != TFileEncoding::Latin1)
        return documentEncoding;
    for (const QString& line : lines)
        for (QChar c : line)
            if (c.unicode() > 0xFF)
                return TFileEncoding::Utf8;
    return documentEncoding;
}

void PrintToFile(const QString& path, const QStringList& lines, TFileEncoding documentEncoding,
                 const TPrintOptions& options) {
    TTextFileChannel target(path, PrintEncoding(lines, documentEncoding));
    PrintLines(lines, options, target);
}

} // namespace datei
