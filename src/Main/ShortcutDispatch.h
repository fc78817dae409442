// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QKeySequence;
class QMainWindow;
class QMenu;

// Routes shortcut keys the way the menus promise: the focused editor's pop-up
// menu first, then the main menu, each in item order. Before an item is
// considered its menu's opening handler runs, so its enabled state is
// current; a disabled item swallows the key. Alt with a key no menu takes
// (and no menu title's mnemonic, which the menu bar handles before) types
// nothing either.
class TShortcutDispatch : public QObject {
    Q_OBJECT
public:
    // `opening` runs the opening handler of a menu.
    TShortcutDispatch(QMainWindow& window, QMenu& popup, std::function<void(QMenu*)> opening);
    ~TShortcutDispatch() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key was taken (an item triggered, or the key swallowed).
    bool Dispatch(QKeyEvent* event, bool editorFocused);
    // True when an item of `menu` carries `keys`; that item is triggered when enabled.
    bool TryMenu(QMenu* menu, const QKeySequence& keys);

    QMainWindow& Window;
    QMenu& Popup;
    std::function<void(QMenu*)> Opening;
};
