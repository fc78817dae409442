// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Recovery/Fingerprint.h"
#include "Recovery/RecoveryCopy.h"

#include <QThreadPool>
#include <functional>
#include <unordered_map>

namespace recovery {

using TDocumentId = quint64;

// What became of one copy handed to the writer.
struct TWriteReport {
    TDocumentId Id = 0;
    int Error = 0;     // 0: the copy is on disk; otherwise why not (errno)
    qint64 Bytes = 0;  // size of the copy
    qint64 WorkNs = 0; // encoding, checksum and writing, off the main thread
};

// Encodes, checksums and writes the copies of one folder away from the main
// thread. Its jobs run one after another in the order given, so a removal
// always comes after the writes handed over before it, and no older text ever
// overtakes a newer one. Each document's file fingerprint is taken here too
// (reading and hashing a long file is no work for the main thread); the
// copies written afterwards carry it.
class TCopyWriter {
public:
    using TReportFn = std::function<void(const TWriteReport&)>;
    // Reports go to `report` on the thread of `context`, which must outlive the writer.
    TCopyWriter(QString folder, QObject* context, TReportFn report);
    // Waits for every job handed over: what was taken is written.
    ~TCopyWriter();
    TCopyWriter(const TCopyWriter&) = delete;
    TCopyWriter& operator=(const TCopyWriter&) = delete;

    QString CopyPath(TDocumentId id) const;

    // The document now rests on the file version `stamp` of `path`.
    void TakeFingerprint(TDocumentId id, const QString& path, const datei::TFileStamp& stamp);
    // The document rests on a version known already (an adopted copy's).
    void SetOrigin(TDocumentId id, const TFileFingerprint& origin);
    // Writes the copy, with the document's fingerprint filled in.
    void Write(TDocumentId id, TRecoveryCopy copy);
    void Remove(TDocumentId id);
    // The document is gone: its fingerprint is dropped (after any removal).
    void Forget(TDocumentId id);
    void WaitForDone();

private:
    void Run(std::function<void()> job);

    QString Folder;
    QObject* Context; // outlives the writer
    TReportFn Report;
    QThreadPool Pool;
    // Touched only by the jobs, which never run at the same time.
    std::unordered_map<TDocumentId, TFileFingerprint> Origins;
};

} // namespace recovery
