// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/FileStore.h"

#include "Datei/DocumentNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <QRandomGenerator>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDateTime>
#include <QSaveFile>
#endif

namespace datei {

namespace {

// The file a path finally names: symbolic links followed, also to a file
// that does not exist yet. A loop of links is left for opening to refuse.
QString FollowLinks(const QString& path) {
    QString target = path;
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            break;
        target = info.symLinkTarget();
    }
    return target;
}

TWriteResult Failed(TWriteResult result, int error) {
    result.Written = false;
    result.Error = error != 0 ? error : EIO;
    return result;
}

} // namespace

bool ChangedOnDisk(const QString& path, const TFileStamp& known) {
    const TFileStamp now = StampOf(path);
    return known.Exists() && now.Exists() && now != known;
}

#ifdef Q_OS_UNIX

namespace {

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

TFileStamp StampFrom(const struct stat& st) {
    TFileStamp stamp;
    stamp.Size = st.st_size;
    stamp.ModifiedNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    return stamp;
}

// A name beside `target` that no document has: hidden and ending in '~'.
QByteArray NameBeside(const QString& target) {
    const QFileInfo info(target);
    const quint32 random = QRandomGenerator::global()->generate();
    return Native(info.path() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
                  QString::number(random, 16) + QLatin1Char('~'));
}

// Removes what a save killed in the middle left beside `target`: hidden
// files named as NameBeside names them, and nothing else.
void RemoveStaleTemporaries(const QString& target) {
    const QFileInfo info(target);
    const QRegularExpression own(QStringLiteral("^\\.%1\\.[0-9a-f]{1,8}~$")
                                     .arg(QRegularExpression::escape(info.fileName())));
    const QDir dir(info.path(), QStringLiteral(".*~"), QDir::NoSort,
                   QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : dir.entryList())
        if (own.match(name).hasMatch())
            ::unlink(Native(dir.filePath(name)).constData());
}

// Creates a new empty file beside `target`; -1 with errno on failure. A file
// that takes another's place is private until it gets that one's mode, so no
// one can open it in between; a new document gets the usual permissions.
int CreateBeside(const QString& target, mode_t mode, QByteArray& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = NameBeside(target);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// A second name for `target` beside it; empty when the file system has no
// hard links or refuses one.
QByteArray LinkBeside(const QString& target) {
    const QByteArray from = Native(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = NameBeside(target);
        if (::link(from.constData(), name.constData()) == 0)
            return name;
        if (errno != EEXIST)
            break;
    }
    return {};
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

// Writes, flushes to the disk and closes; 0 or the errno of the failed step.
int FinishFile(int fd, const QByteArray& bytes) {
    int error = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// A complete new file with the given mode beside `target` holding `bytes`;
// empty (errno set) when it cannot be made, and nothing is left behind then.
QByteArray WriteBeside(const QString& target, mode_t mode, const QByteArray& bytes) {
    QByteArray name;
    const int fd = CreateBeside(target, 0600, name);
    if (fd < 0)
        return {};
    (void)::fchmod(fd, mode);
    if (const int error = FinishFile(fd, bytes)) {
        ::unlink(name.constData());
        errno = error;
        return {};
    }
    return name;
}

// Makes a renamed file durable: its directory entry is on disk too.
void SyncDirectoryOf(const QString& path) {
    const int dir =
        ::open(Native(QFileInfo(path).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return;
    ::fsync(dir);
    ::close(dir);
}

// Puts a held second name of the previous version under the backup name.
TBackup KeepAsBackup(const QByteArray& held, const QString& target) {
    const QString backup = BackupName(target);
    if (!held.isEmpty() && backup != target &&
        ::rename(held.constData(), Native(backup).constData()) == 0)
        return TBackup::Kept;
    if (!held.isEmpty())
        ::unlink(held.constData());
    return TBackup::Skipped;
}

// Writes into the file itself, keeping its identity (inode, owner, links).
// Room for a longer text is reserved first, so a full disk fails before any
// byte changes; a write that fails later puts the old bytes back.
int OverwriteInPlace(const QString& target, const QByteArray& bytes, const QByteArray& old,
                     TFileStamp& stamp) {
    const int fd = ::open(Native(target).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (bytes.size() > old.size()) {
        const int error = ::posix_fallocate(fd, old.size(), bytes.size() - old.size());
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL) {
            (void)::ftruncate(fd, old.size());
            ::close(fd);
            return error;
        }
    }
    int error = 0;
    if (!WriteAll(fd, bytes) || ::ftruncate(fd, bytes.size()) != 0 || ::fsync(fd) != 0) {
        error = errno;
        if (WriteAll(fd, old))
            (void)::ftruncate(fd, old.size());
    }
    struct stat st {};
    if (error == 0 && ::fstat(fd, &st) == 0)
        stamp = StampFrom(st);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// The save for a file that must stay the same file: in a directory that
// forbids new files (no backup then), or one that the new file could not
// replace without changing its owner or cutting its hard links (the backup
// is a copy then).
TWriteResult WriteIntoFile(TWriteResult result, const QByteArray& bytes, bool copyBackup,
                           mode_t mode) {
    const TFileContent old = ReadRegularFile(result.Target);
    if (old.Status != TReadStatus::Read)
        return Failed(result, errno);
    QByteArray copy;
    if (copyBackup && BackupName(result.Target) != result.Target) {
        copy = WriteBeside(result.Target, mode, old.Bytes);
        if (copy.isEmpty())
            return Failed(result, errno);
    }
    if (const int error = OverwriteInPlace(result.Target, bytes, old.Bytes, result.Stamp)) {
        if (!copy.isEmpty())
            ::unlink(copy.constData());
        return Failed(result, error);
    }
    result.Written = true;
    result.InPlace = !copyBackup;
    result.Backup = KeepAsBackup(copy, result.Target);
    return result;
}

} // namespace

TFileStamp StampOf(const QString& path) {
    struct stat st {};
    if (::stat(Native(path).constData(), &st) != 0)
        return {};
    return StampFrom(st);
}

TFileContent ReadRegularFile(const QString& path) {
    TFileContent content;
    const QByteArray name = Native(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return content;
    if (!S_ISREG(st.st_mode)) {
        content.Status = TReadStatus::NotRegular;
        return content;
    }
    // Not blocking, should a FIFO have taken the name since.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return content;
    QFile file;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        content.Status = S_ISREG(st.st_mode) ? TReadStatus::Failed : TReadStatus::NotRegular;
        ::close(fd);
        return content;
    }
    content.Bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || ::fstat(fd, &st) != 0) {
        content.Bytes.clear();
        return content;
    }
    content.Stamp = StampFrom(st);
    content.Status = TReadStatus::Read;
    RemoveStaleTemporaries(FollowLinks(path));
    return content;
}

TWriteResult WriteWithBackup(const QString& path, const QByteArray& bytes) {
    TWriteResult result;
    result.Target = FollowLinks(path);
    const QByteArray target = Native(result.Target);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return Failed(result, S_ISDIR(old.st_mode) ? EISDIR : EINVAL);

    const mode_t mode = old.st_mode & 07777;
    RemoveStaleTemporaries(result.Target);
    QByteArray temp;
    const int fd = CreateBeside(result.Target, exists ? 0600 : 0666, temp);
    if (fd < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM || error == EROFS))
            return WriteIntoFile(result, bytes, false, mode);
        return Failed(result, error);
    }
    if (exists) {
        const bool sameOwner = ::fchown(fd, old.st_uid, old.st_gid) == 0;
        if (!sameOwner || old.st_nlink > 1) {
            ::close(fd);
            ::unlink(temp.constData());
            return WriteIntoFile(result, bytes, true, mode);
        }
        (void)::fchmod(fd, mode);
    }
    if (const int error = FinishFile(fd, bytes)) {
        ::unlink(temp.constData());
        return Failed(result, error);
    }

    // The previous version gets a second name before the new file takes the
    // path in one step. Without hard links it moves to the backup name
    // instead, and for that moment the path is empty.
    QByteArray held;
    bool moved = false;
    const QByteArray backup = Native(BackupName(result.Target));
    if (exists) {
        held = LinkBeside(result.Target);
        if (held.isEmpty() && backup != target)
            moved = ::rename(target.constData(), backup.constData()) == 0;
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        if (!held.isEmpty())
            ::unlink(held.constData());
        if (moved)
            ::rename(backup.constData(), target.constData());
        return Failed(result, error);
    }
    result.Written = true;
    if (exists)
        result.Backup = moved ? TBackup::Kept : KeepAsBackup(held, result.Target);
    SyncDirectoryOf(result.Target);
    result.Stamp = StampOf(result.Target);
    return result;
}

#else

// Elsewhere Qt's own safe save: the complete text goes to a temporary file
// that then replaces the file; the backup is a copy made just before.

TFileStamp StampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch() * 1'000'000};
}

TFileContent ReadRegularFile(const QString& path) {
    TFileContent content;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        content.Status = TReadStatus::NotRegular;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return content;
    content.Bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return content;
    content.Stamp = StampOf(path);
    content.Status = TReadStatus::Read;
    return content;
}

TWriteResult WriteWithBackup(const QString& path, const QByteArray& bytes) {
    TWriteResult result;
    result.Target = FollowLinks(path);
    const bool exists = QFileInfo(result.Target).isFile();
    QSaveFile file(result.Target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return Failed(result, EIO);
    if (exists) {
        const QString backup = BackupName(result.Target);
        const bool copied = backup != result.Target &&
                            (!QFile::exists(backup) || QFile::remove(backup)) &&
                            QFile::copy(result.Target, backup);
        result.Backup = copied ? TBackup::Kept : TBackup::Skipped;
    }
    if (!file.commit())
        return Failed(result, EIO);
    result.Written = true;
    result.Stamp = StampOf(result.Target);
    return result;
}

#endif

} // namespace datei
