// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

// Counts the paints of what it watches: one widget (constructed with it), or
// every widget (installed on the application). `OnPaint` runs at each paint,
// before the widget draws.
class TPaintCounter : public QObject {
public:
    TPaintCounter() = default;
    explicit TPaintCounter(QObject* watched) { watched->installEventFilter(this); }

    int Paints = 0;
    std::function<void()> OnPaint;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++Paints;
            if (OnPaint)
                OnPaint();
        }
        return false;
    }
};
