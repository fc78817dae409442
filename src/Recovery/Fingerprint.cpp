// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/Fingerprint.h"

#include <QCryptographicHash>

namespace recovery {

namespace {

QByteArray HashOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

TFileFingerprint FingerprintOf(const QString& path, const datei::TFileStamp& stamp) {
    TFileFingerprint print{stamp, {}};
    if (!stamp.Exists())
        return print;
    const datei::TFileContent content = datei::ReadRegularFile(path);
    // A version written in between is not the one the document holds.
    if (content.Status == datei::TReadStatus::Read && content.Stamp == stamp)
        print.Hash = HashOf(content.Bytes);
    return print;
}

TDiskState DiskStateOf(const QString& path, const TFileFingerprint& origin) {
    if (!origin.Stamp.Exists())
        return TDiskState::NoFile;
    const datei::TFileStamp now = datei::StampOf(path);
    if (!now.Exists())
        return TDiskState::Gone;
    if (origin.Hash.isEmpty())
        return now == origin.Stamp ? TDiskState::Unchanged : TDiskState::Changed;
    if (now.Size != origin.Stamp.Size)
        return TDiskState::Changed;
    // The bytes decide: a file touched or checked out again is the same
    // version, and a rewrite within the clock's resolution is not.
    const datei::TFileContent content = datei::ReadRegularFile(path);
    if (content.Status != datei::TReadStatus::Read)
        return now == origin.Stamp ? TDiskState::Unchanged : TDiskState::Changed;
    return HashOf(content.Bytes) == origin.Hash ? TDiskState::Unchanged : TDiskState::Changed;
}

} // namespace recovery
