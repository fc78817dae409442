// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/Leftovers.h"

#include "Recovery/CopyFiles.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace recovery {

namespace {

// Whether the copy only repeats its file: then nothing is lost without it.
bool SameAsFile(const TRecoveryCopy& copy, TDiskState disk) {
    if (disk != TDiskState::Unchanged)
        return false;
    const datei::TFileContent content = datei::ReadRegularFile(copy.File);
    return content.Status == datei::TReadStatus::Read &&
           datei::DecodeSource(content.Bytes).Text == copy.Text;
}

} // namespace

TLeftovers::TLeftovers(const QString& root, const QString& own)
    : Root(root), Claims(ClaimAbandonedFolders(root, own)) {
    for (const TClaimedFolder& claim : Claims)
        ReadFolder(claim);
}

TLeftovers::~TLeftovers() {
    Release();
}

void TLeftovers::ReadFolder(const TClaimedFolder& claim) {
    const QDir dir(claim.Path);
    QList<TLeftover> found;
    for (const QString& name : dir.entryList({QStringLiteral("*.copy")}, QDir::Files)) {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            Aside.append({QString(), path, false});
            continue;
        }
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            Aside.append({QString(), path, false});
            continue;
        }
        TDecodedCopy decoded = DecodeCopy(bytes);
        if (!decoded.Good) {
            PutAside(path, decoded.Copy.File, claim.Name);
            continue;
        }
        TLeftover leftover{path, std::move(decoded.Copy), TDiskState::NoFile};
        if (!leftover.Copy.Unnamed())
            leftover.Disk = DiskStateOf(leftover.Copy.File, leftover.Copy.Origin);
        if (SameAsFile(leftover.Copy, leftover.Disk))
            RemoveCopyFile(path);
        else
            found.append(std::move(leftover));
    }
    std::stable_sort(found.begin(), found.end(), [](const TLeftover& a, const TLeftover& b) {
        return a.Copy.Slot != b.Copy.Slot ? a.Copy.Slot < b.Copy.Slot
                                          : a.Copy.Written < b.Copy.Written;
    });
    Found += found;
}

void TLeftovers::PutAside(const QString& path, const QString& file, const QString& runName) {
    const QString aside = Root + QLatin1Char('/') + DamagedFolderName;
    const QString target =
        aside + QLatin1Char('/') + runName + QLatin1Char('-') + QFileInfo(path).fileName();
    if (QDir().mkpath(aside) && MoveCopyFile(path, target))
        Aside.append({file, target, true});
    else
        Aside.append({file, path, true});
}

bool TLeftovers::Take(const QString& key, const QString& path) {
    if (!MoveCopyFile(key, path))
        return false;
    Drop(key);
    return true;
}

void TLeftovers::Discard(const QString& key) {
    if (RemoveCopyFile(key))
        Drop(key);
}

void TLeftovers::Drop(const QString& key) {
    Found.erase(std::remove_if(Found.begin(), Found.end(),
                               [&](const TLeftover& leftover) { return leftover.Key == key; }),
                Found.end());
}

void TLeftovers::Release() {
    for (TClaimedFolder& claim : Claims)
        ReleaseClaim(claim);
    Claims.clear();
    Found.clear();
}

} // namespace recovery
