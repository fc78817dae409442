// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/FindReplace.h"

#include "ColMemo/ColorMemo.h"
#include "Main/EditLogic.h"
#include "Main/FindDialog.h"
#include "Main/Prompts.h"
#include "Main/ReplaceDialog.h"
#include "Main/WithoutUndo.h"
#include "Main/Workspace.h"

namespace {

void ShowModeless(QDialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

TFindReplace::TFindReplace(TWorkspace& workspace) : Workspace(workspace) {}

void TFindReplace::Suchen1Click() {
    if (!Workspace.AnySlotInUse())
        return;
    if (!FindDialog) {
        FindDialog = new TFindDialog(Workspace.Window());
        connect(FindDialog, &TFindDialog::Find, this,
                [this] { Workspace.Guard([this] { FindDialogFind(); }); });
    }
    ShowModeless(FindDialog);
}

void TFindReplace::Ersetzen1Click() {
    if (!Workspace.AnySlotInUse())
        return;
    if (!ReplaceDialog) {
        ReplaceDialog = new TReplaceDialog(Workspace.Window());
        connect(ReplaceDialog, &TReplaceDialog::Find, this,
                [this] { Workspace.Guard([this] { ReplaceDialogFind(); }); });
        connect(ReplaceDialog, &TReplaceDialog::Replace, this,
                [this] { Workspace.Guard([this] { ReplaceDialogReplace(); }); });
    }
    ShowModeless(ReplaceDialog);
}

void TFindReplace::FindDialogFind() {
    SelectNextOccurrence(FindDialog->FindText());
}

void TFindReplace::ReplaceDialogFind() {
    SelectNextOccurrence(ReplaceDialog->FindText());
}

void TFindReplace::SelectNextOccurrence(const QString& what) {
    if (!Workspace.AnySlotInUse())
        return;
    TColorMemo* memo = Workspace.CurrentMemo();
    const int32_t at =
        mainform::FindNextOffset(memo->Text(), memo->SelStart(), memo->SelLength(), what);
    if (at < 0)
        return;
    memo->setFocus();
    memo->SetSelection(at, int32_t(what.size()));
}

void TFindReplace::ReplaceDialogReplace() {
    if (!Workspace.AnySlotInUse())
        return;
    const QString what = ReplaceDialog->FindText();
    const QString with = ReplaceDialog->ReplaceText();
    TColorMemo* memo = Workspace.CurrentMemo();
    const QString text = memo->Text();
    const qsizetype first = what.isEmpty() ? -1 : text.indexOf(what);
    if (first < 0) {
        Workspace.Ask().Error(Workspace.Window(), mainform::SearchTextNotFound(what),
                              QStringLiteral("Fehler"));
        return;
    }
    if (!ReplaceDialog->ReplaceAll()) {
        mainform::WithoutUndo(memo, [&] {
            memo->SetSelection(int32_t(first), int32_t(what.size()));
            memo->ReplaceSelection(with);
        });
        return;
    }
    // However many occurrences: one edit of the document.
    mainform::TReplaceAllResult all = mainform::ReplaceAll(text, what, with);
    std::vector<TColorMemo::TStretch> stretches;
    stretches.reserve(all.Edits.size());
    for (mainform::TReplaceAllResult::TEdit& edit : all.Edits)
        stretches.push_back({edit.Start, edit.Length, std::move(edit.Text)});
    mainform::WithoutUndo(memo, [&] {
        memo->ReplaceStretches(stretches);
        memo->SetSelStart(all.Caret);
    });
}
