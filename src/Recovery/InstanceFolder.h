// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

namespace recovery {

// The folder below the root where damaged copies are set aside; never a run's.
inline const QString DamagedFolderName = QStringLiteral("damaged");

// A folder of copies that belongs to one run of Kodiwerk, and the lock that
// says the run is alive: "<root>/<name>/" and "<root>/<name>.lock". The lock
// is taken before the folder exists and given up after it is gone, so a
// folder whose lock nobody holds belongs to a run that ended abnormally.
// Each run writes only into its own folder, so two windows running at once
// never touch each other's copies.
class TInstanceFolder {
public:
    // Takes a fresh name, its lock and its folder below `root`.
    explicit TInstanceFolder(const QString& root);
    // Gives up the lock and leaves the folder as it is, as a crash would.
    ~TInstanceFolder();
    TInstanceFolder(const TInstanceFolder&) = delete;
    TInstanceFolder& operator=(const TInstanceFolder&) = delete;

    bool Ready() const { return Lock && Lock->isLocked(); }
    const QString& Name() const { return FolderName; }
    QString Path() const;
    // Makes the folder again should something have removed it; true when it is there.
    bool Restore() const;
    // The normal end of the run: removes the folder when it holds nothing, then the lock.
    void Remove();

private:
    QString Root;
    QString FolderName;
    std::unique_ptr<QLockFile> Lock;
};

// A folder left by a run that is no longer alive, with its lock now held
// here, so no other run takes it at the same time.
struct TClaimedFolder {
    QString Name;
    QString Path;
    std::unique_ptr<QLockFile> Lock;
};

// Claims the folders below `root` whose runs have ended (their lock is not
// held or is missing), oldest first; `own` is never claimed. Leaves lock
// files without a folder removed.
std::vector<TClaimedFolder> ClaimAbandonedFolders(const QString& root, const QString& own);

// Gives a claimed folder back: removed when empty, otherwise left for a later run.
void ReleaseClaim(TClaimedFolder& claim);

} // namespace recovery
