// SPDX-License-Identifier: GPL-3.0-or-later
// A running Kodiwerk's copies: when they are written, when they go, and what
// happens when the state folder cannot take them.

#include "RecoveryRig.h"

#include "Recovery/RecoveryTexts.h"

#include <QtTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace recovery;

namespace {

// Files this process writes may grow no further than `bytes` while it lives;
// a write beyond fails (EFBIG) instead of ending the process.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &Saved);
        Signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = Saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, Signal);
    }

private:
    rlimit Saved{};
    void (*Signal)(int) = nullptr;
};

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString Root() const { return dir->filePath(QStringLiteral("state/recovery")); }

    // The one copy in a run's folder, read back.
    static TRecoveryCopy OnlyCopy(const TRecovery& recovery) {
        const QStringList copies = rig::CopiesIn(recovery.Folder());
        if (copies.size() != 1)
            return {};
        QFile file(QDir(recovery.Folder()).filePath(copies.first()));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return DecodeCopy(file.readAll()).Copy;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() { dir.reset(); }

    void the_state_folder_follows_the_xdg_rule() {
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", "/srv/zustand");
        QCOMPARE(StateFolder(), QStringLiteral("/srv/zustand/quorndel/Kodiwerk"));
        qputenv("XDG_STATE_HOME", "relativ/ungueltig");
        QCOMPARE(StateFolder(),
                 QDir::homePath() + QStringLiteral("/.local/state/quorndel/Kodiwerk"));
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(StateFolder(),
                 QDir::homePath() + QStringLiteral("/.local/state/quorndel/Kodiwerk"));
        QCOMPARE(CopiesFolder(QStringLiteral("/s")), QStringLiteral("/s/recovery"));
        if (!saved.isNull())
            qputenv("XDG_STATE_HOME", saved);
    }

    void a_fingerprint_leaves_a_save_under_way_beside_the_file_alone() {
        // The worker takes fingerprints while the window may be saving the
        // same file, its new text beside it under a temporary name.
        const QString path = dir->filePath(QStringLiteral("Hallo.java"));
        const QString temporary = dir->filePath(QStringLiteral(".Hallo.java.1f2e3d~"));
        for (const QString& name : {path, temporary}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("class Hallo {}\r\n");
        }
        const datei::TFileStamp stamp = datei::StampOf(path);
        const TFileFingerprint print = FingerprintOf(path, stamp);
        QCOMPARE(print.Hash.size(), 32);
        QVERIFY(QFileInfo::exists(temporary));
        QCOMPARE(DiskStateOf(path, print), TDiskState::Unchanged);
        QVERIFY(QFileInfo::exists(temporary));
        // Another version by now: no hash for the one asked for.
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("// mehr\r\n");
        file.close();
        QVERIFY(FingerprintOf(path, stamp).Hash.isEmpty());
        QCOMPARE(DiskStateOf(path, print), TDiskState::Changed);
    }

    void a_copy_follows_once_typing_pauses_and_not_before() {
        const qint64 idle = 300;
        TRecovery recovery(rig::Quick(Root(), idle, 60000));
        QVERIFY(recovery.Active());
        QVERIFY(recovery.Folder().startsWith(Root() + QLatin1Char('/')));
        QSignalSpy written(&recovery, &TRecovery::CopyWritten);
        QString text = QStringLiteral("class A {}\r\n");
        const TDocumentId id = recovery.Opened({}, [&] { return text; });
        QElapsedTimer clock;
        clock.start();
        recovery.Changed(id);
        while (clock.elapsed() < idle - 100) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QVERIFY(rig::CopiesIn(recovery.Folder()).isEmpty());
        }
        QTRY_COMPARE(written.count(), 1);
        QVERIFY(clock.elapsed() >= idle);
        const TRecoveryCopy copy = OnlyCopy(recovery);
        QCOMPARE(copy.Text, text);
        QVERIFY(copy.Unnamed());
        // Nothing new typed, nothing new written.
        QTest::qWait(int(idle) * 2);
        QCOMPARE(written.count(), 1);
    }

    void typing_without_a_pause_still_gets_a_copy_at_the_longest_delay() {
        // The pause never comes; only the longest delay can bring copies.
        TRecovery recovery(rig::Quick(Root(), 600000, 200));
        QSignalSpy written(&recovery, &TRecovery::CopyWritten);
        QString text;
        const TDocumentId id = recovery.Opened({}, [&] { return text; });
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1500) {
            text += u'x';
            recovery.Changed(id);
            QTest::qWait(20);
        }
        QVERIFY2(written.count() >= 3, qPrintable(QString::number(written.count())));
        QVERIFY(OnlyCopy(recovery).Text.startsWith(QStringLiteral("xxx")));
    }

    void a_saved_document_loses_its_copy_and_gets_none_until_it_changes() {
        const QString path = dir->filePath(QStringLiteral("Hallo.java"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("class Hallo {}\r\n");
        file.close();
        TRecovery recovery(rig::Quick(Root()));
        QSignalSpy written(&recovery, &TRecovery::CopyWritten);
        QString text = QStringLiteral("class Hallo { int i; }\r\n");
        const TDocumentId id = recovery.Opened(
            {path, datei::TFileEncoding::Utf8, 1, datei::StampOf(path)}, [&] { return text; });
        recovery.Changed(id);
        QTRY_COMPARE(written.count(), 1);
        QCOMPARE(OnlyCopy(recovery).File, path);

        recovery.Saved(id, path, datei::TFileEncoding::Latin1, datei::StampOf(path));
        QTRY_VERIFY(rig::CopiesIn(recovery.Folder()).isEmpty());
        QTest::qWait(200);
        QCOMPARE(written.count(), 1);
        QVERIFY(rig::CopiesIn(recovery.Folder()).isEmpty());

        recovery.Changed(id);
        QTRY_COMPARE(written.count(), 2);
        QCOMPARE(OnlyCopy(recovery).Encoding, datei::TFileEncoding::Latin1);
        recovery.Unmodified(id);
        QTRY_VERIFY(rig::CopiesIn(recovery.Folder()).isEmpty());
    }

    void closing_every_document_and_exiting_leaves_nothing_behind() {
        auto recovery = std::make_unique<TRecovery>(rig::Quick(Root()));
        QSignalSpy written(recovery.get(), &TRecovery::CopyWritten);
        QString text = QStringLiteral("x");
        std::vector<TDocumentId> ids;
        for (int slot = 1; slot <= 3; ++slot) {
            ids.push_back(recovery->Opened({NoName, datei::TFileEncoding::Utf8, slot, {}},
                                           [&] { return text; }));
            recovery->Changed(ids.back());
        }
        QTRY_COMPARE(written.count(), 3);
        QCOMPARE(rig::CopiesIn(recovery->Folder()).size(), 3);
        recovery->Closed(ids[0]); // "Nein" at the save question
        recovery->Moved(ids[1], 1);
        recovery->Closed(ids[1]); // Close all from here on
        recovery->Closed(ids[2]);
        QTRY_VERIFY(rig::CopiesIn(recovery->Folder()).isEmpty());
        recovery->Exit();
        const TDocumentId late = recovery->Opened({}, [&] { return text; });
        recovery->Changed(late); // on the way down: written no more
        QTest::qWait(100);
        recovery.reset();
        QCOMPARE(QDir(Root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(TRecovery(rig::Quick(Root())).Leftovers().size(), 0);
    }

    void an_exit_with_a_document_still_open_keeps_its_latest_text() {
        auto recovery = std::make_unique<TRecovery>(rig::Quick(Root(), 600000, 600000));
        QString text = QStringLiteral("noch nicht gesichert");
        const TDocumentId id = recovery->Opened({}, [&] { return text; });
        recovery->Changed(id);
        recovery->Exit(); // long before the copy was due
        recovery.reset();
        TRecovery next(rig::Quick(Root()));
        QCOMPARE(next.Leftovers().size(), 1);
        QCOMPARE(next.Leftovers().first().Copy.Text, text);
    }

    void a_moved_document_gets_a_copy_that_names_its_new_slot() {
        TRecovery recovery(rig::Quick(Root()));
        QSignalSpy written(&recovery, &TRecovery::CopyWritten);
        QString text = QStringLiteral("x");
        const TDocumentId id =
            recovery.Opened({NoName, datei::TFileEncoding::Utf8, 3, {}}, [&] { return text; });
        recovery.Changed(id);
        QTRY_COMPARE(written.count(), 1);
        QCOMPARE(OnlyCopy(recovery).Slot, 3);
        // The text moved to the editor of slot 2 with it.
        QString moved = QStringLiteral("x, jetzt in Seite 2");
        recovery.Moved(id, 2, [&] { return moved; });
        QTRY_COMPARE(written.count(), 2);
        QCOMPARE(OnlyCopy(recovery).Slot, 2);
        QCOMPARE(OnlyCopy(recovery).Text, moved);
        // Moving a document that has no changes writes nothing.
        const TDocumentId clean =
            recovery.Opened({NoName, datei::TFileEncoding::Utf8, 4, {}}, [&] { return text; });
        recovery.Moved(clean, 3);
        QTest::qWait(150);
        QCOMPARE(written.count(), 2);
    }

    void a_folder_removed_while_running_is_made_again() {
        TRecovery recovery(rig::Quick(Root()));
        QSignalSpy written(&recovery, &TRecovery::CopyWritten);
        QVERIFY(QDir(recovery.Folder()).removeRecursively());
        QString text = QStringLiteral("x");
        recovery.Changed(recovery.Opened({}, [&] { return text; }));
        QTRY_COMPARE(written.count(), 1);
        QCOMPARE(OnlyCopy(recovery).Text, text);
    }

    void a_copy_cut_off_half_way_leaves_the_one_before() {
        TRecovery recovery(rig::Quick(Root()));
        QSignalSpy written(&recovery, &TRecovery::CopyWritten);
        QSignalSpy problems(&recovery, &TRecovery::ProblemOccurred);
        QString text = QStringLiteral("kurz");
        const TDocumentId id = recovery.Opened({}, [&] { return text; });
        recovery.Changed(id);
        QTRY_COMPARE(written.count(), 1);
        {
            // A disk that fills up in the middle of the next copy.
            const TFileSizeLimit limit(64 * 1024);
            text = QString(200 * 1024, u'x');
            recovery.Changed(id);
            QTRY_COMPARE(problems.count(), 1);
        }
        QCOMPARE(written.count(), 1);
        QCOMPARE(OnlyCopy(recovery).Text, QStringLiteral("kurz"));
        QCOMPARE(QDir(recovery.Folder()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void an_unusable_state_folder_is_said_once_and_editing_goes_on() {
        // A file where the folder should be: no one can make the folder, root included.
        QFile blocker(dir->filePath(QStringLiteral("state")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        TRecovery recovery(rig::Quick(Root()));
        QSignalSpy problems(&recovery, &TRecovery::ProblemOccurred);
        QVERIFY(!recovery.Active());
        QCOMPARE(recovery.Problem(), UnwritableNote(Root()));
        QString text = QStringLiteral("x");
        const TDocumentId id = recovery.Opened({}, [&] { return text; });
        recovery.Changed(id);
        recovery.Moved(id, 2);
        recovery.Saved(id, dir->filePath(QStringLiteral("A.java")), datei::TFileEncoding::Utf8, {});
        recovery.Changed(id);
        QTest::qWait(100);
        QCOMPARE(problems.count(), 0); // Problem() is the one message
        QCOMPARE(recovery.Leftovers().size(), 0);
        recovery.Closed(id);
        recovery.Exit();
        QVERIFY(QFileInfo(blocker.fileName()).isFile());
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
