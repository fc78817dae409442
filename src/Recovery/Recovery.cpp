// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/Recovery.h"

#include "Recovery/CopyFiles.h"
#include "Recovery/RecoveryTexts.h"

#include <QDateTime>
#include <algorithm>

namespace recovery {

TRecovery::TRecovery(QObject* parent) : TRecovery(TOptions{}, parent) {}

TRecovery::TRecovery(TOptions options, QObject* parent)
    : QObject(parent), Options(std::move(options)), Instance(Options.Root) {
    SteadyClock.start();
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, &TRecovery::WriteDueCopies);
    if (Active())
        Writer = std::make_unique<TCopyWriter>(
            Instance.Path(), this, [this](const TWriteReport& report) { OnWritten(report); });
}

TRecovery::~TRecovery() {
    Writer.reset();
}

QString TRecovery::Problem() const {
    return Active() ? QString() : UnwritableNote(Options.Root);
}

qint64 TRecovery::Now() const {
    return Options.Clock ? Options.Clock() : SteadyClock.elapsed();
}

TRecovery::TDocument* TRecovery::Find(TDocumentId id) {
    const auto it = Documents.find(id);
    return it == Documents.end() ? nullptr : &it->second;
}

TDocumentId TRecovery::Register(const TDocumentInfo& document, TTextSource text) {
    const TDocumentId id = ++NextId;
    Documents.emplace(id, TDocument{document.File, document.Encoding, document.Slot,
                                    std::move(text), TCopySchedule(Options.Timings)});
    return id;
}

TDocumentId TRecovery::Opened(const TDocumentInfo& document, TTextSource text) {
    const TDocumentId id = Register(document, std::move(text));
    if (Writer && document.File != NoName)
        Writer->TakeFingerprint(id, document.File, document.Stamp);
    return id;
}

void TRecovery::Changed(TDocumentId id) {
    if (!Writer)
        return;
    const auto it = Documents.find(id);
    if (it == Documents.end())
        return;
    TDocument& document = it->second;
    const qint64 now = Now();
    document.Schedule.Changed(now);
    // A keystroke only ever moves a copy later, so the timer is rarely touched
    // here: only when this copy is due before the timer fires. A timer that
    // fires before any copy is due looks again (see Arm); a document being
    // written is looked at when its report comes.
    const qint64 due = *document.Schedule.DueAt();
    if (!document.InFlight && (!Timer.isActive() || due < ArmedFor))
        Start(now, std::max<qint64>(due - now, 0));
}

void TRecovery::Saved(TDocumentId id, const QString& file, datei::TFileEncoding encoding,
                      const datei::TFileStamp& stamp) {
    TDocument* document = Find(id);
    if (!document)
        return;
    document->File = file;
    document->Encoding = encoding;
    DropCopy(id, *document);
    if (Writer)
        Writer->TakeFingerprint(id, file, stamp);
}

void TRecovery::Unmodified(TDocumentId id) {
    if (TDocument* document = Find(id))
        DropCopy(id, *document);
}

void TRecovery::DropCopy(TDocumentId id, TDocument& document) {
    document.Schedule.Clean();
    ++document.Generation;
    if (document.HasCopy && Writer)
        Writer->Remove(id);
    document.HasCopy = false;
}

void TRecovery::Moved(TDocumentId id, int slot, TTextSource text) {
    TDocument* document = Find(id);
    if (!document)
        return;
    if (text)
        document->Text = std::move(text);
    if (document->Slot == slot)
        return;
    document->Slot = slot;
    // The copy on disk names the old slot; the next one tells the new.
    if (document->HasCopy || document->Schedule.Pending())
        Changed(id);
}

void TRecovery::Closed(TDocumentId id) {
    TDocument* document = Find(id);
    if (!document)
        return;
    DropCopy(id, *document);
    if (Writer)
        Writer->Forget(id);
    Documents.erase(id);
}

void TRecovery::Exit() {
    Timer.stop();
    EndRecovery();
    if (!Writer)
        return;
    bool kept = false;
    for (auto& [id, document] : Documents) {
        if (document.Schedule.Pending())
            WriteCopy(id, document);
        kept = kept || document.HasCopy;
    }
    // Nothing is written after this: a change the window still reports on
    // its way down must not bring the folder back.
    Writer.reset();
    if (!kept)
        Instance.Remove();
}

void TRecovery::WriteDueCopies() {
    const qint64 now = Now();
    for (auto& [id, document] : Documents) {
        const std::optional<qint64> due = document.Schedule.DueAt();
        if (!document.InFlight && due && *due <= now)
            WriteCopy(id, document);
    }
    Arm();
}

void TRecovery::WriteCopy(TDocumentId id, TDocument& document) {
    TRecoveryCopy copy;
    copy.File = document.File;
    copy.Encoding = document.Encoding;
    copy.Slot = document.Slot;
    copy.Written = QDateTime::currentDateTimeUtc();
    copy.Text = document.Text();
    document.Schedule.Taken();
    document.HasCopy = true;
    document.InFlight = true;
    document.InFlightGeneration = document.Generation;
    Writer->Write(id, std::move(copy));
}

// The timer fires at the soonest copy due of a document not being written;
// a document being written is looked at again when its report comes.
void TRecovery::Arm() {
    std::optional<qint64> soonest;
    for (const auto& [id, document] : Documents) {
        const std::optional<qint64> due = document.Schedule.DueAt();
        if (!document.InFlight && due && (!soonest || *due < *soonest))
            soonest = due;
    }
    if (!soonest) {
        Timer.stop();
        return;
    }
    const qint64 now = Now();
    Start(now, std::clamp<qint64>(*soonest - now, 0, Options.Timings.MaxDelayMs));
}

void TRecovery::Start(qint64 now, qint64 delay) {
    ArmedFor = now + delay;
    Timer.start(int(delay));
}

void TRecovery::OnWritten(const TWriteReport& report) {
    if (TDocument* document = Find(report.Id)) {
        document->InFlight = false;
        if (report.Error != 0 && document->InFlightGeneration == document->Generation)
            document->Schedule.Failed(Now());
    }
    if (report.Error != 0)
        ReportProblem();
    else
        emit CopyWritten(report.Id, report);
    Arm();
}

void TRecovery::ReportProblem() {
    if (ProblemReported)
        return;
    ProblemReported = true;
    emit ProblemOccurred(UnwritableNote(Options.Root));
}

QList<TLeftover> TRecovery::Leftovers() {
    if (!Left)
        Left = std::make_unique<TLeftovers>(Options.Root, Instance.Name());
    return Left->Documents();
}

QList<TSetAside> TRecovery::SetAside() {
    Leftovers();
    return Left->SetAside();
}

TDocumentId TRecovery::Restore(const TLeftover& leftover, int slot, TTextSource text) {
    const TRecoveryCopy& copy = leftover.Copy;
    const TDocumentId id = Register({copy.File, copy.Encoding, slot, copy.Origin.Stamp}, text);
    TDocument& document = Documents.at(id);
    if (!Writer || !Left)
        return id;
    Writer->SetOrigin(id, copy.Origin);
    if (Left->Take(leftover.Key, Writer->CopyPath(id))) {
        document.HasCopy = true;
        if (slot != copy.Slot)
            Changed(id);
        return id;
    }
    // Not moved: a copy of our own first, then the old one can go.
    TRecoveryCopy own = copy;
    own.Slot = slot;
    if (WriteCopyFile(Writer->CopyPath(id), EncodeCopy(own)) == 0) {
        document.HasCopy = true;
        Left->Discard(leftover.Key);
    } else {
        Changed(id);
    }
    return id;
}

void TRecovery::Discard(const TLeftover& leftover) {
    Leftovers();
    Left->Discard(leftover.Key);
}

void TRecovery::EndRecovery() {
    if (Left)
        Left->Release();
}

} // namespace recovery
