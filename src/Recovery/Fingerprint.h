// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/FileStore.h"

#include <QByteArray>
#include <QString>

namespace recovery {

// The version of a file a document was opened from or last saved to: its
// stamp and a hash of its bytes, so that a later look can tell whether
// another program changed it, even when only the time or only the bytes moved.
struct TFileFingerprint {
    datei::TFileStamp Stamp; // none for a document that has no file yet
    QByteArray Hash;         // SHA-256 of the bytes; empty when not known
    friend bool operator==(const TFileFingerprint&, const TFileFingerprint&) = default;
};

// The fingerprint of the file at `path`, provided the file is still the
// version `stamp` describes; otherwise the hash stays unknown (the stamp is
// kept, so later comparisons fall back to it).
TFileFingerprint FingerprintOf(const QString& path, const datei::TFileStamp& stamp);

// How a document's file on disk relates to the version its copy was based on.
enum class TDiskState {
    NoFile,    // the document had no file (new, or never saved)
    Unchanged, // the file holds the same bytes as then
    Changed,   // another program wrote the file since
    Gone,      // the file is no longer there
};

TDiskState DiskStateOf(const QString& path, const TFileFingerprint& origin);

} // namespace recovery
