// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/CommandStates.h"

#include "ColMemo/ColorMemo.h"
#include "Main/SlotDocument.h"
#include "Main/StatusPanels.h"
#include "Main/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

TCommandStates::TCommandStates(TWorkspace& workspace, std::function<void()> updated)
    : Workspace(workspace), Updated(std::move(updated)) {
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { ClipboardKnown = false; });
}

void TCommandStates::Add(QAction* action, TEnabledWhen when) {
    Commands.emplace_back(action, when);
}

void TCommandStates::UpdateCaretStatus() {
    CaretStatusRequested = false;
    TColorMemo* memo = Workspace.CurrentMemo();
    const int line = memo->CaretLine() + 1;
    const int col = memo->CaretCol() + 1;
    Workspace.Status().SetText(TStatusPanels::CaretPanel, QString::asprintf("%3d: %3d", line, col));
}

void TCommandStates::UpdateCommandStates() {
    CommandStatesRequested = false;
    const bool inUse = Workspace.AnySlotInUse();
    Workspace.Window()->setWindowTitle(QStringLiteral("Kodiwerk - ") +
                                       QFileInfo(Workspace.CurrentDocument().File).fileName());
    // A closed slot's editor keeps its text and modification flag; with no
    // slot in use there is no document to call changed.
    Workspace.Status().SetText(
        TStatusPanels::ModifiedPanel,
        inUse && Workspace.CurrentMemo()->Modified() ? QStringLiteral("Geändert") : QString());
    for (const auto& [action, when] : Commands)
        action->setEnabled(Met(when));
    if (Updated)
        Updated();
}

bool TCommandStates::Met(TEnabledWhen when) const {
    const bool inUse = Workspace.AnySlotInUse();
    const TColorMemo* memo = Workspace.CurrentMemo();
    switch (when) {
    case TEnabledWhen::Always:
        return true;
    case TEnabledWhen::HasText:
        return inUse && memo->TextLength() > 0;
    case TEnabledWhen::InUse:
        return inUse;
    case TEnabledWhen::CanUndo:
        return inUse && memo->document()->isUndoAvailable();
    case TEnabledWhen::CanPaste:
        return inUse && ClipboardHasText();
    case TEnabledWhen::HasSelection:
        return inUse && memo->SelLength() > 0;
    }
    return true;
}

void TCommandStates::ShowCurrentState() {
    UpdateCommandStates();
    if (Workspace.AnySlotInUse())
        UpdateCaretStatus();
    else
        Workspace.Status().SetText(TStatusPanels::CaretPanel, QString());
}

bool TCommandStates::ClipboardHasText() const {
    if (!ClipboardKnown) {
        const QMimeData* clip = QApplication::clipboard()->mimeData();
        ClipboardText = clip && clip->hasText();
        ClipboardKnown = true;
    }
    return ClipboardText;
}

void TCommandStates::Request(bool commandStates) {
    CaretStatusRequested = true;
    CommandStatesRequested = CommandStatesRequested || commandStates;
    if (Posted)
        return;
    Posted = true;
    // A posted call runs before the paints of the same pass, which Qt posts at low priority.
    QMetaObject::invokeMethod(
        this,
        [this] {
            Posted = false;
            ApplyRequested();
        },
        Qt::QueuedConnection);
}

void TCommandStates::ApplyRequested() {
    if (CommandStatesRequested)
        UpdateCommandStates();
    if (!CaretStatusRequested)
        return;
    // Edits that move text between slots reach editors while none may be in use: the panel
    // then stays empty, as the command that closed the last slot left it.
    if (Workspace.AnySlotInUse())
        UpdateCaretStatus();
    else
        Workspace.Status().SetText(TStatusPanels::CaretPanel, QString());
    CaretStatusRequested = false;
}
