// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/ShortcutDispatch.h"

#include "ColMemo/ColorMemo.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

TShortcutDispatch::TShortcutDispatch(QMainWindow& window, QMenu& popup,
                                     std::function<void(QMenu*)> opening)
    : QObject(&window), Window(window), Popup(popup), Opening(std::move(opening)) {
    qApp->installEventFilter(this);
}

TShortcutDispatch::~TShortcutDispatch() {
    qApp->removeEventFilter(this);
}

bool TShortcutDispatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // A key goes to the window's focus widget (or the window itself) first,
    // then to its parents while ignored: only that first delivery counts,
    // and only in our window while no menu or dialog is up.
    if (!widget || widget->window() != &Window || QApplication::activePopupWidget() ||
        QApplication::activeModalWidget())
        return false;
    QWidget* receiver = Window.focusWidget();
    if (widget != (receiver ? receiver : &Window))
        return false;
    bool editorFocused = false;
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (qobject_cast<TColorMemo*>(w))
            editorFocused = true;
    return Dispatch(static_cast<QKeyEvent*>(event), editorFocused);
}

bool TShortcutDispatch::Dispatch(QKeyEvent* event, bool editorFocused) {
    const int key = event->key();
    if (key == 0 || key == Qt::Key_unknown || key == Qt::Key_Control || key == Qt::Key_Shift ||
        key == Qt::Key_Alt || key == Qt::Key_Meta)
        return false;
    const QKeySequence keys(event->keyCombination());
    if (editorFocused && TryMenu(&Popup, keys))
        return true;
    for (QAction* top : Window.menuBar()->actions())
        if (top->menu() && TryMenu(top->menu(), keys))
            return true;
    // Alt and a character is a menu mnemonic or nothing, never typing. Ctrl
    // with Alt is left alone: some keyboards type characters with it (AltGr).
    const Qt::KeyboardModifiers held = event->modifiers();
    const QString text = event->text();
    return (held & Qt::AltModifier) && !(held & Qt::ControlModifier) && !text.isEmpty() &&
           text.at(0).isPrint();
}

bool TShortcutDispatch::TryMenu(QMenu* menu, const QKeySequence& keys) {
    bool opened = false;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->shortcut().isEmpty() ||
            action->shortcut().matches(keys) != QKeySequence::ExactMatch)
            continue;
        if (!opened) {
            Opening(menu);
            opened = true;
        }
        if (action->isEnabled())
            action->trigger();
        return true;
    }
    return false;
}
