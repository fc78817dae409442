// SPDX-License-Identifier: GPL-3.0-or-later
// The five editor slots: taking, reusing the fifth, closing with the gap
// closed, and which slot is current.
#include "MainWindowRig.h"

#include <QListWidget>

class TestSlots : public MainWindowRig {
    Q_OBJECT

    // Opens a slot for /p/DocN.java holding "text N", caret at N, modified when odd.
    void OpenDoc(int number) {
        const QString path = QStringLiteral("/p/Doc%1.java").arg(number);
        form->OpenSlot(path);
        TColorMemo* memo = form->CurrentMemo();
        memo->SetText(QStringLiteral("text %1\r\nline two").arg(number));
        memo->SetSelStart(number);
        memo->SetModified(number % 2 == 1);
    }

    bool TabVisible(int n) const { return Pages()->isTabVisible(n - 1); }
    QString TabCaption(int n) const { return Pages()->tabText(n - 1); }

    // The documents in slots 1..LastSlot+1 by number, read from SlotFile and text.
    QList<int> Documents() const {
        QList<int> docs;
        for (int n = 1; n <= form->LastSlot() + 1; ++n) {
            const QString name = Pages()->tabText(n - 1);
            const int number = name.mid(3).toInt();
            if (form->SlotFile(n) != QStringLiteral("/p/Doc%1.java").arg(number) ||
                form->SlotMemo(n)->LineText(0) != QStringLiteral("text %1").arg(number) ||
                form->SlotMemo(n)->SelStart() != number ||
                form->SlotMemo(n)->Modified() != (number % 2 == 1))
                docs.append(-1); // the slot's parts do not belong together
            else
                docs.append(number);
        }
        return docs;
    }

private slots:
    void init() { QVERIFY(StartMainWindow()); }
    void cleanup() { form.reset(); }

    void start_has_no_slot_in_use() {
        QCOMPARE(form->LastSlot(), -1);
        QCOMPARE(form->CurrentSlot(), 1);
        QVERIFY(Pages()->isHidden());
        for (int n = 1; n <= 5; ++n) {
            QCOMPARE(form->SlotFile(n), QStringLiteral("noname.java"));
            QVERIFY(!TabVisible(n));
            QCOMPARE(form->SlotMemo(n), Control<TColorMemo>(QStringLiteral("CMemo%1").arg(n)));
        }
        QCOMPARE(form->SlotMemo(0), nullptr);
        QCOMPARE(form->SlotMemo(6), nullptr);
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk"));
        QVERIFY(!Control<QListWidget>("ListBox")->isEnabled());
        QCOMPARE(Control<QListWidget>("ListBox")->count(), 2);
    }

    void opening_six_documents_reuses_the_fifth_slot() {
        for (int doc = 1; doc <= 6; ++doc)
            OpenDoc(doc);
        QCOMPARE(form->LastSlot(), 4);
        QCOMPARE(Documents(), (QList<int>{1, 2, 3, 4, 6}));
        QCOMPARE(form->CurrentSlot(), 5);
        QVERIFY(Pages()->isVisible());
        QVERIFY(form->CurrentMemo()->isVisible());
        for (int n = 1; n <= 5; ++n)
            QVERIFY(TabVisible(n));
    }

    void open_slot_takes_the_next_slot_and_names_its_tab() {
        form->OpenSlot(QStringLiteral("/home/lea/A.b.java"));
        QCOMPARE(Pages()->tabText(0), QStringLiteral("A.b"));
        QCOMPARE(form->SlotFile(1), QStringLiteral("/home/lea/A.b.java"));
        form->CurrentMemo()->SetText(QStringLiteral("x"));
        form->OpenSlot(QStringLiteral("noname.java"));
        QCOMPARE(form->CurrentSlot(), 2);
        QCOMPARE(Pages()->tabText(1), QStringLiteral("noname"));
        QCOMPARE(form->CurrentMemo()->Text(), QString());
        QVERIFY(!form->CurrentMemo()->Modified());
    }

    void closing_slot_two_of_four_moves_the_later_slots_down() {
        for (int doc = 1; doc <= 4; ++doc)
            OpenDoc(doc);
        form->ShowSlot(1);
        QCOMPARE(form->CurrentSlot(), 2);
        form->CloseCurrentSlot();
        QCOMPARE(form->LastSlot(), 2);
        QCOMPARE(Documents(), (QList<int>{1, 3, 4}));
        QVERIFY(!TabVisible(4));
        QVERIFY(TabVisible(3));
        QCOMPARE(form->CurrentSlot(), 3);
    }

    void closing_the_highest_slot_moves_nothing() {
        for (int doc = 1; doc <= 3; ++doc)
            OpenDoc(doc);
        QCOMPARE(form->CurrentSlot(), 3);
        form->CloseCurrentSlot();
        QCOMPARE(Documents(), (QList<int>{1, 2}));
        QCOMPARE(form->CurrentSlot(), 2);
        form->CloseCurrentSlot();
        form->CloseCurrentSlot();
        QCOMPARE(form->LastSlot(), -1);
        QCOMPARE(form->CurrentSlot(), 1);
        QVERIFY(Pages()->isHidden());
    }

    void closing_everything_removes_each_document_once_data() {
        QTest::addColumn<int>("startSlot");
        for (int slot = 1; slot <= 5; ++slot)
            QTest::newRow(qPrintable(QStringLiteral("current slot %1").arg(slot))) << slot;
    }

    void closing_everything_removes_each_document_once() {
        QFETCH(int, startSlot);
        for (int doc = 1; doc <= 5; ++doc)
            OpenDoc(doc);
        form->ShowSlot(startSlot - 1);
        QList<int> closed;
        for (int pass = 0; pass < 5; ++pass) {
            const QList<int> before = Documents();
            const int current = form->CurrentSlot();
            closed.append(before[current - 1]);
            form->CloseCurrentSlot();
            QList<int> after = before;
            after.removeAt(current - 1);
            QCOMPARE(Documents(), after);
        }
        QCOMPARE(form->LastSlot(), -1);
        std::sort(closed.begin(), closed.end());
        QCOMPARE(closed, (QList<int>{1, 2, 3, 4, 5}));
    }
};

QTEST_MAIN(TestSlots)
#include "tst_slots.moc"
