// SPDX-License-Identifier: GPL-3.0-or-later
// Real processes: a window stand-in (recovery_child) killed with SIGKILL, as a
// crash or a power cut ends it, and two windows running at once.

#include "RecoveryRig.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace recovery;

namespace {

// The child printed this when it could not give up root's rights.
constexpr int NoDroppedRights = 3;

class TChild {
public:
    explicit TChild(const QStringList& args) {
        Process.setProgram(QStringLiteral(RECOVERY_CHILD));
        Process.setArguments(args);
        Process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        Process.start();
    }
    ~TChild() {
        if (Process.state() != QProcess::NotRunning)
            Kill();
    }

    // The first line beginning with `prefix` the child prints; empty after `ms` without it.
    QString WaitForLine(const QString& prefix, int ms = 10000) {
        QElapsedTimer clock;
        clock.start();
        while (true) {
            const qsizetype at = Taken.indexOf(prefix);
            if (at >= 0) {
                const QString line = Taken.mid(at).section(u'\n', 0, 0);
                Taken = Taken.mid(at + line.size());
                return line;
            }
            if (clock.elapsed() > ms)
                return {};
            if (!Process.waitForReadyRead(50) && Process.state() == QProcess::NotRunning) {
                Read();
                if (!Taken.contains(prefix))
                    return {};
            }
            Read();
        }
    }
    QStringList LinesSoFar() {
        Read();
        return Seen.split(u'\n', Qt::SkipEmptyParts);
    }
    void Send(const QByteArray& line) {
        Process.write(line + '\n');
        Process.waitForBytesWritten();
    }
    void Kill() {
        Process.kill(); // SIGKILL: no handler, no destructor, no flush runs
        Process.waitForFinished();
    }
    bool Finish() {
        return Process.waitForFinished(10000) && Process.exitStatus() == QProcess::NormalExit &&
               Process.exitCode() == 0;
    }
    int ExitCode() {
        Process.waitForFinished(10000);
        return Process.exitCode();
    }

private:
    void Read() {
        const QString more = QString::fromUtf8(Process.readAllStandardOutput());
        Taken += more;
        Seen += more;
    }

    QProcess Process;
    QString Taken; // output not yet matched
    QString Seen;  // all output
};

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray Encoded(const QString& text, datei::TFileEncoding encoding) {
    return encoding == datei::TFileEncoding::Latin1 ? text.toLatin1() : text.toUtf8();
}

QByteArray TypedBytes(int keys, datei::TFileEncoding encoding) {
    return Encoded(rig::Typed(QString(), keys), encoding);
}

bool Chmod(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

class TestRecoveryCrash : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString Root() const { return dir->filePath(QStringLiteral("recovery")); }
    QString File(const QString& name) const { return dir->filePath(name); }
    QStringList RootEntries() const {
        return QDir(Root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    // Starts a typing child on the two files and kills it once its copies are on disk.
    void TypeAndKill(int keys) {
        Write(File(QStringLiteral("Alt.java")), rig::Latin1Original());
        Write(File(QStringLiteral("Neu.java")), rig::Utf8Original());
        TChild child({QStringLiteral("type"), Root(), File(QStringLiteral("Alt.java")),
                      File(QStringLiteral("Neu.java")), QString::number(keys)});
        QCOMPARE(child.WaitForLine(QStringLiteral("ready")), QStringLiteral("ready"));
        child.Kill();
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() {
        Chmod(Root(), 0755);
        dir.reset();
    }

    void a_killed_window_offers_its_named_and_unnamed_documents_byte_for_byte() {
        TypeAndKill(3);
        TRecovery next(rig::Quick(Root()));
        const QList<TLeftover> found = next.Leftovers();
        QCOMPARE(found.size(), 3);
        QCOMPARE(next.SetAside().size(), 0);

        struct TExpected {
            QString File;
            datei::TFileEncoding Encoding;
            QByteArray Bytes; // what saving the restored text writes
        };
        const TExpected expected[] = {
            {File(QStringLiteral("Alt.java")), datei::TFileEncoding::Latin1,
             rig::Latin1Original() + TypedBytes(3, datei::TFileEncoding::Latin1)},
            {File(QStringLiteral("Neu.java")), datei::TFileEncoding::Utf8,
             rig::Utf8Original() + TypedBytes(3, datei::TFileEncoding::Utf8)},
            {NoName, datei::TFileEncoding::Utf8,
             rig::UnnamedOriginal().toUtf8() + TypedBytes(3, datei::TFileEncoding::Utf8)},
        };
        for (int i = 0; i < 3; ++i) {
            const TRecoveryCopy& copy = found[i].Copy;
            QCOMPARE(copy.Slot, i + 1);
            QCOMPARE(copy.File, expected[i].File);
            QCOMPARE(copy.Encoding, expected[i].Encoding);
            QCOMPARE(found[i].Disk, i < 2 ? TDiskState::Unchanged : TDiskState::NoFile);
            datei::TFileEncoding encoding = copy.Encoding;
            QCOMPARE(datei::EncodeLines(datei::SplitLines(copy.Text), encoding), expected[i].Bytes);
            QCOMPARE(encoding, expected[i].Encoding);
        }
        // Ja: each becomes a document of this run, its copy in this run's folder at once.
        for (int i = 0; i < 3; ++i)
            next.Restore(found[i], i + 1, [] { return QString(); });
        next.EndRecovery();
        QCOMPARE(rig::CopiesIn(next.Folder()).size(), 3);
        // The dead run's folder is gone with its last copy; only this run's is left.
        const QString own = QFileInfo(next.Folder()).fileName();
        QCOMPARE(RootEntries(), (QStringList{own, own + QStringLiteral(".lock")}));
        // The files themselves were never touched.
        QCOMPARE(QFile(File(QStringLiteral("Alt.java"))).size(), rig::Latin1Original().size());
    }

    void nein_after_a_kill_leaves_nothing_to_offer() {
        TypeAndKill(1);
        {
            TRecovery next(rig::Quick(Root()));
            QCOMPARE(next.Leftovers().size(), 3);
            for (const TLeftover& leftover : next.Leftovers())
                next.Discard(leftover);
            next.Exit();
        }
        QCOMPARE(RootEntries(), QStringList());
        QCOMPARE(TRecovery(rig::Quick(Root())).Leftovers().size(), 0);
    }

    void a_normal_exit_leaves_nothing_to_offer() {
        TChild child({QStringLiteral("hold"), Root(), QStringLiteral("Anna")});
        QVERIFY(child.WaitForLine(QStringLiteral("ready ")).size() > 6);
        child.Send("exit");
        QVERIFY(child.Finish());
        QCOMPARE(RootEntries(), QStringList());
        QCOMPARE(TRecovery(rig::Quick(Root())).Leftovers().size(), 0);
    }

    void two_windows_keep_apart_and_a_killed_ones_copies_go_to_the_next() {
        TChild anna({QStringLiteral("hold"), Root(), QStringLiteral("Anna")});
        TChild bert({QStringLiteral("hold"), Root(), QStringLiteral("Bert")});
        const QString annaFolder = anna.WaitForLine(QStringLiteral("ready ")).mid(6);
        const QString bertFolder = bert.WaitForLine(QStringLiteral("ready ")).mid(6);
        QVERIFY(!annaFolder.isEmpty() && !bertFolder.isEmpty() && annaFolder != bertFolder);
        QCOMPARE(rig::CopiesIn(annaFolder).size(), 1);
        QCOMPARE(rig::CopiesIn(bertFolder).size(), 1);
        // Neither running window is anyone's leftover.
        anna.Send("leftovers");
        QCOMPARE(anna.WaitForLine(QStringLiteral("leftovers")), QStringLiteral("leftovers 0"));
        {
            TChild third({QStringLiteral("scan"), Root()});
            QVERIFY(third.Finish());
            QVERIFY(third.LinesSoFar().isEmpty());
        }

        bert.Kill();
        {
            TChild third({QStringLiteral("scan"), Root()});
            QVERIFY(third.Finish());
            QCOMPARE(third.LinesSoFar(), QStringList{QStringLiteral("leftover noname.java Bert")});
        }
        anna.Send("exit");
        QVERIFY(anna.Finish());
        QVERIFY(!QFileInfo::exists(annaFolder));
        TRecovery next(rig::Quick(Root()));
        QCOMPARE(next.Leftovers().size(), 1);
        QCOMPARE(next.Leftovers().first().Copy.Text, QStringLiteral("Bert"));
    }

    void a_kill_while_a_large_copy_is_written_leaves_a_whole_copy() {
        const int lines = 60000; // about 3 MB a copy
        int hitInFlight = 0;
        for (int round = 0; round < 6; ++round) {
            const QString root = Root() + QString::number(round);
            int last = 0;
            {
                TChild child({QStringLiteral("churn"), root, QString::number(lines)});
                QVERIFY(!child.WaitForLine(QStringLiteral("written 2"), 20000).isEmpty());
                QTest::qSleep(int(QRandomGenerator::global()->bounded(40)));
                child.Kill();
                for (const QString& line : child.LinesSoFar())
                    last = std::max(last, line.section(u' ', 1).toInt());
            }
            TRecovery next(rig::Quick(root));
            const QList<TLeftover> found = next.Leftovers();
            QCOMPARE(next.SetAside().size(), 0);
            QCOMPARE(found.size(), 1);
            const QString& text = found.first().Copy.Text;
            const int generation = text.section(u' ', 2, 2).toInt();
            QVERIFY2(generation == last || generation == last + 1,
                     qPrintable(QStringLiteral("%1 after %2").arg(generation).arg(last)));
            QVERIFY(text == rig::ChurnText(generation, lines));
            hitInFlight += generation == last;
        }
        qInfo("kills that caught a copy being written: %d of 6", hitInFlight);
    }

    void a_state_folder_nobody_may_write_is_said_and_editing_goes_on() {
        QVERIFY(Chmod(dir->path(), 0755));
        QVERIFY(QDir().mkpath(Root()));
        QVERIFY(Chmod(Root(), 0555));
        TChild child({QStringLiteral("--as-nobody"), QStringLiteral("store"), Root()});
        const QString active = child.WaitForLine(QStringLiteral("active"));
        if (active.isEmpty() && child.ExitCode() == NoDroppedRights)
            QSKIP("Running as root without a user 'nobody' to drop to: permissions never bind.");
        QCOMPARE(active, QStringLiteral("active 0"));
        QCOMPARE(child.WaitForLine(QStringLiteral("problems")), QStringLiteral("problems 0"));
        QVERIFY(child.Finish());
        QCOMPARE(RootEntries(), QStringList());
    }

    void copies_that_start_failing_are_said_once() {
        QVERIFY(Chmod(dir->path(), 0755));
        QVERIFY(QDir().mkpath(Root()));
        QVERIFY(Chmod(Root(), 0777));
        TChild child({QStringLiteral("--as-nobody"), QStringLiteral("revoke"), Root()});
        const QString active = child.WaitForLine(QStringLiteral("active"));
        if (active.isEmpty() && child.ExitCode() == NoDroppedRights)
            QSKIP("Running as root without a user 'nobody' to drop to: permissions never bind.");
        QCOMPARE(active, QStringLiteral("active 1"));
        // Retried every 300 ms while typing goes on, said once.
        QCOMPARE(child.WaitForLine(QStringLiteral("problems")), QStringLiteral("problems 1"));
        QVERIFY(child.Finish());
    }
};

QTEST_GUILESS_MAIN(TestRecoveryCrash)
#include "tst_recoverycrash.moc"
