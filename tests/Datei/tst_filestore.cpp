// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and reading against the real file system: a full disk, permissions,
// owners and links, a directory that forbids new files, FIFOs and devices,
// the stamp that tells a change by another program, and what a killed save
// left behind.
#include "Datei/DocumentNames.h"
#include "Datei/FileStore.h"
#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using datei::TBackup;
using datei::TReadStatus;
using datei::TWriteResult;

Q_DECLARE_METATYPE(datei::TReadStatus)

namespace {

struct stat StatOf(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        st.st_ino = 0;
    return st;
}

mode_t ModeOf(const QString& path) {
    return StatOf(path).st_mode & 07777;
}

bool Chmod(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Exit codes of the work done in a child process.
enum TChild { Passed = 0, WrongResult = 1, NoDroppedRights = 3, Died = -1, Hung = -2 };

// Runs `work` in a child process, so that limits and a changed user stay
// there; its exit code, or Died/Hung.
int InChild(const std::function<int()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work());
    for (int i = 0; i < 2000; ++i) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : Died;
        ::usleep(10'000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return Hung;
}

// A file system that is full after `bytes` bytes of any one file: a write
// past that fails with EFBIG instead of ending the process.
void LimitFileSize(rlim_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

const passwd* Nobody() {
    return ::getpwnam("nobody");
}

// In a child: gives up root's rights, so that permissions bind.
bool BecomeNobody() {
    const passwd* nobody = Nobody();
    return nobody && ::setgroups(0, nullptr) == 0 && ::setgid(nobody->pw_gid) == 0 &&
           ::setuid(nobody->pw_uid) == 0;
}

} // namespace

class TestFileStore : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString Path(const QString& name) const { return dir->filePath(name); }
    QStringList Entries(const QString& sub = QString()) const {
        return QDir(Path(sub)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                         QDir::NoDotAndDotDot);
    }
    // Runs `work` where permissions bind: as nobody when the tests run as root.
    int WithoutRootRights(const std::function<int()>& work) {
        if (::geteuid() != 0)
            return work();
        // nobody must reach the temporary directory.
        if (!Chmod(dir->path(), 0755))
            return WrongResult;
        return InChild([&] { return BecomeNobody() ? work() : NoDroppedRights; });
    }
    // Makes a file that nobody (or the user running the tests) may write.
    void MakeWritableFile(const QString& path, const QByteArray& bytes) {
        WriteBytes(path, bytes);
        QVERIFY(Chmod(path, 0644));
        if (::geteuid() == 0)
            QVERIFY(::chown(QFile::encodeName(path).constData(), Nobody()->pw_uid,
                            Nobody()->pw_gid) == 0);
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() {
        // A directory left read-only would keep its files from being removed.
        const QStringList folders = QDir(dir->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& folder : folders)
            Chmod(Path(folder), 0755);
        dir.reset();
    }

    void a_save_keeps_the_previous_version_as_backup() {
        const QString path = Path(QStringLiteral("Hallo.java"));
        const QString backup = Path(QStringLiteral("Hallo.jav_"));
        WriteBytes(backup, "earlier");
        WriteBytes(path, "first");
        TWriteResult result = datei::WriteWithBackup(path, "second");
        QVERIFY(result.Written);
        QCOMPARE(result.Backup, TBackup::Kept);
        QVERIFY(!result.InPlace);
        QCOMPARE(ReadBytes(path), QByteArray("second"));
        QCOMPARE(ReadBytes(backup), QByteArray("first"));
        QCOMPARE(result.Stamp, datei::StampOf(path));
        QCOMPARE(Entries(), (QStringList{"Hallo.jav_", "Hallo.java"}));

        // A new file has no previous version: a backup of that name stays.
        const QString fresh = Path(QStringLiteral("Neu.java"));
        WriteBytes(Path(QStringLiteral("Neu.jav_")), "someone's");
        result = datei::WriteWithBackup(fresh, "new");
        QVERIFY(result.Written);
        QCOMPARE(result.Backup, TBackup::NoPrevious);
        QCOMPARE(ReadBytes(Path(QStringLiteral("Neu.jav_"))), QByteArray("someone's"));
    }

    void a_full_disk_fails_the_save_and_keeps_file_and_backup_data() {
        QTest::addColumn<bool>("earlierBackup");
        QTest::newRow("file saved before") << true;
        QTest::newRow("file never opened, chosen by save as") << false;
    }
    void a_full_disk_fails_the_save_and_keeps_file_and_backup() {
        QFETCH(bool, earlierBackup);
        const QString path = Path(QStringLiteral("Hallo.java"));
        const QString backup = Path(QStringLiteral("Hallo.jav_"));
        if (earlierBackup)
            WriteBytes(backup, "earlier version");
        WriteBytes(path, "previous version");
        const QStringList before = Entries();
        const QByteArray big(64 * 1024, 'x');
        // Twice, as a user presses Ctrl+S again after the first failure.
        for (int attempt = 1; attempt <= 2; ++attempt) {
            const int child = InChild([&] {
                LimitFileSize(16 * 1024);
                const TWriteResult result = datei::WriteWithBackup(path, big);
                return !result.Written && result.Error == EFBIG ? Passed : WrongResult;
            });
            QCOMPARE(child, int(Passed));
            QCOMPARE(ReadBytes(path), QByteArray("previous version"));
            QCOMPARE(ReadBytes(backup),
                     earlierBackup ? QByteArray("earlier version") : QByteArray("<unreadable>"));
            QCOMPARE(Entries(), before);
        }
        // With room again, the usual result.
        const TWriteResult result = datei::WriteWithBackup(path, big);
        QVERIFY(result.Written);
        QCOMPARE(ReadBytes(path), big);
        QCOMPARE(ReadBytes(backup), QByteArray("previous version"));
    }

    void a_save_keeps_the_permissions_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("private") << 0600;
        QTest::newRow("executable") << 0755;
        QTest::newRow("group may write") << 0664;
    }
    void a_save_keeps_the_permissions() {
        QFETCH(int, mode);
        const QString path = Path(QStringLiteral("Hallo.java"));
        WriteBytes(path, "old");
        QVERIFY(Chmod(path, mode));
        QVERIFY(datei::WriteWithBackup(path, "new").Written);
        QCOMPARE(int(ModeOf(path)), mode);
        QCOMPARE(int(ModeOf(Path(QStringLiteral("Hallo.jav_")))), mode);
    }

    void a_new_file_gets_the_usual_permissions() {
        const mode_t old = ::umask(022);
        const bool written = datei::WriteWithBackup(Path(QStringLiteral("Neu.java")), "x").Written;
        ::umask(old);
        QVERIFY(written);
        QCOMPARE(int(ModeOf(Path(QStringLiteral("Neu.java")))), 0644);
    }

    void a_save_keeps_hard_links_and_the_owner() {
        const QString path = Path(QStringLiteral("Hallo.java"));
        const QString other = Path(QStringLiteral("Zweitname.java"));
        WriteBytes(path, "old");
        QVERIFY(Chmod(path, 0640));
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) ==
                0);
        const ino_t inode = StatOf(path).st_ino;
        const TWriteResult result = datei::WriteWithBackup(path, "new");
        QVERIFY(result.Written);
        QCOMPARE(result.Backup, TBackup::Kept);
        QCOMPARE(StatOf(path).st_ino, inode);
        QCOMPARE(ReadBytes(other), QByteArray("new"));
        QCOMPARE(ReadBytes(Path(QStringLiteral("Hallo.jav_"))), QByteArray("old"));
        QCOMPARE(int(ModeOf(Path(QStringLiteral("Hallo.jav_")))), 0640);
        QCOMPARE(result.Stamp, datei::StampOf(path));

        if (::geteuid() != 0)
            QSKIP("Giving a file to another user needs root; links were checked above.");
        const QString foreign = Path(QStringLiteral("Fremd.java"));
        WriteBytes(foreign, "old");
        QVERIFY(::chown(QFile::encodeName(foreign).constData(), Nobody()->pw_uid,
                        Nobody()->pw_gid) == 0);
        QVERIFY(datei::WriteWithBackup(foreign, "new").Written);
        QCOMPARE(StatOf(foreign).st_uid, Nobody()->pw_uid);
        QCOMPARE(StatOf(foreign).st_gid, Nobody()->pw_gid);
    }

    void a_save_through_a_link_writes_the_file_it_points_to_data() {
        QTest::addColumn<QStringList>("links"); // each pointing to the next, the last to the file
        QTest::newRow("one link") << QStringList{"Hallo.java"};
        QTest::newRow("a link to a link") << QStringList{"Hallo.java", "Zwischen.java"};
    }
    void a_save_through_a_link_writes_the_file_it_points_to() {
        QFETCH(QStringList, links);
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("echt")));
        const QString file = Path(QStringLiteral("echt/Haupt.java"));
        WriteBytes(file, "old");
        QStringList targets = links.mid(1);
        targets << QStringLiteral("echt/Haupt.java");
        for (int i = 0; i < links.size(); ++i)
            QVERIFY(QFile::link(targets[i], Path(links[i])));

        const TWriteResult result = datei::WriteWithBackup(Path(links[0]), "new");
        QVERIFY(result.Written);
        QCOMPARE(QFileInfo(result.Target).canonicalFilePath(), QFileInfo(file).canonicalFilePath());
        QCOMPARE(ReadBytes(file), QByteArray("new"));
        QCOMPARE(ReadBytes(Path(QStringLiteral("echt/Haupt.jav_"))), QByteArray("old"));
        for (const QString& link : links)
            QVERIFY2(QFileInfo(Path(link)).isSymLink(), qPrintable(link));
        QVERIFY(!QFile::exists(Path(QStringLiteral("Hallo.jav_"))));
        QCOMPARE(Entries(QStringLiteral("echt")), (QStringList{"Haupt.jav_", "Haupt.java"}));
    }

    void a_link_to_no_file_yet_gets_its_file() {
        QVERIFY(QFile::link(QStringLiteral("Ziel.java"), Path(QStringLiteral("Hallo.java"))));
        const TWriteResult result = datei::WriteWithBackup(Path(QStringLiteral("Hallo.java")), "x");
        QVERIFY(result.Written);
        QCOMPARE(result.Backup, TBackup::NoPrevious);
        QVERIFY(QFileInfo(Path(QStringLiteral("Hallo.java"))).isSymLink());
        QCOMPARE(ReadBytes(Path(QStringLiteral("Ziel.java"))), QByteArray("x"));
    }

    void a_directory_that_forbids_new_files_is_written_in_place() {
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("fest")));
        const QString path = Path(QStringLiteral("fest/Hallo.java"));
        const QString locked = Path(QStringLiteral("fest/Gesperrt.java"));
        MakeWritableFile(path, "previous version");
        WriteBytes(locked, "locked");
        QVERIFY(Chmod(locked, 0444));
        QVERIFY(Chmod(Path(QStringLiteral("fest")), 0555));
        const ino_t inode = StatOf(path).st_ino;
        const QByteArray longer = QByteArray("new text, longer than before\r\n").repeated(100);

        const int child = WithoutRootRights([&] {
            const TWriteResult shorter = datei::WriteWithBackup(path, "new");
            const TWriteResult result = datei::WriteWithBackup(path, longer);
            const TWriteResult refused = datei::WriteWithBackup(locked, "x");
            const bool ok = shorter.Written && result.Written && result.InPlace &&
                            result.Backup == TBackup::Skipped &&
                            result.Stamp == datei::StampOf(path) && !refused.Written &&
                            refused.Error == EACCES;
            return ok ? Passed : WrongResult;
        });
        if (child == NoDroppedRights)
            QSKIP("Running as root without a user 'nobody' to drop to: permissions never bind.");
        QCOMPARE(child, int(Passed));
        QCOMPARE(ReadBytes(path), longer);
        QCOMPARE(StatOf(path).st_ino, inode);
        QCOMPARE(int(ModeOf(path)), 0644);
        QCOMPARE(ReadBytes(locked), QByteArray("locked"));
        QCOMPARE(Entries(QStringLiteral("fest")), (QStringList{"Gesperrt.java", "Hallo.java"}));
    }

    void a_full_disk_leaves_a_file_written_in_place_as_it_was() {
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("fest")));
        const QString path = Path(QStringLiteral("fest/Hallo.java"));
        MakeWritableFile(path, "previous version");
        QVERIFY(Chmod(Path(QStringLiteral("fest")), 0555));
        const int child = WithoutRootRights([&] {
            LimitFileSize(16 * 1024);
            const TWriteResult result = datei::WriteWithBackup(path, QByteArray(64 * 1024, 'x'));
            return !result.Written && result.Error == EFBIG ? Passed : WrongResult;
        });
        if (child == NoDroppedRights)
            QSKIP("Running as root without a user 'nobody' to drop to: permissions never bind.");
        QCOMPARE(child, int(Passed));
        QCOMPARE(ReadBytes(path), QByteArray("previous version"));
        QCOMPARE(StatOf(path).st_size, off_t(16));
    }

    void only_regular_files_are_read_and_none_blocks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<TReadStatus>("status");
        QTest::newRow("FIFO") << "Pipe.java" << TReadStatus::NotRegular;
        QTest::newRow("device") << "/dev/null" << TReadStatus::NotRegular;
        QTest::newRow("directory") << "Ordner.java" << TReadStatus::NotRegular;
        QTest::newRow("link to a FIFO") << "ZumPipe.java" << TReadStatus::NotRegular;
        QTest::newRow("missing") << "Fehlt.java" << TReadStatus::Failed;
        QTest::newRow("regular") << "Hallo.java" << TReadStatus::Read;
    }
    void only_regular_files_are_read_and_none_blocks() {
        QFETCH(QString, name);
        QFETCH(TReadStatus, status);
        QVERIFY(::mkfifo(QFile::encodeName(Path(QStringLiteral("Pipe.java"))).constData(), 0644) ==
                0);
        QVERIFY(
            QFile::link(Path(QStringLiteral("Pipe.java")), Path(QStringLiteral("ZumPipe.java"))));
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Ordner.java")));
        WriteBytes(Path(QStringLiteral("Hallo.java")), "class Hallo {}");
        const QString path = name.startsWith(QLatin1Char('/')) ? name : Path(name);
        // In a child, so that a read that blocks shows as a failure, not a hung test.
        const int child = InChild([&] {
            const datei::TFileContent content = datei::ReadRegularFile(path);
            const bool bytes = status == TReadStatus::Read ? content.Bytes == "class Hallo {}"
                                                           : content.Bytes.isEmpty();
            return content.Status == status && bytes ? Passed : WrongResult;
        });
        QCOMPARE(child, int(Passed));
    }

    void a_save_never_replaces_what_is_no_regular_file() {
        const QString fifo = Path(QStringLiteral("Pipe.java"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Ordner.java")));
        QVERIFY(!datei::WriteWithBackup(fifo, "x").Written);
        QVERIFY(!datei::WriteWithBackup(Path(QStringLiteral("Ordner.java")), "x").Written);
        QVERIFY(S_ISFIFO(StatOf(fifo).st_mode));
        QVERIFY(QFileInfo(Path(QStringLiteral("Ordner.java"))).isDir());
        QCOMPARE(Entries(), (QStringList{"Ordner.java", "Pipe.java"}));
    }

    void a_backup_name_taken_by_a_directory_skips_the_backup_only() {
        const QString path = Path(QStringLiteral("Hallo.java"));
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Hallo.jav_")));
        WriteBytes(path, "old");
        const TWriteResult result = datei::WriteWithBackup(path, "new");
        QVERIFY(result.Written);
        QCOMPARE(result.Backup, TBackup::Skipped);
        QCOMPARE(ReadBytes(path), QByteArray("new"));
        QVERIFY(QFileInfo(Path(QStringLiteral("Hallo.jav_"))).isDir());
        QCOMPARE(Entries(), (QStringList{"Hallo.jav_", "Hallo.java"}));
    }

    void what_a_killed_save_left_goes_with_the_next_save_or_open_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("save");
        QTest::newRow("save") << "Hallo.java" << true;
        QTest::newRow("open") << "Hallo.java" << false;
        QTest::newRow("a name with pattern characters, save") << "A+(b).java" << true;
        QTest::newRow("a name with pattern characters, open") << "A+(b).java" << false;
    }
    void what_a_killed_save_left_goes_with_the_next_save_or_open() {
        QFETCH(QString, name);
        QFETCH(bool, save);
        const QString path = Path(name);
        WriteBytes(path, "class A {}\r\n");
        // Left by saves killed in the middle, as large as the file.
        const QStringList stale{"." + name + ".1a2b3c4d~", "." + name + ".0~"};
        for (const QString& file : stale)
            WriteBytes(Path(file), QByteArray(4096, 'x'));
        // Not of that pattern, or no plain file: another program's, kept.
        const QStringList others{"." + name + ".1a2b3c4d", "." + name + ".123456789~",
                                 "." + name + ".xyz~",     "." + name + ".1A2B~",
                                 name + ".1a2b~",          ".Andere.java.1a2b~",
                                 ".x" + name + ".1a2b~",   "." + name + "x.1a2b~"};
        for (const QString& file : others)
            WriteBytes(Path(file), "keep");
        QVERIFY(QDir().mkdir(Path("." + name + ".abc~")));
        QVERIFY(QFile::link(Path(".Andere.java.1a2b~"), Path("." + name + ".abcd~")));

        if (save) {
            QVERIFY(datei::WriteWithBackup(path, "class B {}\r\n").Written);
        } else {
            QCOMPARE(datei::ReadRegularFile(path).Status, TReadStatus::Read);
        }
        QStringList expected = others;
        expected << name << "." + name + ".abc~"
                 << "." + name + ".abcd~";
        if (save)
            expected << datei::BackupName(name);
        expected.sort();
        QStringList entries = Entries();
        entries.sort();
        QCOMPARE(entries, expected);
    }

    void the_stamp_tells_a_change_by_another_program() {
        const QString path = Path(QStringLiteral("Hallo.java"));
        WriteBytes(path, "version 1");
        const datei::TFileContent read = datei::ReadRegularFile(path);
        QCOMPARE(read.Stamp, datei::StampOf(path));
        QCOMPARE(read.Stamp.Size, 9);
        QVERIFY(!datei::ChangedOnDisk(path, read.Stamp));

        // Same size, only the time differs.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.write("version 2") == 9);
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(datei::StampOf(path) != read.Stamp);
        QVERIFY(datei::ChangedOnDisk(path, read.Stamp));
        // Nothing known (a new document), or nothing left to keep: no change to tell.
        QVERIFY(!datei::ChangedOnDisk(path, datei::TFileStamp()));
        QVERIFY(QFile::remove(path));
        QVERIFY(!datei::StampOf(path).Exists());
        QVERIFY(!datei::ChangedOnDisk(path, read.Stamp));
    }
};

QTEST_GUILESS_MAIN(TestFileStore)
#include "tst_filestore.moc"
