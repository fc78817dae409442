// SPDX-License-Identifier: GPL-3.0-or-later
// Paints in the steady state must not allocate: the editor repaints after every keystroke.

#include "ColMemo/JavaRules.h"
#include "ScanRig.h"

#include <QTest>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> Allocations{0};
}

void* operator new(std::size_t size) {
    ++Allocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

using namespace colmemo;

class TestScanAlloc : public QObject {
    Q_OBJECT

private slots:
    void repeated_paints_allocate_nothing_data();
    void repeated_paints_allocate_nothing();
    void paints_of_fewer_runs_reuse_the_records();
};

void TestScanAlloc::repeated_paints_allocate_nothing_data() {
    QTest::addColumn<bool>("caretLineOnly");
    QTest::newRow("full window") << false;
    QTest::newRow("caret line") << true;
}

void TestScanAlloc::repeated_paints_allocate_nothing() {
    QFETCH(bool, caretLineOnly);
    TScanRig rig;
    AddJavaRules(rig.Rules);
    std::u16string text;
    for (int i = 0; i < 300; ++i)
        text += u"\tpublic int f(String s) { return s.length(); } /* c */ // x\r\n";
    rig.Geometry.SetText(text);
    rig.Geometry.SetWindow(150, 60);
    rig.Input.WantTabs = true;
    rig.Input.CaretLineOnly = caretLineOnly;
    rig.Input.FirstVisibleLine = 150;
    rig.Input.CaretLine = 170;
    rig.Input.CaretLineStart = rig.Geometry.LineIndex(170);
    rig.Input.SelStart = rig.Input.CaretLineStart + 3;
    rig.Input.SelLength = 4;
    const long start = Allocations.load();
    rig.Scanner.Scan(rig.Input, rig.Geometry);
    // The first paint compiles the rules and grows the buffers: proof that counting works.
    QVERIFY(Allocations.load() > start);
    rig.Scanner.Scan(rig.Input, rig.Geometry);
    const long before = Allocations.load();
    for (int paint = 0; paint < 10; ++paint)
        rig.Scanner.Scan(rig.Input, rig.Geometry);
    const long during = Allocations.load() - before;
    QCOMPARE(during, 0L);
    QVERIFY(rig.Scanner.RunCount() > 10);
}

// The records of a paint with many runs are kept: paints with fewer runs between two with many
// neither free nor grow them.
void TestScanAlloc::paints_of_fewer_runs_reuse_the_records() {
    TScanRig rig;
    rig.AddKeywords({u"a"});
    TPlainTextGeometry many(u"a b a b a b a b a b a b a b a b a b a b a b a b a");
    TPlainTextGeometry few(u"b a");
    rig.Scanner.Scan(rig.Input, many);
    QCOMPARE(rig.Scanner.RunCount(), 13);
    const long before = Allocations.load();
    for (int paint = 0; paint < 20; ++paint) {
        rig.Scanner.Scan(rig.Input, few);
        rig.Scanner.Scan(rig.Input, many);
    }
    QCOMPARE(Allocations.load() - before, 0L);
    QCOMPARE(rig.Scanner.RunCount(), 13);
}

QTEST_APPLESS_MAIN(TestScanAlloc)
#include "tst_scanalloc.moc"
