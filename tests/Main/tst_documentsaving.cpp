// SPDX-License-Identifier: GPL-3.0-or-later
// What the user sees when saving and opening meet the file system: a full
// disk, a file another program changed, a directory that forbids new files,
// binary content, FIFOs, and files whose characters must come back unchanged.
#include "DocumentRig.h"

#include <QDir>
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// While it lives, no file of this process may grow beyond `bytes`: a full
// disk the test can make itself. Writing past it fails with EFBIG.
class TFullDisk {
public:
    explicit TFullDisk(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &Old);
        OldHandler = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, Old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &Old);
        ::signal(SIGXFSZ, OldHandler);
    }

private:
    rlimit Old{};
    sighandler_t OldHandler = SIG_DFL;
};

// Makes a directory refuse new files, for root too: immutable when running
// as root, read-only otherwise. False when the file system cannot do that.
bool ForbidNewFiles(const QString& dir, bool forbid) {
    const QByteArray name = QFile::encodeName(dir);
    if (::geteuid() != 0)
        return ::chmod(name.constData(), forbid ? 0555 : 0755) == 0;
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = forbid ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return done;
}

} // namespace

class TestDocumentSaving : public DocumentRig {
    Q_OBJECT

    QString CantWrite(const QString& path) const {
        return QStringLiteral("Datei %1 kann nicht erstellt werden").arg(path);
    }
    QString Note() const { return Control<QLabel>(QStringLiteral("StatusNote"))->text(); }
    // Another program writes the file; its time differs even within one tick.
    void WriteElsewhere(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
    }

private slots:
    void init() { SetUp(); }
    void cleanup() {
        ForbidNewFiles(Path(QStringLiteral("fest")), false);
        TearDown();
    }

    void a_save_on_a_full_disk_keeps_file_backup_and_changes_data() {
        QTest::addColumn<bool>("saveAs");
        QTest::newRow("Speichern of an opened file") << false;
        QTest::newRow("Speichern unter onto a file never opened") << true;
    }
    void a_save_on_a_full_disk_keeps_file_backup_and_changes() {
        QFETCH(bool, saveAs);
        const QString path = MakeFile(QStringLiteral("Hallo.java"), "first\r\n");
        const QString backup = MakeFile(QStringLiteral("Hallo.jav_"), "earlier\r\n");
        if (saveAs) {
            Command("Neu1");
            ChooseFiles({path});
        } else {
            Open(path);
        }
        const QString text = QStringLiteral("// %1\r\n").arg(QString(64 * 1024, QLatin1Char('x')));
        Type(text);
        {
            const TFullDisk full(16 * 1024);
            // The second try, as a user presses Ctrl+S again, must not cost the backup.
            Command(saveAs ? "SpeichernUnter1" : "Speichern1");
            Command("Speichern1");
        }
        QCOMPARE(TextsOf(QStringLiteral("error")), QStringList(2, CantWrite(path)));
        QCOMPARE(ReadBytes(path), QByteArray("first\r\n"));
        QCOMPARE(ReadBytes(backup), QByteArray("earlier\r\n"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"Hallo.jav_", "Hallo.java"}));
        QVERIFY(form->CurrentMemo()->Modified());
        QCOMPARE(Status(1), QStringLiteral("Geändert"));
        QCOMPARE(Status(2), QStringLiteral("Speichern"));

        // With room again: the usual result.
        Command("Speichern1");
        QCOMPARE(ReadBytes(path), form->CurrentMemo()->Text().toUtf8());
        QCOMPARE(ReadBytes(backup), QByteArray("first\r\n"));
        QVERIFY(!form->CurrentMemo()->Modified());
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
    }

    void a_file_another_program_changed_is_overwritten_only_when_asked_to() {
        const QString path = MakeFile(QStringLiteral("Hallo.java"), "mine\r\n");
        Open(path);
        Type(QStringLiteral("// more\r\n"));
        WriteElsewhere(path, "theirs\r\n");
        const QString question = QStringLiteral("Die Datei %1 wurde inzwischen von einem anderen "
                                                "Programm geändert. Überschreiben?")
                                     .arg(path);

        Answer({TPrompts::Answer::No});
        Command("Speichern1");
        QCOMPARE(TextsOf(QStringLiteral("yesno")), QStringList{question});
        QCOMPARE(ReadBytes(path), QByteArray("theirs\r\n"));
        QVERIFY(!QFile::exists(Path(QStringLiteral("Hallo.jav_"))));
        QVERIFY(form->CurrentMemo()->Modified());

        Answer({TPrompts::Answer::Yes});
        Command("Speichern1");
        QCOMPARE(TextsOf(QStringLiteral("yesno")), QStringList(2, question));
        QCOMPARE(ReadBytes(path), QByteArray("// more\r\nmine\r\n"));
        QCOMPARE(ReadBytes(Path(QStringLiteral("Hallo.jav_"))), QByteArray("theirs\r\n"));
        QVERIFY(!form->CurrentMemo()->Modified());

        // Its own save is no change by another program.
        Type(QStringLiteral("x"));
        Command("Speichern1");
        QCOMPARE(prompts.CallsOf(QStringLiteral("yesno")).size(), 2);
        QVERIFY(prompts.CallsOf(QStringLiteral("error")).isEmpty());
    }

    void save_as_onto_another_file_does_not_ask_about_changes() {
        const QString path = MakeFile(QStringLiteral("Hallo.java"), "mine\r\n");
        const QString other = MakeFile(QStringLiteral("Anders.java"), "other\r\n");
        Open(path);
        WriteElsewhere(other, "changed\r\n");
        ChooseFiles({other});
        Command("SpeichernUnter1");
        QVERIFY(prompts.CallsOf(QStringLiteral("yesno")).isEmpty());
        QCOMPARE(ReadBytes(other), QByteArray("mine\r\n"));
        QCOMPARE(ReadBytes(Path(QStringLiteral("Anders.jav_"))), QByteArray("changed\r\n"));
    }

    void a_directory_that_forbids_new_files_still_saves_and_says_so() {
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("fest")));
        const QString path = MakeFile(QStringLiteral("fest/Hallo.java"), "old\r\n");
        Open(path);
        Type(QStringLiteral("new "));
        if (!ForbidNewFiles(Path(QStringLiteral("fest")), true))
            QSKIP("This file system lets no directory refuse new files to root; the file store "
                  "tests cover writing in place as another user.");
        Command("Speichern1");
        QVERIFY(prompts.CallsOf(QStringLiteral("error")).isEmpty());
        QCOMPARE(ReadBytes(path), QByteArray("new old\r\n"));
        QCOMPARE(QDir(Path(QStringLiteral("fest"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Hallo.java"});
        QVERIFY(!form->CurrentMemo()->Modified());
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
        QCOMPARE(Note(),
                 QStringLiteral("Ordner schreibgeschützt: ohne Sicherungskopie gespeichert"));
    }

    void the_status_tells_what_else_a_save_did() {
        // A Latin-1 file that gets a euro sign: once.
        const QString path = MakeFile(QStringLiteral("Hallo.java"), "// Gr\xFC\xDF"
                                                                    "e\r\n");
        Open(path);
        Type(QStringLiteral("// 5 \u20AC\r\n"));
        Command("Speichern1");
        QCOMPARE(Note(), QStringLiteral("gespeichert als UTF-8"));
        QCOMPARE(ReadBytes(path), QByteArray("// 5 \xE2\x82\xAC\r\n// Gr\xC3\xBC\xC3\x9F"
                                             "e\r\n"));
        Command("Speichern1");
        QCOMPARE(Note(), QString());
        QCOMPARE(Status(2), QStringLiteral("Fertig"));

        // A directory under the backup's name.
        QVERIFY(QFile::remove(Path(QStringLiteral("Hallo.jav_"))));
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Hallo.jav_")));
        Command("Speichern1");
        QCOMPARE(Note(), QStringLiteral("ohne Sicherungskopie gespeichert"));
        QVERIFY(prompts.CallsOf(QStringLiteral("error")).isEmpty());

        // The next save starts without it, and a failed one has nothing to add.
        Type(QString(64 * 1024, QLatin1Char('x')));
        {
            const TFullDisk full(16 * 1024);
            Command("Speichern1");
        }
        QCOMPARE(TextsOf(QStringLiteral("error")), QStringList{CantWrite(path)});
        QCOMPARE(Note(), QString());
    }

    void a_binary_file_opens_only_when_the_user_says_so() {
        const QString path = MakeFile(QStringLiteral("Daten.java"), QByteArray("a\0b\r\n", 5));
        const QString question =
            QStringLiteral("Die Datei %1 enthält Binärdaten. Trotzdem als Text öffnen?").arg(path);
        Answer({TPrompts::Answer::No});
        Open(path);
        QCOMPARE(TextsOf(QStringLiteral("yesno")), QStringList{question});
        QCOMPARE(form->LastSlot(), -1);

        Answer({TPrompts::Answer::Yes});
        Open(path);
        QCOMPARE(form->LastSlot(), 0);
        QCOMPARE(form->CurrentMemo()->Text(), QString::fromLatin1("a\0b\r\n", 5));
        // A text file asks nothing.
        Open(MakeFile(QStringLiteral("Text.java"), "class A {}\r\n"));
        QCOMPARE(prompts.CallsOf(QStringLiteral("yesno")).size(), 2);
    }

    void what_is_no_regular_file_is_not_opened_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("recent");
        QTest::newRow("FIFO chosen in the open dialog") << "Pipe.java" << false;
        QTest::newRow("FIFO as a recent file") << "Pipe.java" << true;
        QTest::newRow("directory chosen in the open dialog") << "Ordner.java" << false;
    }
    void what_is_no_regular_file_is_not_opened() {
        QFETCH(QString, name);
        QFETCH(bool, recent);
        const QByteArray fifo = QFile::encodeName(Path(QStringLiteral("Pipe.java")));
        QVERIFY(::mkfifo(fifo.constData(), 0644) == 0);
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Ordner.java")));
        const QString path = Path(name);
        ::alarm(20); // a read that waits for a writer ends the test instead of hanging it
        if (recent) {
            inis.Files[0] = path;
            emit Menu(QStringLiteral("Datei1"))->aboutToShow();
            Command("F1");
        } else {
            Open(path);
        }
        ::alarm(0);
        QCOMPARE(TextsOf(QStringLiteral("message")),
                 QStringList{QStringLiteral("Datei konnte nicht geöffnet werden: ") + path});
        QVERIFY(prompts.CallsOf(QStringLiteral("error")).isEmpty());
        QCOMPARE(form->LastSlot(), -1);
    }

    void typing_and_deleting_then_saving_changes_only_line_ends_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray separators("String s = \"a\xE2\x80\xA8"
                                    "b\xE2\x80\xA9\";\r\n");
        QTest::newRow("separators in a literal") << separators << separators;
        QTest::newRow("no final line end") << QByteArray("a\nb") << QByteArray("a\r\nb\r\n");
    }
    void typing_and_deleting_then_saving_changes_only_line_ends() {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, saved);
        const QString path = MakeFile(QStringLiteral("Hallo.java"), original);
        Open(path);
        TColorMemo* memo = form->CurrentMemo();
        memo->SetSelStart(14);
        QTest::keyClick(memo, Qt::Key_X);
        QTest::keyClick(memo, Qt::Key_Backspace);
        QVERIFY(memo->Modified());
        Command("Speichern1");
        QCOMPARE(ReadBytes(path), saved);
        QCOMPARE(ReadBytes(Path(QStringLiteral("Hallo.jav_"))), original);
    }
};

QTEST_MAIN(TestDocumentSaving)
#include "tst_documentsaving.moc"
