// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// While a long run (a compile) handles events, the user's keys and clicks
// must not start commands or land in the text, neither now nor afterwards:
// they are dropped. Escape calls `onEscape`; clicks on `allowed` (the cancel
// button) still reach it. The first dropped input beeps, once per hold.
class TInputHold : public QObject {
public:
    TInputHold(QWidget* allowed, std::function<void()> onEscape);
    ~TInputHold() override;
    TInputHold(const TInputHold&) = delete;
    TInputHold& operator=(const TInputHold&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ReachesAllowed(QObject* watched) const;
    void Drop(QEvent::Type type);

    QPointer<QWidget> Allowed;
    std::function<void()> OnEscape;
    int DroppedCount = 0;
};
