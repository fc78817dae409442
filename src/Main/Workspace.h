// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QWidget;
namespace datei {
struct TErrorRows;
}
class TColorMemo;
class TPrompts;
class TStatusPanels;
struct TInisRecord;
struct TSlotDocument;

// What the main window's feature objects (compile and error list, find and
// replace, printing and help, the state refresh) may use of the window: the
// document shown and its editor, the settings, the questions and the status
// bar. The window implements it; a feature never reaches into its controls.
class TWorkspace {
public:
    virtual ~TWorkspace() = default;

    // The parent of every dialog and message.
    virtual QWidget* Window() = 0;
    virtual TInisRecord& SettingsRecord() = 0;
    virtual TPrompts& Ask() = 0;
    virtual TStatusPanels& Status() = 0;

    // Whether a slot is in use. While none is, the current editor is a hidden
    // one that still holds a closed document's text: no command may act on it.
    virtual bool AnySlotInUse() const = 0;
    // The editor and document of the page shown (slot 1's while none is in use).
    virtual TColorMemo* CurrentMemo() const = 0;
    virtual TSlotDocument& CurrentDocument() = 0;
    // Saves the current slot's file, asking for a name while it has none.
    virtual bool SaveCurrentFile() = 0;
    virtual void UpdateCaretStatus() = 0;
    // Shows the page of `path`, opening the file first when no page shows it;
    // true when the page shown then holds it.
    virtual bool ShowFile(const QString& path) = 0;
    // Marks the places of the entries in every editor showing one of their
    // files, instead of the marks it had; the current editor's marks go in
    // any case.
    virtual void MarkErrors(const datei::TErrorRows& rows) = 0;
    // Runs a command; a failure it does not test for ends it with the general error box.
    virtual void Guard(const std::function<void()>& command) = 0;
};
