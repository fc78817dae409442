// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Recovery/Fingerprint.h"
#include "Recovery/InstanceFolder.h"
#include "Recovery/RecoveryCopy.h"

#include <QList>
#include <QString>
#include <vector>

namespace recovery {

// One document a run that ended abnormally left behind.
struct TLeftover {
    QString Key;        // which copy: for Restore and Discard
    TRecoveryCopy Copy; // path, encoding, slot, the file version it rests on, and the text
    TDiskState Disk = TDiskState::NoFile; // its file now, against that version
};

// A copy that cannot be offered, and where it lies now.
struct TSetAside {
    QString File;         // the document's path as far as the copy still tells; may be empty
    QString Where;        // the copy's file
    bool Damaged = false; // damaged (moved aside); otherwise unreadable (left where it was)
};

// The copies of runs that are no longer alive, claimed while the next run
// decides what to do with them. A copy is never deleted here unless the user
// said so (Discard) or it only repeats what its file on disk holds anyway.
class TLeftovers {
public:
    // Claims the abandoned folders below `root` (never `own`) and reads their copies.
    TLeftovers(const QString& root, const QString& own);
    ~TLeftovers(); // Release()
    TLeftovers(const TLeftovers&) = delete;
    TLeftovers& operator=(const TLeftovers&) = delete;

    // Oldest run first, within a run by slot.
    const QList<TLeftover>& Documents() const { return Found; }
    const QList<TSetAside>& SetAside() const { return Aside; }

    // Moves a copy to `path` (in this run's folder); false when it could not.
    bool Take(const QString& key, const QString& path);
    // Deletes a copy for good.
    void Discard(const QString& key);
    // Gives the claims back: copies still here are offered again at a later start.
    void Release();

private:
    void ReadFolder(const TClaimedFolder& claim);
    void PutAside(const QString& path, const QString& file, const QString& runName);
    void Drop(const QString& key);

    QString Root;
    std::vector<TClaimedFolder> Claims;
    QList<TLeftover> Found;
    QList<TSetAside> Aside;
};

} // namespace recovery
