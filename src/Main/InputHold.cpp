// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/InputHold.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool IsKeyInput(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::KeyRelease ||
           type == QEvent::ShortcutOverride || type == QEvent::Shortcut ||
           type == QEvent::InputMethod;
}

bool IsPointerInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

TInputHold::TInputHold(QWidget* allowed, std::function<void()> onEscape)
    : Allowed(allowed), OnEscape(std::move(onEscape)) {
    qApp->installEventFilter(this);
}

TInputHold::~TInputHold() {
    qApp->removeEventFilter(this);
}

bool TInputHold::ReachesAllowed(QObject* watched) const {
    if (!Allowed || !Allowed->isVisible())
        return false;
    for (QObject* object = watched; object; object = object->parent())
        if (object == Allowed)
            return true;
    return false;
}

bool TInputHold::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // A shortcut goes to its action, not to a widget: it must not run.
    if (type == QEvent::Shortcut) {
        Drop(type);
        return true;
    }
    // Claimed by the widget, the key comes as a key press, dropped below,
    // rather than as a shortcut.
    if (type == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    const bool key = IsKeyInput(type);
    if ((!key && !IsPointerInput(type)) || !watched->isWidgetType())
        return false;
    if (!key && ReachesAllowed(watched))
        return false;
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (OnEscape)
            OnEscape();
        return true;
    }
    Drop(type);
    return true;
}

void TInputHold::Drop(QEvent::Type type) {
    if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress && type != QEvent::Shortcut)
        return;
    if (DroppedCount++ == 0)
        QApplication::beep();
}
