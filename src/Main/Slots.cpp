// SPDX-License-Identifier: GPL-3.0-or-later
// The five editor slots: which are in use, which is current, taking one for a
// document and giving one up.
#include "ColMemo/ColorMemo.h"
#include "Main/ErrorMarks.h"
#include "Main/MainForm.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>
#include <algorithm>
#include <utility>

namespace {

// The file name without directory and last extension. A tab reads '&' as a
// mnemonic mark; the name must show as it is.
QString TabCaption(const QString& path) {
    return QFileInfo(path).completeBaseName().replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TColorMemo* TMainForm::SlotMemo(int n) const {
    return n >= 1 && n <= SlotCount ? Slot(n).Memo : nullptr;
}

const QString& TMainForm::SlotFile(int n) const {
    static const QString none;
    return n >= 1 && n <= SlotCount ? Slot(n).Document.File : none;
}

int TMainForm::CurrentSlot() const {
    const int page = PC_Edit->currentIndex();
    for (int n = SlotCount; n >= 2; --n)
        if (page == n - 1 && SlotInUse(n) && PC_Edit->isTabVisible(page))
            return n;
    return 1;
}

void TMainForm::ShowEditorPages(bool shown) {
    PC_Edit->setVisible(shown);
    EmptyHint->setVisible(!shown);
}

void TMainForm::ShowTabCaption(int n) {
    PC_Edit->setTabText(n - 1, TabCaption(Slot(n).Document.File));
}

void TMainForm::ShowSlot(int page) {
    if (page < 0) {
        ShowEditorPages(false);
        return;
    }
    ChangingSlots = true;
    PC_Edit->setTabVisible(page, true);
    PC_Edit->setCurrentIndex(page);
    ChangingSlots = false;
    // The page shown is the one the user types into next.
    Slot(page + 1).Memo->setFocus();
}

void TMainForm::OpenSlot(const QString& path) {
    if (Last < SlotCount - 1)
        ++Last;
    else
        Recovery.Closed(Slot(SlotCount).Document.RecoveryId); // the fifth slot's is replaced
    ShowEditorPages(true);
    ShowSlot(Last);
    TEditorSlot& slot = Slot(Last + 1);
    slot.Memo->SetText(QString());
    slot.Memo->SetModified(false);
    slot.Document = TSlotDocument();
    slot.Document.File = path;
    ShowTabCaption(Last + 1);
    ApplyTabStops();
}

void TMainForm::CloseCurrentSlot() {
    if (!AnySlotInUse())
        return;
    const int c = CurrentSlot();
    const int h = Last + 1;
    // From here on the editors' changes are moves, none of them the user's.
    Recovery.Closed(std::exchange(Slot(c).Document.RecoveryId, 0));
    ChangingSlots = true;
    PC_Edit->setTabVisible(h - 1, false);
    ChangingSlots = false;
    for (int s = c; s < h; ++s) {
        TColorMemo* to = Slot(s).Memo;
        const TColorMemo* from = Slot(s + 1).Memo;
        to->SetText(from->Text());
        to->SetSelStart(from->SelStart());
        to->SetModified(from->Modified());
        // Same text, same places: the marks move along.
        to->SetMarks(from->Marks());
        Slot(s).Document = Slot(s + 1).Document;
        // Only the record moved down stands for the document now.
        Slot(s + 1).Document.RecoveryId = 0;
        Recovery.Moved(Slot(s).Document.RecoveryId, s, [to] { return to->Text(); });
        ShowTabCaption(s);
    }
    // The editor given up keeps its text out of sight, but not its marks.
    Slot(h).Memo->ClearMarks();
    --Last;
    ShowSlot(Last);
}

void TMainForm::MarkErrors(const datei::TErrorRows& rows) {
    for (int n = 1; SlotInUse(n); ++n) {
        TEditorSlot& slot = Slot(n);
        const QString& file = slot.Document.File;
        const bool named =
            std::any_of(rows.Entries.begin(), rows.Entries.end(),
                        [&file](const auto& entry) { return mainform::PointsInto(entry, file); });
        if (named || n == CurrentSlot())
            slot.Memo->SetMarks(mainform::ErrorMarks(rows, file, *slot.Memo));
    }
}

bool TMainForm::ShowFile(const QString& path) {
    const auto same = [](const QString& a, const QString& b) {
        return QDir::cleanPath(a) == QDir::cleanPath(b) ||
               (!QFileInfo(a).canonicalFilePath().isEmpty() &&
                QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath());
    };
    if (AnySlotInUse() && same(CurrentDocument().File, path))
        return true;
    for (int n = 1; SlotInUse(n); ++n) {
        if (!same(Slot(n).Document.File, path))
            continue;
        ShowSlot(n - 1);
        ShowCurrentState();
        return true;
    }
    OpenDocument(path);
    return AnySlotInUse() && same(CurrentDocument().File, path);
}
