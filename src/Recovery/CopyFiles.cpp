// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/CopyFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace recovery {

namespace {

int ErrorOf(const QFileDevice& file) {
    switch (file.error()) {
    case QFileDevice::NoError:
        return 0;
    case QFileDevice::PermissionsError:
        return EACCES;
    case QFileDevice::ResourceError:
        return ENOSPC;
    default:
        return errno != 0 ? errno : EIO;
    }
}

} // namespace

void SyncFolder(const QString& folder) {
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#else
    Q_UNUSED(folder);
#endif
}

int WriteCopyFile(const QString& path, const QByteArray& bytes) {
    errno = 0;
    // QSaveFile writes aside and flushes the data to the disk (fdatasync)
    // before the new file takes the name; the rename itself is flushed below.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return ErrorOf(file);
    if (file.write(bytes) != bytes.size()) {
        const int error = ErrorOf(file);
        file.cancelWriting();
        return error != 0 ? error : EIO;
    }
    if (!file.commit())
        return ErrorOf(file) != 0 ? ErrorOf(file) : EIO;
    SyncFolder(QFileInfo(path).path());
    return 0;
}

bool RemoveCopyFile(const QString& path) {
    if (!QFile::remove(path) && QFileInfo::exists(path))
        return false;
    SyncFolder(QFileInfo(path).path());
    return true;
}

bool MoveCopyFile(const QString& from, const QString& to) {
    QFile::remove(to);
    if (!QFile::rename(from, to))
        return false;
    SyncFolder(QFileInfo(from).path());
    SyncFolder(QFileInfo(to).path());
    return true;
}

} // namespace recovery
