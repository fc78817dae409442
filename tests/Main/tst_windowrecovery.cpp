// SPDX-License-Identifier: GPL-3.0-or-later
// Crash recovery through the real program: windows started as the program
// starts them, typed into, killed (in a process of their own) or dropped
// without closing, and started again over the same state folder, with
// scripted answers to the question that offers the copies.
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"
#include "Main/StartUp.h"
#include "Recovery/RecoveryTexts.h"
#include "Recovery/StateFolder.h"

#include "FileBytes.h"
#include "ScriptedPrompts.h"
#include "TestSettings.h"

#include <QAction>
#include <QDirIterator>
#include <QLabel>
#include <QProcess>
#include <QTabWidget>
#include <QtTest>
#include <memory>

using recovery::TRecoveryCopy;

namespace {

QList<dirlist::TFoundJdk> NoJdks() {
    return {};
}

const QByteArray Latin1Original("// Gr\xFC\xDF"
                                "e aus K\xF6ln\r\npublic class Alt {\r\n}\r\n");

QString Ask(const QString& path) {
    return QStringLiteral("Änderungen speichern in %1?").arg(path);
}

} // namespace

class TestWindowRecovery : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    TScriptedPrompts prompts;
    std::unique_ptr<TKodiwerkWindows> windows;

    QString Path(const QString& name) const { return dir->filePath(name); }
    static QString Root() { return recovery::CopiesFolder(); }
    TMainForm& Form() const { return *windows->MainForm; }
    recovery::TRecovery& Recovery() const { return *Form().findChild<recovery::TRecovery*>(); }

    QString MakeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a test file");
        return file.fileName();
    }

    // The program starts as it does for the user (no JDK looked for), the
    // answers queued for what it asks.
    bool Start(std::initializer_list<TPrompts::Answer> answers = {}) {
        windows.reset();
        prompts = TScriptedPrompts();
        for (TPrompts::Answer answer : answers)
            prompts.Answers.enqueue(answer);
        windows = std::make_unique<TKodiwerkWindows>(prompts, QStringList(), NoJdks);
        Form().show();
        return QTest::qWaitForWindowActive(&Form());
    }
    // The window goes without being closed, as in a crash: its copies stay.
    void Drop() { windows.reset(); }
    // The user closes the window, answering the save questions.
    [[nodiscard]] bool CloseWindow(std::initializer_list<TPrompts::Answer> answers) {
        Answer(answers);
        const bool closed = Form().close();
        windows.reset();
        return closed;
    }

    void Answer(std::initializer_list<TPrompts::Answer> answers) {
        prompts.Answers.clear();
        for (TPrompts::Answer answer : answers)
            prompts.Answers.enqueue(answer);
    }
    void Command(const QString& name) {
        QCoreApplication::processEvents();
        QAction* action = Form().findChild<QAction*>(name);
        QVERIFY2(action && action->isEnabled(), qPrintable(name));
        action->trigger();
    }
    void Open(const QString& path) {
        prompts.Files.enqueue(path);
        Command(QStringLiteral("Oeffnen1"));
    }
    void Type(const QString& keys) { QTest::keyClicks(Form().CurrentMemo(), keys); }
    void ShowPage(int slot) {
        Form().findChild<QTabWidget*>(QStringLiteral("PC_Edit"))->setCurrentIndex(slot - 1);
    }
    QString Label(const QString& name) const {
        QCoreApplication::processEvents();
        return Form().findChild<QLabel*>(name)->text();
    }
    QStringList TextsOf(const QString& kind) const {
        QStringList texts;
        for (const TScriptedPrompts::Call& call : prompts.CallsOf(kind))
            texts << call.Text;
        return texts;
    }

    // Every copy on disk, of any run.
    static QStringList Copies() {
        QStringList found;
        QDirIterator it(Root(), {QStringLiteral("*.copy")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }
    static QList<TRecoveryCopy> CopiesRead() {
        QList<TRecoveryCopy> copies;
        for (const QString& path : Copies()) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                copies << recovery::DecodeCopy(file.readAll()).Copy;
        }
        return copies;
    }
    static QStringList RootEntries() {
        return QDir(Root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    // Copies come a couple of seconds after typing stops.
    [[nodiscard]] static bool CopiesOnDisk(int count) {
        return QTest::qWaitFor([count] { return Copies().size() == count; }, 10000);
    }

    // The program on `file` in a process of its own, typed into (the file and
    // a new document), killed once both copies are on disk.
    void TypeInChildAndKill(const QString& file, const QString& inFile, const QString& inNew) {
        QProcess child;
        child.setProgram(QStringLiteral(RECOVERY_WINDOW_CHILD));
        child.setArguments({file, inFile, inNew});
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start();
        QVERIFY(child.waitForStarted());
        QElapsedTimer clock;
        clock.start();
        while (!child.readAllStandardOutput().contains("ready")) {
            QVERIFY2(child.state() == QProcess::Running,
                     qPrintable(QStringLiteral("child ended: %1").arg(child.exitCode())));
            QVERIFY2(clock.elapsed() < 30000, "no copies from the child");
            child.waitForReadyRead(100);
        }
        child.kill(); // SIGKILL: no handler, no destructor runs
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    }

private slots:
    void initTestCase() {
        UseThrowAwayConfig();
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init() {
        ClearSettings();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        qputenv("XDG_STATE_HOME", QFile::encodeName(Path(QStringLiteral("state"))));
    }
    void cleanup() {
        windows.reset();
        dir.reset();
    }

    void typed_text_survives_a_kill_and_ja_restores_it_modified() {
        const QString file = MakeFile(QStringLiteral("Alt.java"), Latin1Original);
        TypeInChildAndKill(file, QStringLiteral("int zahl = 42;"),
                           QStringLiteral("class Entwurf {}"));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(ReadBytes(file), Latin1Original);

        QVERIFY(Start({TPrompts::Answer::Yes}));
        const QStringList asked = TextsOf(QStringLiteral("ask"));
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].startsWith(
            QStringLiteral("Kodiwerk wurde nicht ordnungsgemäß beendet. Ungesicherte Änderungen "
                           "an 2 Dokumenten wiederherstellen?")));
        QVERIFY(asked[0].contains(QLatin1Char('\n') + file + QLatin1Char('\n')));
        QVERIFY(asked[0].contains(QStringLiteral("noname.java (neu, noch ohne Namen)")));
        QVERIFY(TextsOf(QStringLiteral("message")).isEmpty());

        QVERIFY(Form().SlotInUse(2) && !Form().SlotInUse(3));
        QCOMPARE(Form().SlotFile(1), file);
        QCOMPARE(Form().SlotFile(2), QStringLiteral("noname.java"));
        QCOMPARE(Form().SlotMemo(1)->Text(),
                 QStringLiteral("int zahl = 42;") + QString::fromLatin1(Latin1Original));
        QCOMPARE(Form().SlotMemo(2)->Text(), QStringLiteral("class Entwurf {}"));
        QVERIFY(Form().SlotMemo(1)->Modified());
        QVERIFY(Form().SlotMemo(2)->Modified());
        QCOMPARE(Label(QStringLiteral("StatusPanel1")), QStringLiteral("Geändert"));
        QCOMPARE(ReadBytes(file), Latin1Original);

        // Saved as it was read: Latin-1, no question about the file.
        ShowPage(1);
        Command(QStringLiteral("Speichern1"));
        QCOMPARE(ReadBytes(file), "int zahl = 42;" + Latin1Original);
        QVERIFY(prompts.CallsOf(QStringLiteral("yesno")).isEmpty());
        QVERIFY(!Form().SlotMemo(1)->Modified());
        // Only the unnamed document still needs its copy.
        QTRY_COMPARE(Copies().size(), 1);
        QCOMPARE(CopiesRead().value(0).Text, QStringLiteral("class Entwurf {}"));
    }

    void nein_deletes_the_copies() {
        const QString file = MakeFile(QStringLiteral("Alt.java"), Latin1Original);
        TypeInChildAndKill(file, QStringLiteral("x"), QStringLiteral("y"));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(Copies().size(), 2);
        QVERIFY(Start({TPrompts::Answer::No}));
        QCOMPARE(TextsOf(QStringLiteral("ask")).size(), 1);
        QVERIFY(!Form().SlotInUse(1));
        QCOMPARE(Copies(), QStringList());
        QCOMPARE(ReadBytes(file), Latin1Original);
        Drop();
        QVERIFY(Start());
        QVERIFY(prompts.Calls.isEmpty());
    }

    void a_normal_close_leaves_no_copy_and_nothing_to_offer() {
        QVERIFY(Start());
        Command(QStringLiteral("Neu1"));
        Type(QStringLiteral("class Weg {}"));
        QVERIFY(CopiesOnDisk(1));
        QVERIFY(CloseWindow({TPrompts::Answer::No}));
        QCOMPARE(Copies(), QStringList());
        QCOMPARE(RootEntries(), QStringList());
        QVERIFY(Start());
        QVERIFY(prompts.Calls.isEmpty());
    }

    void a_save_takes_the_copy_and_the_next_change_brings_one_again() {
        const QString file = MakeFile(QStringLiteral("Alt.java"), Latin1Original);
        QVERIFY(Start());
        Open(file);
        Type(QStringLiteral("int a;"));
        QVERIFY(CopiesOnDisk(1));
        QCOMPARE(CopiesRead().value(0).File, file);
        QCOMPARE(CopiesRead().value(0).Encoding, datei::TFileEncoding::Latin1);
        Command(QStringLiteral("Speichern1"));
        QCOMPARE(ReadBytes(file), "int a;" + Latin1Original);
        QTRY_COMPARE(Copies(), QStringList());
        Type(QStringLiteral("int b;"));
        QVERIFY(CopiesOnDisk(1));
        QVERIFY(CopiesRead().value(0).Text.startsWith(QStringLiteral("int a;int b;")));
    }

    void closing_with_nein_and_close_all_take_the_copies() {
        QVERIFY(Start());
        for (int n = 1; n <= 3; ++n) {
            Command(QStringLiteral("Neu1"));
            Type(QStringLiteral("class K%1 {}").arg(n));
        }
        QVERIFY(CopiesOnDisk(3));
        Answer({TPrompts::Answer::No});
        Command(QStringLiteral("Schliessen1"));
        QCOMPARE(TextsOf(QStringLiteral("ask")), QStringList{Ask(QStringLiteral("noname.java"))});
        QTRY_COMPARE(Copies().size(), 2);
        Answer({TPrompts::Answer::No, TPrompts::Answer::No});
        Command(QStringLiteral("AllesSchliessen1"));
        QVERIFY(!Form().SlotInUse(1));
        QTRY_COMPARE(Copies(), QStringList());
    }

    void replacing_the_fifth_slot_takes_its_copy() {
        QVERIFY(Start());
        for (int n = 1; n <= 5; ++n)
            Command(QStringLiteral("Neu1"));
        Type(QStringLiteral("class Fuenf {}"));
        QVERIFY(CopiesOnDisk(1));
        Answer({TPrompts::Answer::No});
        Command(QStringLiteral("Neu1"));
        QCOMPARE(TextsOf(QStringLiteral("ask")).size(), 1);
        QVERIFY(Form().SlotMemo(5)->Text().isEmpty());
        QTRY_COMPARE(Copies(), QStringList());
        Type(QStringLiteral("class Neu {}"));
        QVERIFY(CopiesOnDisk(1));
        QCOMPARE(CopiesRead().value(0).Text, QStringLiteral("class Neu {}"));
        QCOMPARE(CopiesRead().value(0).Slot, 5);
    }

    void a_document_as_its_file_or_template_holds_it_has_no_copy() {
        const QString file = MakeFile(QStringLiteral("Alt.java"), Latin1Original);
        QVERIFY(Start());
        Open(file);
        Command(QStringLiteral("NeuApplet1"));
        Command(QStringLiteral("NeuApplication1"));
        QTest::qWait(3000);
        QCOMPARE(Copies(), QStringList());
        // Typed, then undone back to what the file holds: the copy goes.
        ShowPage(1);
        Type(QStringLiteral("int a;"));
        QVERIFY(CopiesOnDisk(1));
        Command(QStringLiteral("Rueckgaengig1"));
        QVERIFY(!Form().SlotMemo(1)->Modified());
        QTRY_COMPARE(Copies(), QStringList());
    }

    void a_document_moved_down_by_a_close_keeps_its_copy_up_to_date() {
        QVERIFY(Start());
        Command(QStringLiteral("Neu1"));
        Command(QStringLiteral("Neu1"));
        Type(QStringLiteral("VORHER"));
        QVERIFY(CopiesOnDisk(1));
        QCOMPARE(CopiesRead().value(0).Slot, 2);
        ShowPage(1);
        Command(QStringLiteral("Schliessen1"));
        QVERIFY(prompts.Calls.isEmpty());
        QVERIFY(!Form().SlotInUse(2));
        QCOMPARE(Form().CurrentMemo()->Text(), QStringLiteral("VORHER"));
        QTest::keyClick(Form().CurrentMemo(), Qt::Key_End);
        Type(QStringLiteral("NACHHER"));
        QTRY_COMPARE_WITH_TIMEOUT(CopiesRead().value(0).Text, QStringLiteral("VORHERNACHHER"),
                                  10000);
        QCOMPARE(CopiesRead().value(0).Slot, 1);
        QCOMPARE(Copies().size(), 1);
        // The slot given up takes a new document; the moved one keeps its copy.
        Command(QStringLiteral("Neu1"));
        QTest::qWait(500);
        QCOMPARE(Copies().size(), 1);
        Drop();
        QVERIFY(Start({TPrompts::Answer::Yes}));
        QVERIFY(Form().SlotInUse(1) && !Form().SlotInUse(2));
        QCOMPARE(Form().SlotMemo(1)->Text(), QStringLiteral("VORHERNACHHER"));
    }

    void a_file_changed_on_disk_since_is_said_so_and_stays_until_saved() {
        const QString file = MakeFile(QStringLiteral("Alt.java"), Latin1Original);
        QVERIFY(Start());
        Open(file);
        Type(QStringLiteral("int mein;"));
        QVERIFY(CopiesOnDisk(1));
        Drop();
        const QByteArray theirs("class Alt { int fremd; }\r\n");
        MakeFile(QStringLiteral("Alt.java"), theirs);

        QVERIFY(Start({TPrompts::Answer::Yes}));
        const QStringList asked = TextsOf(QStringLiteral("ask"));
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].contains(file + QStringLiteral(" (inzwischen von einem anderen Programm "
                                                        "geändert) wiederherstellen?")));
        QVERIFY(asked[0].contains(QStringLiteral("Die Dateien auf der Festplatte bleiben, wie sie "
                                                 "sind, bis Sie speichern.")));
        QCOMPARE(TextsOf(QStringLiteral("message")),
                 QStringList{QStringLiteral("Die Datei %1 wurde inzwischen von einem anderen "
                                            "Programm geändert. Die Seite zeigt Ihren "
                                            "wiederhergestellten Text; die Datei bleibt, wie sie "
                                            "ist, bis Sie speichern.")
                                 .arg(file)});
        QCOMPARE(Form().SlotMemo(1)->Text(),
                 QStringLiteral("int mein;") + QString::fromLatin1(Latin1Original));
        QCOMPARE(ReadBytes(file), theirs);
        // A save asks before it overwrites the other program's version; Nein keeps it.
        Command(QStringLiteral("Speichern1"));
        QCOMPARE(TextsOf(QStringLiteral("yesno")),
                 QStringList{QStringLiteral("Die Datei %1 wurde inzwischen von einem anderen "
                                            "Programm geändert. Überschreiben?")
                                 .arg(file)});
        QCOMPARE(ReadBytes(file), theirs);
        QVERIFY(Form().SlotMemo(1)->Modified());
    }

    void more_than_five_leftovers_keep_the_rest_for_a_later_start() {
        QVERIFY(Start());
        for (int n = 1; n <= 5; ++n) {
            Command(QStringLiteral("Neu1"));
            Type(QStringLiteral("Dokument %1").arg(n));
        }
        QVERIFY(CopiesOnDisk(5));
        Drop();
        // Asked, and the question put aside (Escape): nothing restored, nothing deleted.
        QVERIFY(Start());
        QCOMPARE(TextsOf(QStringLiteral("ask")).size(), 1);
        QVERIFY(!Form().SlotInUse(1));
        for (int n = 6; n <= 7; ++n) {
            Command(QStringLiteral("Neu1"));
            Type(QStringLiteral("Dokument %1").arg(n));
        }
        QVERIFY(CopiesOnDisk(7));
        Drop();

        QVERIFY(Start({TPrompts::Answer::Yes}));
        const QStringList asked = TextsOf(QStringLiteral("ask"));
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].contains(QStringLiteral("an 7 Dokumenten wiederherstellen?")));
        QVERIFY(asked[0].contains(QStringLiteral(
            "Es sind nur 5 Seiten frei. Die übrigen Dokumente werden beim nächsten Start wieder "
            "angeboten.")));
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(Form().SlotMemo(n)->Text(), QStringLiteral("Dokument %1").arg(n));
        QCOMPARE(TextsOf(QStringLiteral("message")),
                 QStringList{QStringLiteral("Für diese Dokumente war keine Seite mehr frei:\n\n"
                                            "noname.java\nnoname.java\n\nIhre Sicherungen "
                                            "bleiben erhalten und werden beim nächsten Start "
                                            "wieder angeboten.")});
        QCOMPARE(Copies().size(), 7);
        // Closed with Nein, the restored ones go; the two kept come next time.
        QVERIFY(CloseWindow({TPrompts::Answer::No, TPrompts::Answer::No, TPrompts::Answer::No,
                             TPrompts::Answer::No, TPrompts::Answer::No}));
        QCOMPARE(Copies().size(), 2);
        QVERIFY(Start({TPrompts::Answer::Yes}));
        QVERIFY(
            TextsOf(QStringLiteral("ask")).value(0).contains(QStringLiteral("an 2 Dokumenten")));
        QVERIFY(TextsOf(QStringLiteral("message")).isEmpty());
        QCOMPARE(Form().SlotMemo(1)->Text(), QStringLiteral("Dokument 6"));
        QCOMPARE(Form().SlotMemo(2)->Text(), QStringLiteral("Dokument 7"));
        QVERIFY(!Form().SlotInUse(3));
    }

    void a_damaged_copy_is_said_at_start_and_not_offered() {
        QVERIFY(Start());
        Command(QStringLiteral("Neu1"));
        Type(QStringLiteral("class Kaputt {}"));
        QVERIFY(CopiesOnDisk(1));
        Drop();
        const QString path = Copies().first();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        bytes[bytes.size() - 30] = '!';
        QVERIFY(file.seek(0) && file.write(bytes) == bytes.size());
        file.close();

        QVERIFY(Start());
        QVERIFY(TextsOf(QStringLiteral("ask")).isEmpty());
        const QStringList said = TextsOf(QStringLiteral("message"));
        QCOMPARE(said.size(), 1);
        QVERIFY2(said[0].startsWith(QStringLiteral("Die Sicherung von noname.java ist beschädigt "
                                                   "und kann nicht wiederhergestellt werden. Sie "
                                                   "liegt jetzt hier: ") +
                                    Root() + QStringLiteral("/damaged/")),
                 qPrintable(said[0]));
        QVERIFY(!Form().SlotInUse(1));
    }

    void an_unusable_state_folder_is_said_once_and_editing_goes_on() {
        // A file where the state folder should be: no rights help there, not even root's.
        MakeFile(QStringLiteral("state"), "kein Ordner");
        QVERIFY(Start());
        QCOMPARE(TextsOf(QStringLiteral("message")),
                 QStringList{
                     QStringLiteral("Kodiwerk kann im Ordner %1 keine Sicherungen ungespeicherter "
                                    "Änderungen anlegen. Sie können weiterarbeiten, aber speichern "
                                    "Sie öfter: Nach einem Absturz wären ungespeicherte Änderungen "
                                    "verloren.")
                         .arg(Root())});
        Command(QStringLiteral("Neu1"));
        Type(QStringLiteral("class Weiter {}"));
        QTest::qWait(3000);
        prompts.Files.enqueue(Path(QStringLiteral("Weiter.java")));
        Command(QStringLiteral("SpeichernUnter1"));
        QCOMPARE(ReadBytes(Path(QStringLiteral("Weiter.java"))), QByteArray("class Weiter {}\r\n"));
        QCOMPARE(prompts.CallsOf(QStringLiteral("message")).size(), 1);
        QVERIFY(prompts.CallsOf(QStringLiteral("error")).isEmpty());
        QVERIFY(CloseWindow({}));
    }

    void copies_that_start_failing_are_said_in_the_status_bar() {
        QVERIFY(Start());
        Command(QStringLiteral("Neu1"));
        Type(QStringLiteral("class Bald {}"));
        QVERIFY(CopiesOnDisk(1));
        // The run's folder replaced by a file: the next copy cannot be written.
        const QString folder = Recovery().Folder();
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Type(QStringLiteral(" // mehr"));
        QTRY_COMPARE_WITH_TIMEOUT(Label(QStringLiteral("StatusNote")),
                                  recovery::UnwritableNote(Root()), 10000);
        QVERIFY(prompts.Calls.isEmpty());
        QVERIFY(QFile::remove(folder));
    }
};

QTEST_MAIN(TestWindowRecovery)
#include "tst_windowrecovery.moc"
