// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Main/CommandTable.h"

#include <QObject>
#include <functional>
#include <utility>
#include <vector>

class QAction;
class TWorkspace;

// Caption, "Geändert" marker, caret position and the enabled state of every
// command. Editor events only ask for an update; what they asked for is
// brought up to date once per pass of the event loop, before the window
// paints, so a burst of keys costs one update. A command started from a key
// applies it first.
class TCommandStates : public QObject {
    Q_OBJECT
public:
    // `updated` runs after every UpdateCommandStates (the error list follows the page shown).
    TCommandStates(TWorkspace& workspace, std::function<void()> updated);

    // `action` is enabled by `when` from now on.
    void Add(QAction* action, TEnabledWhen when);

    void UpdateCommandStates();
    void UpdateCaretStatus();
    // Caption, marker, command states and caret status of the page shown.
    void ShowCurrentState();
    // Asks for the caret status and, when `commandStates`, the command states too.
    void Request(bool commandStates);
    // Brings up to date at once what was asked for.
    void ApplyRequested();

private:
    bool Met(TEnabledWhen when) const;
    // Asking the clipboard is a round trip to the window system: its answer is
    // kept until the clipboard reports a change.
    bool ClipboardHasText() const;

    TWorkspace& Workspace;
    std::function<void()> Updated;
    std::vector<std::pair<QAction*, TEnabledWhen>> Commands;
    bool CaretStatusRequested = false;
    bool CommandStatesRequested = false;
    bool Posted = false; // the update of the requested states is on its way
    mutable bool ClipboardKnown = false;
    mutable bool ClipboardText = false;
};
