#pragma once

#include <QObject>

class QAction;
class QKeyEvent;
class QMenu;
class TMainForm;

// Routes shortcut keys the way the menus promise: the focused editor's pop-up
// menu first, then the main menu, each in item order. Before an item is
// considered its menu's opening handler runs, so its enabled state is
// current; a disabled item swallows the key.
class TShortcutDispatch : public QObject {
    Q_OBJECT
public:
    explicit TShortcutDispatch(TMainForm& form);
    ~TShortcutDispatch() override;

    // True when the key was taken by a menu item (triggered or swallowed).
    bool Dispatch(QKeyEvent* event, bool editorFocused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Returns the first item of `menu` carrying `keys`, after running `opening`.
    bool TryMenu(QMenu* menu, const QKeySequence& keys);
    void RunOpeningHandler(QMenu* menu);

    TMainForm& Form;
};
