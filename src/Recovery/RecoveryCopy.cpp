// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/RecoveryCopy.h"

#include <QCryptographicHash>
#include <QMap>
#include <QtEndian>
#include <optional>

namespace recovery {

namespace {

const QByteArray Magic("Kodiwerk recovery copy 1\n");
const QByteArray SumKey("sha256: ");
constexpr qsizetype SumLineSize = 8 + 64 + 1; // key, hex digits, line feed

QByteArray Sum(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray EncodingName(datei::TFileEncoding encoding) {
    switch (encoding) {
    case datei::TFileEncoding::Utf8WithBom:
        return "utf-8-bom";
    case datei::TFileEncoding::Latin1:
        return "latin-1";
    case datei::TFileEncoding::Utf8:
        break;
    }
    return "utf-8";
}

std::optional<datei::TFileEncoding> EncodingFrom(const QByteArray& name) {
    if (name == "utf-8")
        return datei::TFileEncoding::Utf8;
    if (name == "utf-8-bom")
        return datei::TFileEncoding::Utf8WithBom;
    if (name == "latin-1")
        return datei::TFileEncoding::Latin1;
    return std::nullopt;
}

// A header value on one line: only '%' and line ends need escaping.
QByteArray Escaped(const QString& value) {
    QByteArray bytes = value.toUtf8();
    bytes.replace('%', "%25").replace('\n', "%0A").replace('\r', "%0D");
    return bytes;
}

QByteArray TextBytes(const QString& text, QByteArray& form) {
    if (text.isValidUtf16()) {
        form = "utf-8";
        return text.toUtf8();
    }
    form = "utf-16le";
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

QString TextFrom(const QByteArray& bytes, const QByteArray& form, bool& ok) {
    ok = true;
    if (form == "utf-8")
        return QString::fromUtf8(bytes);
    if (form == "utf-16le" && bytes.size() % 2 == 0) {
        QString text(bytes.size() / 2, Qt::Uninitialized);
        qFromLittleEndian<char16_t>(bytes.constData(), text.size(), text.data());
        return text;
    }
    ok = false;
    return {};
}

using THeader = QMap<QByteArray, QByteArray>;

// The header lines from just after the magic line up to the empty line; `end`
// is where the text begins. Nothing when the header is cut short.
std::optional<THeader> ReadHeader(const QByteArray& bytes, qsizetype& end) {
    THeader header;
    qsizetype at = Magic.size();
    while (true) {
        const qsizetype lineEnd = bytes.indexOf('\n', at);
        if (lineEnd < 0)
            return std::nullopt;
        const QByteArray line = bytes.mid(at, lineEnd - at);
        at = lineEnd + 1;
        if (line.isEmpty())
            break;
        const qsizetype colon = line.indexOf(": ");
        if (colon <= 0)
            return std::nullopt;
        header.insert(line.left(colon), line.mid(colon + 2));
    }
    end = at;
    return header;
}

qint64 Number(const THeader& header, const char* key, bool& ok) {
    bool good = false;
    const qint64 value = header.value(key).toLongLong(&good);
    ok = ok && good;
    return value;
}

// The copy the header and text describe; Good stays false when a field is missing or wrong.
TDecodedCopy Parse(const THeader& header, const QByteArray& text) {
    TDecodedCopy decoded;
    TRecoveryCopy& copy = decoded.Copy;
    copy.File = QString::fromUtf8(QByteArray::fromPercentEncoding(header.value("file")));
    bool ok = header.contains("file");
    copy.Slot = int(Number(header, "slot", ok));
    copy.Origin.Stamp.Size = Number(header, "origin-size", ok);
    copy.Origin.Stamp.ModifiedNs = Number(header, "origin-modified-ns", ok);
    copy.Origin.Hash = QByteArray::fromHex(header.value("origin-sha256"));
    copy.Written =
        QDateTime::fromString(QString::fromLatin1(header.value("written")), Qt::ISODateWithMs);
    const auto encoding = EncodingFrom(header.value("encoding"));
    if (encoding)
        copy.Encoding = *encoding;
    bool textOk = false;
    copy.Text = TextFrom(text, header.value("text-form"), textOk);
    decoded.Good = ok && textOk && encoding && copy.Written.isValid();
    return decoded;
}

} // namespace

QByteArray EncodeCopy(const TRecoveryCopy& copy) {
    QByteArray form;
    const QByteArray text = TextBytes(copy.Text, form);
    QByteArray bytes;
    bytes.reserve(text.size() + 512);
    bytes += Magic;
    bytes += "file: " + Escaped(copy.File) + '\n';
    bytes += "encoding: " + EncodingName(copy.Encoding) + '\n';
    bytes += "slot: " + QByteArray::number(copy.Slot) + '\n';
    bytes += "origin-size: " + QByteArray::number(copy.Origin.Stamp.Size) + '\n';
    bytes += "origin-modified-ns: " + QByteArray::number(copy.Origin.Stamp.ModifiedNs) + '\n';
    bytes += "origin-sha256: " + copy.Origin.Hash.toHex() + '\n';
    bytes += "written: " + copy.Written.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    bytes += "text-form: " + form + '\n';
    bytes += "text-bytes: " + QByteArray::number(text.size()) + "\n\n";
    bytes += text;
    bytes += '\n';
    bytes += SumKey + Sum(bytes) + '\n';
    return bytes;
}

TDecodedCopy DecodeCopy(const QByteArray& bytes) {
    TDecodedCopy decoded;
    decoded.Copy.File.clear();
    if (!bytes.startsWith(Magic))
        return decoded;
    qsizetype textStart = 0;
    const std::optional<THeader> header = ReadHeader(bytes, textStart);
    if (!header)
        return decoded;
    bool ok = true;
    const qint64 textBytes = Number(*header, "text-bytes", ok);
    const qsizetype sumStart = textStart + textBytes + 1;
    const bool complete =
        ok && textBytes >= 0 && sumStart + SumLineSize == bytes.size() &&
        bytes.at(sumStart - 1) == '\n' && bytes.mid(sumStart, SumKey.size()) == SumKey &&
        bytes.endsWith('\n') &&
        bytes.mid(sumStart + SumKey.size(), 64) == Sum(QByteArrayView(bytes.constData(), sumStart));
    if (!complete) {
        decoded.Copy.File =
            QString::fromUtf8(QByteArray::fromPercentEncoding(header->value("file")));
        return decoded;
    }
    return Parse(*header, bytes.mid(textStart, textBytes));
}

} // namespace recovery
