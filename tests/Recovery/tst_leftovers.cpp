// SPDX-License-Identifier: GPL-3.0-or-later
// The next start after a run that ended abnormally: what it offers, how it
// tells a file changed on disk, and that nothing it could keep is lost.
// A run "crashes" here by going without Exit(); tst_recoverycrash kills real processes.

#include "RecoveryRig.h"

#include "Recovery/CopyFiles.h"

#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

using namespace recovery;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Sets a file's modification time back to what a stamp says.
bool SetModified(const QString& path, const datei::TFileStamp& stamp) {
    const timespec times[2] = {
        {0, UTIME_OMIT},
        {time_t(stamp.ModifiedNs / 1'000'000'000), long(stamp.ModifiedNs % 1'000'000'000)}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// A run of the window: documents with texts, and their copies on disk.
struct TRun {
    std::unique_ptr<TRecovery> Recovery;
    std::vector<std::unique_ptr<QString>> Texts;

    explicit TRun(const QString& root) : Recovery(std::make_unique<TRecovery>(rig::Quick(root))) {}

    TDocumentId Type(const TDocumentInfo& info, const QString& text) {
        Texts.push_back(std::make_unique<QString>(text));
        QString* held = Texts.back().get();
        const TDocumentId id = Recovery->Opened(info, [held] { return *held; });
        Recovery->Changed(id);
        return id;
    }
    // A copy appears under its name only once it is complete.
    bool WaitForCopies(int count) {
        return QTest::qWaitFor([&] { return rig::CopiesIn(Recovery->Folder()).size() == count; },
                               5000);
    }
    void Crash() { Recovery.reset(); }
};

TDocumentInfo Unnamed(int slot) {
    return {NoName, datei::TFileEncoding::Utf8, slot, {}};
}

const TLeftover* ByFile(const QList<TLeftover>& leftovers, const QString& file) {
    for (const TLeftover& leftover : leftovers)
        if (leftover.Copy.File == file)
            return &leftover;
    return nullptr;
}

} // namespace

class TestLeftovers : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString Root() const { return dir->filePath(QStringLiteral("recovery")); }
    QString File(const QString& name) const { return dir->filePath(name); }

    // A file as opened by the window: its text and stamp.
    TDocumentInfo Opened(const QString& name, const QByteArray& bytes, int slot) {
        Write(File(name), bytes);
        const datei::TSourceFile source = datei::LoadSourceFile(File(name));
        return {File(name), source.Source.Encoding, slot, source.Stamp};
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() { dir.reset(); }

    void the_next_start_tells_how_each_file_fared_since() {
        TRun run(Root());
        const QByteArray bytes("class A {\r\n}\r\n");
        run.Type(Opened(QStringLiteral("Same.java"), bytes, 1), QStringLiteral("getippt 1"));
        run.Type(Opened(QStringLiteral("Changed.java"), bytes, 2), QStringLiteral("getippt 2"));
        run.Type(Opened(QStringLiteral("Touched.java"), bytes, 3), QStringLiteral("getippt 3"));
        run.Type(Opened(QStringLiteral("Gone.java"), bytes, 4), QStringLiteral("getippt 4"));
        run.Type(Unnamed(5), QStringLiteral("getippt 5"));
        QVERIFY(run.WaitForCopies(5));
        run.Crash();

        // Same size and time, other bytes: only the hash can tell.
        const datei::TFileStamp before = datei::StampOf(File(QStringLiteral("Changed.java")));
        Write(File(QStringLiteral("Changed.java")), "class B {\r\n}\r\n");
        QVERIFY(SetModified(File(QStringLiteral("Changed.java")), before));
        QCOMPARE(datei::StampOf(File(QStringLiteral("Changed.java"))), before);
        // Written again with the same bytes: a new time, the same version.
        QTest::qWait(20);
        Write(File(QStringLiteral("Touched.java")), bytes);
        QVERIFY(QFile::remove(File(QStringLiteral("Gone.java"))));

        TRecovery next(rig::Quick(Root()));
        const QList<TLeftover> found = next.Leftovers();
        QCOMPARE(found.size(), 5);
        QCOMPARE(ByFile(found, File(QStringLiteral("Same.java")))->Disk, TDiskState::Unchanged);
        QCOMPARE(ByFile(found, File(QStringLiteral("Changed.java")))->Disk, TDiskState::Changed);
        QCOMPARE(ByFile(found, File(QStringLiteral("Touched.java")))->Disk, TDiskState::Unchanged);
        QCOMPARE(ByFile(found, File(QStringLiteral("Gone.java")))->Disk, TDiskState::Gone);
        QCOMPARE(ByFile(found, NoName)->Disk, TDiskState::NoFile);
        // In slot order, each with its own text.
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(found[i].Copy.Slot, i + 1);
            QCOMPARE(found[i].Copy.Text, QStringLiteral("getippt %1").arg(i + 1));
        }
        QCOMPARE(ByFile(found, File(QStringLiteral("Same.java")))->Copy.Origin.Stamp,
                 datei::StampOf(File(QStringLiteral("Same.java"))));
    }

    void a_copy_that_only_repeats_its_file_is_not_offered() {
        TRun run(Root());
        const QByteArray bytes("class A {\r\n}\r\n");
        // Saved, then the run died before the copy went.
        run.Type(Opened(QStringLiteral("A.java"), bytes, 1), QString::fromUtf8(bytes));
        QVERIFY(run.WaitForCopies(1));
        run.Crash();
        TRecovery next(rig::Quick(Root()));
        QCOMPARE(next.Leftovers().size(), 0);
        next.EndRecovery();
        QCOMPARE(QDir(Root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(next.Folder()).fileName()});
    }

    void a_damaged_copy_is_reported_and_set_aside_not_deleted() {
        TRun run(Root());
        run.Type(Opened(QStringLiteral("Kaputt.java"), "int i;\r\n", 1), QStringLiteral("a"));
        run.Type(Unnamed(2), QStringLiteral("heil"));
        QVERIFY(run.WaitForCopies(2));
        const QString folder = run.Recovery->Folder();
        run.Crash();
        const QString path = QDir(folder).filePath(rig::CopiesIn(folder).first());
        QByteArray bytes = Read(path);
        QVERIFY(bytes.contains("Kaputt.java"));
        bytes[bytes.size() - 30] = '!';
        Write(path, bytes);

        {
            TRecovery next(rig::Quick(Root()));
            const QList<TLeftover> found = next.Leftovers();
            QCOMPARE(found.size(), 1);
            QCOMPARE(found.first().Copy.Text, QStringLiteral("heil"));
            const QList<TSetAside> aside = next.SetAside();
            QCOMPARE(aside.size(), 1);
            QVERIFY(aside.first().Damaged);
            QCOMPARE(aside.first().File, File(QStringLiteral("Kaputt.java")));
            QVERIFY(aside.first().Where.startsWith(Root() + QStringLiteral("/damaged/")));
            QCOMPARE(Read(aside.first().Where), bytes);
            next.Discard(found.first());
            next.Exit();
        }
        // Reported once: set aside, it is offered and reported no more.
        TRecovery later(rig::Quick(Root()));
        QCOMPARE(later.Leftovers().size(), 0);
        QCOMPARE(later.SetAside().size(), 0);
        QCOMPARE(QDir(Root() + QStringLiteral("/damaged")).entryList(QDir::Files).size(), 1);
    }

    void more_documents_than_slots_keep_the_rest_for_the_next_start() {
        TRun run(Root());
        QStringList kept;
        for (int i = 1; i <= 7; ++i)
            run.Type(Unnamed(std::min(i, 5)), QStringLiteral("Dokument %1").arg(i));
        QVERIFY(run.WaitForCopies(7));
        run.Crash();

        {
            TRecovery next(rig::Quick(Root()));
            const QList<TLeftover> found = next.Leftovers();
            QCOMPARE(found.size(), 7);
            kept = QStringList{found[5].Copy.Text, found[6].Copy.Text};
            std::vector<TDocumentId> restored;
            for (int slot = 1; slot <= 5; ++slot)
                restored.push_back(next.Restore(found[slot - 1], slot, [] { return QString(); }));
            QCOMPARE(next.Leftovers().size(), 2);
            next.EndRecovery();
            // The five restored are this run's now: saved, then closed.
            QCOMPARE(rig::CopiesIn(next.Folder()).size(), 5);
            for (TDocumentId id : restored)
                next.Closed(id);
            next.Exit();
        }
        TRecovery later(rig::Quick(Root()));
        QStringList texts;
        for (const TLeftover& leftover : later.Leftovers())
            texts << leftover.Copy.Text;
        texts.sort();
        kept.sort();
        QCOMPARE(texts, kept);
        QCOMPARE(texts.size(), 2);
    }

    void nein_deletes_the_copies() {
        TRun run(Root());
        run.Type(Unnamed(1), QStringLiteral("eins"));
        run.Type(Opened(QStringLiteral("A.java"), "class A {}\r\n", 2), QStringLiteral("zwei"));
        QVERIFY(run.WaitForCopies(2));
        run.Crash();
        {
            TRecovery next(rig::Quick(Root()));
            for (const TLeftover& leftover : next.Leftovers())
                next.Discard(leftover);
            QCOMPARE(next.Leftovers().size(), 0);
            next.Exit();
        }
        QCOMPARE(QDir(Root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(Read(File(QStringLiteral("A.java"))), QByteArray("class A {}\r\n"));
    }

    void a_restored_document_survives_a_second_crash() {
        TRun run(Root());
        run.Type(Opened(QStringLiteral("A.java"), "class A {}\r\n", 4),
                 QStringLiteral("mein Text"));
        QVERIFY(run.WaitForCopies(1));
        run.Crash();

        auto next = std::make_unique<TRecovery>(rig::Quick(Root()));
        const QList<TLeftover> found = next->Leftovers();
        QCOMPARE(found.size(), 1);
        QString text = found.first().Copy.Text;
        QSignalSpy written(next.get(), &TRecovery::CopyWritten);
        next->Restore(found.first(), 1, [&] { return text; });
        next->EndRecovery();
        // Its copy is this run's at once, and soon names its new slot.
        QCOMPARE(rig::CopiesIn(next->Folder()).size(), 1);
        QTRY_COMPARE(written.count(), 1);
        next.reset();

        TRecovery later(rig::Quick(Root()));
        QCOMPARE(later.Leftovers().size(), 1);
        const TRecoveryCopy copy = later.Leftovers().first().Copy;
        QCOMPARE(copy.Text, QStringLiteral("mein Text"));
        QCOMPARE(copy.File, File(QStringLiteral("A.java")));
        QCOMPARE(copy.Slot, 1);
        // Still resting on the version first opened, not on a later look at the file.
        QCOMPARE(copy.Origin.Stamp, datei::StampOf(File(QStringLiteral("A.java"))));
        QVERIFY(!copy.Origin.Hash.isEmpty());
    }

    void a_run_still_alive_is_never_claimed() {
        TRun alive(Root());
        alive.Type(Unnamed(1), QStringLiteral("lebt"));
        QVERIFY(alive.WaitForCopies(1));
        {
            TRecovery other(rig::Quick(Root()));
            QCOMPARE(other.Leftovers().size(), 0);
            other.Exit();
        }
        QCOMPARE(rig::CopiesIn(alive.Recovery->Folder()).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestLeftovers)
#include "tst_leftovers.moc"
