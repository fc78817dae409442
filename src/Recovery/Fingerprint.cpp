// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/Fingerprint.h"

#include <QCryptographicHash>
#include <QFile>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace recovery {

namespace {

QByteArray HashOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// The bytes of the file's version `stamp`; nothing when the file is another
// version by now or cannot be read. Unlike the editor's own read this leaves
// what lies beside the file alone: it runs on the worker thread, maybe while
// a save of this very file has its new text beside it under a temporary name.
std::optional<QByteArray> BytesOfVersion(const QString& path, const datei::TFileStamp& stamp) {
    if (datei::StampOf(path) != stamp)
        return std::nullopt;
    QFile file;
#ifdef Q_OS_UNIX
    // Not blocking, should a FIFO have taken the name since.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
#endif
    QByteArray bytes = file.readAll();
    // Written in between, or replaced: not the version asked for.
    if (file.error() != QFileDevice::NoError || datei::StampOf(path) != stamp)
        return std::nullopt;
    return bytes;
}

} // namespace

TFileFingerprint FingerprintOf(const QString& path, const datei::TFileStamp& stamp) {
    TFileFingerprint print{stamp, {}};
    if (!stamp.Exists())
        return print;
    // A version written in between is not the one the document holds.
    if (const std::optional<QByteArray> bytes = BytesOfVersion(path, stamp))
        print.Hash = HashOf(*bytes);
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
    const std::optional<QByteArray> bytes = BytesOfVersion(path, now);
    if (!bytes)
        return now == origin.Stamp ? TDiskState::Unchanged : TDiskState::Changed;
    return HashOf(*bytes) == origin.Hash ? TDiskState::Unchanged : TDiskState::Changed;
}

} // namespace recovery
