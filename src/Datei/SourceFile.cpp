// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/SourceFile.h"

#include <QStringDecoder>
#include <optional>

namespace datei {

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

// The UTF-8 reading of the bytes, or nullopt when they are no UTF-8 that
// would be written back byte for byte.
std::optional<QString> StrictUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.toUtf8() != bytes)
        return std::nullopt;
    return text;
}

bool FitsLatin1(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

// Every lone CR and lone LF as CR LF, in one pass; a text whose breaks are all CR LF already
// comes back as it is, without a copy.
QString WithCrLfBreaks(QString text) {
    const qsizetype n = text.size();
    const QChar* in = text.constData();
    const auto lone = [&](qsizetype i) {
        if (in[i] == QLatin1Char('\r'))
            return i + 1 >= n || in[i + 1] != QLatin1Char('\n');
        return in[i] == QLatin1Char('\n') && (i == 0 || in[i - 1] != QLatin1Char('\r'));
    };
    qsizetype loneBreaks = 0;
    for (qsizetype i = 0; i < n; ++i)
        loneBreaks += lone(i);
    if (loneBreaks == 0)
        return text;
    QString result(n + loneBreaks, Qt::Uninitialized);
    QChar* out = result.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (lone(i)) {
            *out++ = QLatin1Char('\r');
            *out++ = QLatin1Char('\n');
        } else {
            *out++ = in[i];
        }
    }
    return result;
}

} // namespace

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

TSourceText DecodeSource(const QByteArray& bytes) {
    TSourceText source;
    QString text;
    if (std::optional<QString> utf8 = StrictUtf8(bytes)) {
        text = std::move(*utf8);
        if (bytes.startsWith(Bom)) {
            text.remove(0, 1);
            source.Encoding = TFileEncoding::Utf8WithBom;
        }
    } else {
        text = QString::fromLatin1(bytes);
        source.Encoding = TFileEncoding::Latin1;
    }
    // The same text as splitting into lines and joining them with CR LF, without the lines.
    source.Text = WithCrLfBreaks(std::move(text));
    return source;
}

QByteArray EncodeLines(const QStringList& lines, TFileEncoding& encoding) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    // Storing a typed character as '?' would lose it without a word.
    if (encoding == TFileEncoding::Latin1 && !FitsLatin1(text))
        encoding = TFileEncoding::Utf8;
    switch (encoding) {
    case TFileEncoding::Latin1:
        return text.toLatin1();
    case TFileEncoding::Utf8WithBom:
        return Bom + text.toUtf8();
    case TFileEncoding::Utf8:
        break;
    }
    return text.toUtf8();
}

bool LooksBinary(const QByteArray& bytes) {
    qsizetype controls = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0)
            return true;
        if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f') || b == 0x7F)
            ++controls;
    }
    return controls * 10 > bytes.size();
}

TSourceFile LoadSourceFile(const QString& path) {
    TSourceFile file;
    const TFileContent content = ReadRegularFile(path);
    file.Status = content.Status;
    if (content.Status != TReadStatus::Read)
        return file;
    file.Source = DecodeSource(content.Bytes);
    file.Stamp = content.Stamp;
    file.Binary = LooksBinary(content.Bytes);
    return file;
}

TSaveResult SaveSourceFile(const QString& path, const QStringList& lines, TFileEncoding encoding) {
    TSaveResult result;
    result.Encoding = encoding;
    const QByteArray bytes = EncodeLines(lines, result.Encoding);
    static_cast<TWriteResult&>(result) = WriteWithBackup(path, bytes);
    result.BecameUtf8 = encoding == TFileEncoding::Latin1 && result.Encoding == TFileEncoding::Utf8;
    return result;
}

} // namespace datei
