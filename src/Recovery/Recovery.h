// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Recovery/CopySchedule.h"
#include "Recovery/CopyWriter.h"
#include "Recovery/InstanceFolder.h"
#include "Recovery/Leftovers.h"
#include "Recovery/StateFolder.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <unordered_map>

namespace recovery {

// What the window tells about a document when it takes a slot.
struct TDocumentInfo {
    QString File = NoName; // full path, or NoName
    datei::TFileEncoding Encoding = datei::TFileEncoding::Utf8;
    int Slot = 1;
    datei::TFileStamp Stamp; // the version read from disk; none for a new document
};

// Gives the document's whole text as the editor holds it; called on the
// main thread when a copy is due.
using TTextSource = std::function<QString()>;

// Crash recovery: keeps a copy of every document with unsaved changes in the
// user's state folder, and at the next start offers what a run that did not
// end normally left behind. The window hands documents to it and keeps the
// id it gets back in the document's slot record; a keystroke costs no more
// than noting the time. The text is taken on the main thread when a copy is
// due (a few seconds after typing stops, and at least every half minute while
// it goes on); encoding, checksum and writing happen on a worker thread.
class TRecovery : public QObject {
    Q_OBJECT

public:
    struct TOptions {
        QString Root = CopiesFolder(); // where the runs' folders live
        TCopyTimings Timings;
        std::function<qint64()> Clock; // monotonic milliseconds; a steady clock when empty
    };

    explicit TRecovery(QObject* parent = nullptr);
    explicit TRecovery(TOptions options, QObject* parent = nullptr);
    // Waits for copies being written; copies of documents never closed stay
    // (as after a crash) unless Exit() ran.
    ~TRecovery() override;

    // Whether copies are being kept. When not, Problem() says why, in German,
    // for the window to show once; editing goes on without copies.
    bool Active() const { return Instance.Ready(); }
    QString Problem() const;
    QString Folder() const { return Instance.Path(); }

    // --- documents -----------------------------------------------------------
    // A document took a slot: new, from a template, opened, or restored below.
    TDocumentId Opened(const TDocumentInfo& document, TTextSource text);
    // Its text changed. The keystroke's whole share of recovery.
    void Changed(TDocumentId id);
    // It was saved (Save as: under a new name; maybe now in another encoding):
    // its copy goes, and later copies rest on the version just written.
    void Saved(TDocumentId id, const QString& file, datei::TFileEncoding encoding,
               const datei::TFileStamp& stamp);
    // Its text is again what its file holds (undone to the saved state): its copy goes.
    void Unmodified(TDocumentId id);
    // It moved to another slot, as when a slot before it was closed. When its
    // text moved to another editor with it, `text` gives it from there.
    void Moved(TDocumentId id, int slot, TTextSource text = {});
    // It left its slot: closed after saving or with "Nein", replaced, or
    // closed by Close all. Its copy goes.
    void Closed(TDocumentId id);
    // The normal end of the run, after every document was closed: the run's
    // folder goes. A document still open then keeps an up-to-date copy, to
    // be offered at the next start. No copy is written afterwards.
    void Exit();

    // --- at start ------------------------------------------------------------
    // What runs that ended abnormally left: found (and claimed from other
    // starting runs) on the first call. Restore and Discard take them off.
    QList<TLeftover> Leftovers();
    // Copies that cannot be offered: damaged ones set aside, unreadable ones.
    QList<TSetAside> SetAside();
    // A leftover was put into `slot` with its text: it becomes one of this
    // run's documents, its copy now in this run's folder.
    TDocumentId Restore(const TLeftover& leftover, int slot, TTextSource text);
    // The user does not want it ("Nein"): its copy is deleted.
    void Discard(const TLeftover& leftover);
    // Recovery at start is over: leftovers neither restored nor discarded
    // stay, and the next start offers them again.
    void EndRecovery();

signals:
    // A copy could not be written (once per run): the text for the window to show.
    void ProblemOccurred(const QString& message);
    // A copy is on disk.
    void CopyWritten(recovery::TDocumentId id, const recovery::TWriteReport& report);

private:
    struct TDocument {
        QString File;
        datei::TFileEncoding Encoding;
        int Slot;
        TTextSource Text;
        TCopySchedule Schedule;
        bool HasCopy = false;   // a copy was written or is being written
        bool InFlight = false;  // a copy is being written
        quint64 Generation = 0; // counts saves: a failed copy from before one is moot
        quint64 InFlightGeneration = 0;
    };

    qint64 Now() const;
    TDocument* Find(TDocumentId id);
    TDocumentId Register(const TDocumentInfo& document, TTextSource text);
    void WriteDueCopies();
    void WriteCopy(TDocumentId id, TDocument& document);
    void DropCopy(TDocumentId id, TDocument& document);
    void Arm();
    void Start(qint64 now, qint64 delay);
    void OnWritten(const TWriteReport& report);
    void ReportProblem();

    TOptions Options;
    QElapsedTimer SteadyClock;
    TInstanceFolder Instance;
    std::unique_ptr<TLeftovers> Left;
    QTimer Timer;
    qint64 ArmedFor = 0; // when the timer fires, on Now()'s clock
    std::unordered_map<TDocumentId, TDocument> Documents;
    TDocumentId NextId = 0;
    bool ProblemReported = false;
    // Last, so that it finishes its jobs before anything above goes.
    std::unique_ptr<TCopyWriter> Writer;
};

} // namespace recovery
