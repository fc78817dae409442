// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace doscall {

// Lets the one who started a long run end it: the window triggers it (Escape,
// its cancel button, closing), and the run that was given it ends its program
// and reports Cancelled. One token serves one run at a time; Reset makes it
// ready for the next.
class TCancel : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The first call emits Cancelled; later ones change nothing.
    void Cancel();
    bool IsCancelled() const { return Done; }
    void Reset() { Done = false; }

signals:
    void Cancelled();

private:
    bool Done = false;
};

} // namespace doscall
