// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <optional>

namespace recovery {

// How soon a copy follows typing. Taking the text stalls the main thread for
// a moment in a long file, so while typing goes on the copy waits for a short
// pause once two thirds of the longest delay have passed, and only at the
// longest delay is taken between two keys.
struct TCopyTimings {
    qint64 IdleMs = 2000;      // after the last change, once typing has stopped
    qint64 MaxDelayMs = 30000; // after the first change not yet in a copy, typing or not
    qint64 ShortPauseMs = 400; // enough of a pause after two thirds of MaxDelayMs
    qint64 RetryMs = 30000;    // after a copy that could not be written
};

// When one document's next copy is due, on a clock of milliseconds. Changes
// only record the time; the owner asks DueAt when its timer fires.
class TCopySchedule {
public:
    explicit TCopySchedule(const TCopyTimings& timings = {}) : Timings(timings) {}

    // The text changed (or something the copy records, such as the slot).
    void Changed(qint64 now) {
        if (!Dirty) {
            Dirty = true;
            FirstChange = now;
        }
        LastChange = now;
    }
    // The text was taken for a copy: later changes need the next one.
    void Taken() { Dirty = false; }
    // The copy taken could not be written: the same text is due again, later.
    void Failed(qint64 now) {
        Changed(now);
        NotBefore = now + Timings.RetryMs;
    }
    // Saved, or back to its saved state: no copy is needed.
    void Clean() { Dirty = false; }

    bool Pending() const { return Dirty; }
    // When the next copy is due; nothing when none is needed.
    std::optional<qint64> DueAt() const {
        if (!Dirty)
            return std::nullopt;
        const qint64 inPause =
            std::max(FirstChange + Timings.MaxDelayMs * 2 / 3, LastChange + Timings.ShortPauseMs);
        const qint64 due =
            std::min({LastChange + Timings.IdleMs, FirstChange + Timings.MaxDelayMs, inPause});
        return std::max(due, NotBefore);
    }

private:
    TCopyTimings Timings;
    bool Dirty = false;
    qint64 FirstChange = 0;
    qint64 LastChange = 0;
    qint64 NotBefore = 0;
};

} // namespace recovery
