// SPDX-License-Identifier: GPL-3.0-or-later
// When a document's copy is due, on a clock the test moves by hand.

#include "Recovery/CopySchedule.h"

#include <QtTest>

using namespace recovery;

namespace {

const TCopyTimings Timings{2000, 30000, 400, 10000};

} // namespace

class TestCopySchedule : public QObject {
    Q_OBJECT

private slots:
    void nothing_is_due_while_nothing_changed() {
        TCopySchedule schedule(Timings);
        QVERIFY(!schedule.DueAt());
        QVERIFY(!schedule.Pending());
    }

    void a_copy_is_due_once_typing_has_paused() {
        TCopySchedule schedule(Timings);
        schedule.Changed(1000);
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(3000));
        schedule.Changed(2500); // still typing: the pause starts again
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(4500));
    }

    void typing_that_never_pauses_still_gets_a_copy_in_time() {
        TCopySchedule schedule(Timings);
        for (qint64 now = 0; now <= 40000; now += 500)
            schedule.Changed(now);
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(30000));
        // Taken at 30 s; typing goes on: the next is due 30 s after the next change.
        schedule.Taken();
        QVERIFY(!schedule.DueAt());
        for (qint64 now = 30100; now <= 70000; now += 500)
            schedule.Changed(now);
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(60100));
    }

    void late_in_a_long_stretch_of_typing_a_short_pause_is_enough() {
        TCopySchedule schedule(Timings);
        for (qint64 now = 0; now <= 5000; now += 100)
            schedule.Changed(now);
        // Early on, a short pause is no reason to stall the typist.
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(7000));
        for (qint64 now = 5100; now <= 21000; now += 100)
            schedule.Changed(now);
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(21400));
        schedule.Changed(21300); // no pause yet: the copy waits
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(21700));
    }

    void a_saved_document_needs_no_copy() {
        TCopySchedule schedule(Timings);
        schedule.Changed(100);
        schedule.Clean();
        QVERIFY(!schedule.DueAt());
        schedule.Changed(5000);
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(7000));
    }

    void a_copy_that_failed_is_tried_again_later_not_at_once() {
        TCopySchedule schedule(Timings);
        schedule.Changed(0);
        schedule.Taken();
        schedule.Failed(2100);
        QVERIFY(schedule.Pending());
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(12100));
        schedule.Changed(11000); // typing again does not make it sooner
        QCOMPARE(schedule.DueAt(), std::optional<qint64>(13000));
    }
};

QTEST_APPLESS_MAIN(TestCopySchedule)
#include "tst_copyschedule.moc"
