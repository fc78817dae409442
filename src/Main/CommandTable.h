// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rows of the main window's command table (see TMainForm::CommandRows):
// every menu, separator, menu item, tool button and pop-up item, each with
// its name, caption, shortcut, enabled rule and handler, declared once.
#include <QKeyCombination>

#include <functional>

// When UpdateCommandStates enables a command.
enum class TEnabledWhen {
    Always,       // never disabled
    HasText,      // the current document holds text
    InUse,        // a slot is in use
    CanUndo,      // the current editor can undo
    CanPaste,     // the clipboard holds text and a slot is in use
    HasSelection, // the current editor has a selection and a slot is in use
};

struct TCommandRow {
    enum class TKind {
        Menu,            // a menu of the menu bar; its items follow
        Popup,           // the editors' pop-up menu; its items follow
        Item,            // an item of the menu above it
        Separator,       // a separator of the menu above it
        Button,          // a tool button
        ButtonSeparator, // a separator of the tool bar
    };
    using THandler = std::function<void()>;

    TKind Kind;
    const char* Name;         // objectName, the name of the control
    const char* Caption = ""; // a tool button's hint
    QKeyCombination Keys = QKeyCombination(Qt::Key(0));
    bool OnAtStart = true;
    bool VisibleAtStart = true;
    TEnabledWhen When = TEnabledWhen::Always;
    THandler Handler; // for a menu: the handler run when it opens (may be empty)
    const char* ThemeIcon = nullptr;
    const char* BundledIcon = nullptr; // in resources/icons, without ".png"
};

// Readable rows. `on` is the enabled state at start.
namespace mainform::command_rows {
using TKind = TCommandRow::TKind;
using THandler = TCommandRow::THandler;
constexpr bool On = true;
constexpr bool Off = false;
constexpr QKeyCombination NoKeys = QKeyCombination(Qt::Key(0));

inline TCommandRow Menu(const char* name, const char* caption, THandler opening = {}) {
    return {TKind::Menu, name, caption, NoKeys, On, true, TEnabledWhen::Always, opening};
}
inline TCommandRow Popup(const char* name, THandler opening) {
    return {TKind::Popup, name, "", NoKeys, On, true, TEnabledWhen::Always, opening};
}
inline TCommandRow Item(const char* name, const char* caption, QKeyCombination keys, bool on,
                        TEnabledWhen when, THandler handler) {
    return {TKind::Item, name, caption, keys, on, true, when, handler};
}
// An item that stays hidden until its menu's opening handler shows it.
inline TCommandRow HiddenItem(const char* name, THandler handler) {
    return {TKind::Item, name, "", NoKeys, On, false, TEnabledWhen::Always, handler};
}
inline TCommandRow Separator(const char* name, bool visible = true) {
    return {TKind::Separator, name, "", NoKeys, On, visible, TEnabledWhen::Always, {}};
}
inline TCommandRow Button(const char* name, const char* hint, const char* themeIcon,
                          const char* bundledIcon, bool on, TEnabledWhen when, THandler handler) {
    return {TKind::Button, name, hint, NoKeys, on, true, when, handler, themeIcon, bundledIcon};
}
inline TCommandRow ButtonSeparator() {
    return {TKind::ButtonSeparator, "", "", NoKeys, On, true, TEnabledWhen::Always, {}};
}
} // namespace mainform::command_rows
