// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file side of the copies: written completely or not at all, and durable
// once written, so that neither a kill nor a power cut leaves half a copy.
#include <QByteArray>
#include <QString>

namespace recovery {

// Makes `bytes` the content of `path`: written beside it, flushed to the
// disk, renamed over it, and the folder's entry flushed too. 0 on success,
// otherwise an errno-like code (EIO when the cause is not known).
int WriteCopyFile(const QString& path, const QByteArray& bytes);

// Removes a copy and makes the removal durable; true when it is gone.
bool RemoveCopyFile(const QString& path);

// Flushes a folder's entries (new, renamed or removed files) to the disk.
void SyncFolder(const QString& folder);

// Moves a file to another name in the same file system, durably.
bool MoveCopyFile(const QString& from, const QString& to);

} // namespace recovery
