// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/InstanceFolder.h"

#include "Recovery/CopyFiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

namespace recovery {

namespace {

const QString LockSuffix = QStringLiteral(".lock");

// Sorts by start time, so leftovers of older runs come first.
QString FreshName() {
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmsszzz")) +
           QLatin1Char('-') + QString::number(QCoreApplication::applicationPid()) +
           QLatin1Char('-') +
           QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0');
}

std::unique_ptr<QLockFile> TryLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    // Held for the whole run: never taken for stale because of its age, only
    // because its process is gone (or the machine was restarted).
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

TInstanceFolder::TInstanceFolder(const QString& root) : Root(root), FolderName(FreshName()) {
    if (!QDir().mkpath(Root))
        return;
    Lock = TryLock(Root + QLatin1Char('/') + FolderName + LockSuffix);
    if (!Lock)
        return;
    if (!QDir(Root).mkdir(FolderName)) {
        Lock.reset();
        return;
    }
    SyncFolder(Root);
}

TInstanceFolder::~TInstanceFolder() = default;

QString TInstanceFolder::Path() const {
    return Root + QLatin1Char('/') + FolderName;
}

bool TInstanceFolder::Restore() const {
    return Ready() && QDir().mkpath(Path());
}

void TInstanceFolder::Remove() {
    if (!Ready())
        return;
    if (QDir(Root).rmdir(FolderName))
        SyncFolder(Root);
    Lock.reset(); // removes the lock file
}

std::vector<TClaimedFolder> ClaimAbandonedFolders(const QString& root, const QString& own) {
    std::vector<TClaimedFolder> claims;
    const QDir dir(root);
    const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : folders) {
        if (name == own || name == DamagedFolderName)
            continue;
        if (auto lock = TryLock(dir.filePath(name + LockSuffix)))
            claims.push_back({name, dir.filePath(name), std::move(lock)});
    }
    // A lock file whose run ended between removing its folder and its lock.
    const QStringList locks = dir.entryList({QLatin1Char('*') + LockSuffix}, QDir::Files);
    for (const QString& lockName : locks) {
        const QString name = lockName.chopped(LockSuffix.size());
        if (name != own && !folders.contains(name))
            TryLock(dir.filePath(lockName)); // taken and given up at once: removed
    }
    return claims;
}

void ReleaseClaim(TClaimedFolder& claim) {
    const QFileInfo info(claim.Path);
    // Partial writes of the dead run: never a copy, never offered.
    const QStringList partial =
        QDir(claim.Path).entryList({QStringLiteral("*.copy.*")}, QDir::Files | QDir::Hidden);
    for (const QString& name : partial)
        QFile::remove(QDir(claim.Path).filePath(name));
    if (info.dir().rmdir(info.fileName()))
        SyncFolder(info.path());
    claim.Lock.reset();
}

} // namespace recovery
