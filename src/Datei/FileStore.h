// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file system side of documents: reading only regular files, and saving
// so that no failure costs the file or its backup.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace datei {

// A file's version on disk as far as its size and modification time tell.
struct TFileStamp {
    qint64 Size = -1;      // -1: there is no file
    qint64 ModifiedNs = 0; // modification time, nanoseconds since the epoch
    bool Exists() const { return Size >= 0; }
    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};

// The stamp of the file a path names now, through symbolic links.
TFileStamp StampOf(const QString& path);
// Whether another program has written the file since it had `known`: false
// when nothing was known, or when the file is gone (nothing to keep then).
bool ChangedOnDisk(const QString& path, const TFileStamp& known);

enum class TReadStatus {
    Read,
    NotRegular, // a directory, FIFO, device or socket
    Failed,     // missing or unreadable
};

struct TFileContent {
    TReadStatus Status = TReadStatus::Failed;
    QByteArray Bytes;
    TFileStamp Stamp; // of the version read
};

// Reads a regular file whole. Anything else is refused without waiting for
// it: reading a FIFO would block until some other program wrote to it.
// A file read removes the hidden temporary files (".Name.java.1a2b3c4d~")
// that a save of it, killed in the middle, left beside it.
TFileContent ReadRegularFile(const QString& path);

enum class TBackup {
    NoPrevious, // there was no file to keep
    Kept,       // the previous version is now the ".jav_" backup beside the file
    Skipped,    // the previous version could not be kept (see TWriteResult)
};

struct TWriteResult {
    bool Written = false;
    int Error = 0; // errno of the step that failed
    TBackup Backup = TBackup::NoPrevious;
    // The directory forbids new files, so the file itself was overwritten
    // (after the whole text was ready and its room reserved); no backup then.
    bool InPlace = false;
    QString Target;   // the file written: the path, or the file its links point to
    TFileStamp Stamp; // of the file as written
};

// Makes `bytes` the content of the file at `path`; through a symbolic link
// that is the file the link points to, whose backup lies beside it.
// The new content is complete on disk before the previous version becomes
// the backup, and the path holds a complete file at every moment. On failure
// the file and an earlier backup are left exactly as they were. The file's
// permissions, owner and hard links are kept. With no previous version an
// existing backup is left alone. Temporary files of earlier saves killed in
// the middle are removed first.
TWriteResult WriteWithBackup(const QString& path, const QByteArray& bytes);

} // namespace datei
