// SPDX-License-Identifier: GPL-3.0-or-later
// Crash recovery in the window. The document and slot commands tell TRecovery
// when a document takes a slot, is saved, moves or goes; here the window tells
// it of text changes and, at start, offers what a run that did not end
// normally left behind.
#include "ColMemo/ColorMemo.h"
#include "Datei/FileStore.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Recovery/RecoveryTexts.h"

#include <QStringList>

using recovery::TDiskState;
using recovery::TLeftover;

void TMainForm::TrackDocument(int n) {
    TEditorSlot& slot = Slot(n);
    TColorMemo* memo = slot.Memo;
    const TSlotDocument& document = slot.Document;
    slot.Document.RecoveryId = Recovery.Opened(
        {document.File, document.Encoding, n, document.Stamp}, [memo] { return memo->Text(); });
}

void TMainForm::NoteTextChange(const TColorMemo* memo) {
    for (int n = 1; SlotInUse(n); ++n) {
        if (Slot(n).Memo != memo)
            continue;
        // Undone back to what its file holds: no copy is needed any more.
        const recovery::TDocumentId id = Slot(n).Document.RecoveryId;
        if (memo->Modified())
            Recovery.Changed(id);
        else
            Recovery.Unmodified(id);
        return;
    }
}

QString TMainForm::RestoreDocument(const TLeftover& leftover) {
    const recovery::TRecoveryCopy& copy = leftover.Copy;
    OpenSlot(copy.File);
    const int n = CurrentSlot();
    TSlotDocument& document = Slot(n).Document;
    document.Encoding = copy.Encoding;
    // The version the text rests on, so that a save asks before it overwrites
    // what another program wrote since. A file that still holds those bytes
    // is that version, whatever its time says now.
    document.Stamp =
        leftover.Disk == TDiskState::Unchanged ? datei::StampOf(copy.File) : copy.Origin.Stamp;
    TColorMemo* memo = Slot(n).Memo;
    memo->SetText(copy.Text);
    memo->SetSelStart(0);
    // Not what the file holds: the save question comes before it is lost.
    memo->SetModified(true);
    document.RecoveryId = Recovery.Restore(leftover, n, [memo] { return memo->Text(); });
    const bool fileMoved =
        leftover.Disk == TDiskState::Changed || leftover.Disk == TDiskState::Gone;
    return fileMoved ? recovery::ChangedOnDiskNote(leftover) : QString();
}

void TMainForm::OfferRecovery() {
    if (!Recovery.Active())
        Ask().Message(this, Recovery.Problem());
    const QList<TLeftover> found = Recovery.Leftovers();
    QStringList notes;
    if (!found.isEmpty()) {
        const int room = SlotCount - (Last + 1);
        // Ja comes first; Escape (Abbrechen) neither restores nor deletes:
        // the copies are offered again at the next start.
        switch (Ask().AskYesNoCancel(this, recovery::RestoreQuestion(found, room))) {
        case TPrompts::Answer::Yes:
            for (const TLeftover& leftover : found.mid(0, room))
                if (const QString note = RestoreDocument(leftover); !note.isEmpty())
                    notes << note;
            if (found.size() > room)
                notes << recovery::KeptForLaterNote(found.mid(room));
            break;
        case TPrompts::Answer::No:
            for (const TLeftover& leftover : found)
                Recovery.Discard(leftover);
            break;
        case TPrompts::Answer::Cancel:
            break;
        }
    }
    if (const QList<recovery::TSetAside> aside = Recovery.SetAside(); !aside.isEmpty())
        notes << recovery::SetAsideNote(aside);
    Recovery.EndRecovery();
    if (!notes.isEmpty())
        Ask().Message(this, notes.join(QStringLiteral("\n\n")));
    ShowCurrentState();
}
