// The five editor slots: which are in use, which is current, taking one for a
// document and giving one up.
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"

#include <QFileInfo>
#include <QTabWidget>

TColorMemo* TMainForm::SlotMemo(int n) const {
    return n >= 1 && n <= SlotCount ? CMemo[n] : nullptr;
}

int TMainForm::CurrentSlot() const {
    const int page = PC_Edit->currentIndex();
    for (int n = SlotCount; n >= 2; --n)
        if (page == n - 1 && PC_Edit->isTabVisible(page) && n <= LastSlot + 1)
            return n;
    return 1;
}

void TMainForm::ShowSlot(int page) {
    if (page < 0) {
        PC_Edit->hide();
        return;
    }
    ChangingSlots = true;
    PC_Edit->setTabVisible(page, true);
    PC_Edit->setCurrentIndex(page);
    ChangingSlots = false;
    // The page shown is the one the user types into next.
    CMemo[page + 1]->setFocus();
}

void TMainForm::OpenSlot(const QString& path) {
    if (LastSlot < SlotCount - 1)
        ++LastSlot;
    PC_Edit->show();
    ShowSlot(LastSlot);
    TColorMemo* memo = CurrentMemo();
    memo->SetText(QString());
    memo->SetModified(false);
    PC_Edit->setTabText(LastSlot, QFileInfo(path).completeBaseName());
    SlotFile[LastSlot + 1] = path;
    ApplyTabStops();
}

void TMainForm::CloseCurrentSlot() {
    const int c = CurrentSlot();
    const int h = LastSlot + 1;
    if (h < 1)
        return;
    ChangingSlots = true;
    PC_Edit->setTabVisible(h - 1, false);
    ChangingSlots = false;
    for (int s = c; s < h; ++s) {
        TColorMemo* to = CMemo[s];
        TColorMemo* from = CMemo[s + 1];
        to->SetText(from->Text());
        to->SetSelStart(from->SelStart());
        to->SetModified(from->Modified());
        PC_Edit->setTabText(s - 1, PC_Edit->tabText(s));
        SlotFile[s] = SlotFile[s + 1];
        SlotEncoding[s] = SlotEncoding[s + 1];
    }
    --LastSlot;
    ShowSlot(LastSlot);
}
