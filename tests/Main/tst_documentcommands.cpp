// SPDX-License-Identifier: GPL-3.0-or-later
// New, the templates, Open, the command-line file, Save and Save as through
// the real main window with real files.
#include "Datei/Templates.h"
#include "DocumentRig.h"
#include "Main/StartUp.h"

#include <QDir>
#include <QMenu>

class TestDocumentCommands : public DocumentRig {
    Q_OBJECT

    // Settings whose project directory is the test's directory.
    QByteArray ProjectDirSettings() const {
        return "[Settings]\nProjectDir=" + dir->path().toUtf8() + "\n";
    }

    QString UnsavedHallo() {
        Command("Neu1");
        Type(QStringLiteral("class Hallo {}"));
        return Path(QStringLiteral("Hallo.java"));
    }

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    void command_line_opens_only_an_exact_java_file_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opened");
        QTest::newRow("java") << "Hallo.java" << true;
        QTest::newRow("JAVA") << "Hallo.JAVA" << false;
        QTest::newRow("jav") << "Hallo.jav" << false;
    }
    void command_line_opens_only_an_exact_java_file() {
        QFETCH(QString, name);
        QFETCH(bool, opened);
        const QString path = MakeFile(name, "class Hallo {}\r\n");
        TKodiwerkWindows windows(prompts, {path});
        TMainForm& main = *windows.MainForm;
        QCOMPARE(main.LastSlot(), opened ? 0 : -1);
        QCOMPARE(main.SlotFile(1), opened ? path : QStringLiteral("noname.java"));
        if (opened) {
            QCOMPARE(main.findChild<QTabWidget*>("PC_Edit")->tabText(0), QStringLiteral("Hallo"));
            QCOMPARE(main.SlotMemo(1)->Text(), QStringLiteral("class Hallo {}\r\n"));
            QVERIFY(!main.SlotMemo(1)->Modified());
        }
        // A name that is no Java source is said, not dropped in silence.
        QCOMPARE(TextsOf(QStringLiteral("message")),
                 opened ? QStringList()
                        : QStringList{"„" + path +
                                      "“ wurde nicht geöffnet: Kodiwerk öffnet nur Java-Dateien "
                                      "mit der Endung .java."});
    }

    void a_missing_command_line_file_is_reported_by_its_name() {
        const QString missing = Path(QStringLiteral("Fehlt.java"));
        TKodiwerkWindows windows(prompts, {missing});
        QCOMPARE(windows.MainForm->LastSlot(), -1);
        QCOMPARE(TextsOf(QStringLiteral("message")),
                 QStringList{"„" + missing + "“ wurde nicht geöffnet: Diese Datei gibt es nicht."});
    }

    void up_to_five_command_line_files_open_and_the_sixth_is_named() {
        QStringList files;
        for (int n = 1; n <= 6; ++n)
            files << MakeFile(QStringLiteral("Datei%1.java").arg(n), "class A {}\r\n");
        TKodiwerkWindows windows(prompts, files);
        QCOMPARE(windows.MainForm->LastSlot(), 4);
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(windows.MainForm->SlotFile(n), files[n - 1]);
        QCOMPARE(TextsOf(QStringLiteral("message")),
                 QStringList{"„" + files[5] +
                             "“ wurde nicht geöffnet: Es können höchstens 5 "
                             "Dateien zugleich offen sein."});
    }

    void the_editor_area_shows_after_new_and_open() {
        QVERIFY(!Control(QStringLiteral("P_Edit"))->isHidden()); // the frame is always there
        QVERIFY(!Pages()->isVisible());
        Command("Neu1");
        QVERIFY(Pages()->isVisible());
        QVERIFY(form->CurrentMemo()->isVisible());
        QCOMPARE(QApplication::focusWidget(), form->CurrentMemo());
        Command("Schliessen1");
        QVERIFY(!Pages()->isVisible());
        Open(MakeFile(QStringLiteral("Hallo.java"), "class Hallo {}\r\n"));
        QVERIFY(Pages()->isVisible());
        QVERIFY(form->CurrentMemo()->isVisible());
        QCOMPARE(form->CurrentMemo()->Text(), QStringLiteral("class Hallo {}\r\n"));
    }

    void new_takes_the_next_slot_empty_and_unmodified() {
        Command("Neu1");
        Type(QStringLiteral("x"));
        Command("Neu2");
        QCOMPARE(form->LastSlot(), 1);
        QCOMPARE(form->CurrentSlot(), 2);
        QCOMPARE(form->CurrentMemo()->Text(), QString());
        QVERIFY(!form->CurrentMemo()->Modified());
        QCOMPARE(TabText(2), QStringLiteral("noname"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - noname.java"));
        QVERIFY(prompts.Calls.isEmpty());
    }

    void a_sixth_new_replaces_the_fifth_slot_after_asking() {
        for (int n = 1; n <= 5; ++n)
            Command("Neu1");
        Type(QStringLiteral("fifth"));
        Answer({TPrompts::Answer::No});
        Command("Neu1");
        QCOMPARE(TextsOf(QStringLiteral("ask")),
                 QStringList{Question(QStringLiteral("noname.java"))});
        QCOMPARE(form->LastSlot(), 4);
        QCOMPARE(form->CurrentSlot(), 5);
        QCOMPARE(form->SlotMemo(5)->Text(), QString());
        Command("Neu1"); // unmodified now: no question
        QCOMPARE(prompts.CallsOf(QStringLiteral("ask")).size(), 1);
    }

    void templates_are_put_in_unmodified_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");
        QTest::newRow("application") << "NeuApplication1" << datei::ApplicationTemplate();
        QTest::newRow("applet") << "NeuApplet1" << datei::AppletTemplate();
    }
    void templates_are_put_in_unmodified() {
        QFETCH(QString, command);
        QFETCH(QString, text);
        Command(command);
        QCOMPARE(form->CurrentMemo()->Text(), text);
        QCOMPARE(form->CurrentMemo()->SelStart(), 0);
        QVERIFY(!form->CurrentMemo()->Modified());
        QCOMPARE(form->SlotFile(1), QStringLiteral("noname.java"));
        QCOMPARE(TabText(1), QStringLiteral("noname"));
        QCOMPARE(Status(1), QString());
        Command("Schliessen1");
        QVERIFY(prompts.Calls.isEmpty());
        QCOMPARE(form->LastSlot(), -1);
    }

    void open_reads_the_chosen_file_into_a_new_slot() {
        const QString path = MakeFile(QStringLiteral("Hallo.java"), "a\r\nb\r\n");
        QVERIFY(StartMainWindow(ProjectDirSettings()));
        ChooseFiles({path});
        Command("Oeffnen1");
        const auto opens = prompts.CallsOf(QStringLiteral("open"));
        QCOMPARE(opens.size(), 1);
        QCOMPARE(opens[0].Request.Filters, (QStringList{QStringLiteral("Java Files (*.java)"),
                                                        QStringLiteral("Alle Files(*.*)")}));
        QCOMPARE(opens[0].Request.DefaultSuffix, QStringLiteral("java"));
        QCOMPARE(opens[0].Request.ProposedName, QString());
        QCOMPARE(opens[0].Request.InitialDir, dir->path());
        QCOMPARE(form->SlotFile(1), path);
        QCOMPARE(TabText(1), QStringLiteral("Hallo"));
        QCOMPARE(form->CurrentMemo()->Text(), QStringLiteral("a\r\nb\r\n"));
        QCOMPARE(form->CurrentMemo()->SelStart(), 0);
        QVERIFY(!form->CurrentMemo()->Modified());
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - Hallo.java"));
    }

    void only_the_first_confirmed_open_dialog_starts_in_the_project_directory() {
        QVERIFY(StartMainWindow(ProjectDirSettings()));
        Command("Oeffnen1"); // cancelled: the directory stays
        QCOMPARE(form->LastSlot(), -1);
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("unter")));
        ChooseFiles({MakeFile(QStringLiteral("unter/A.java"), "a"), QString()});
        Command("Oeffnen1");
        Command("Oeffnen1");
        const auto opens = prompts.CallsOf(QStringLiteral("open"));
        QCOMPARE(opens.size(), 3);
        QCOMPARE(opens[1].Request.InitialDir, dir->path());
        // Later ones start in the folder of the file chosen last, as the desktop's dialog would.
        QCOMPARE(opens[2].Request.InitialDir, Path(QStringLiteral("unter")));
        QCOMPARE(form->LastSlot(), 0);
    }

    void without_a_project_directory_the_dialogs_start_in_the_users_own_folder() {
        const QString own = QDir::home().filePath(QStringLiteral("Kodiwerk"));
        QDir(own).removeRecursively();
        Command("Oeffnen1"); // cancelled
        UnsavedHallo();
        ChooseFiles({QString()});
        Command("Speichern1"); // cancelled
        QCOMPARE(prompts.CallsOf(QStringLiteral("open")).at(0).Request.InitialDir, own);
        QCOMPARE(prompts.CallsOf(QStringLiteral("save")).at(0).Request.InitialDir, own);
        QVERIFY(QFileInfo(own).isDir());
        QVERIFY(QDir::currentPath() != own);
        QCOMPARE(form->LastSlot(), 0);
    }

    void a_name_that_cannot_be_read_leaves_an_empty_slot_and_the_error() {
        // Typed into the open dialog, naming no file.
        const QString path = Path(QStringLiteral("Fehlt.java"));
        ChooseFiles({path});
        Command("Oeffnen1");
        QCOMPARE(TextsOf(QStringLiteral("error")),
                 QStringList{QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(path)});
        QCOMPARE(form->LastSlot(), 0);
        QCOMPARE(form->SlotFile(1), path);
        QCOMPARE(form->CurrentMemo()->Text(), QString());
    }

    void an_ampersand_in_a_file_name_shows_on_its_tab() {
        Open(MakeFile(QStringLiteral("A.java"), "a\r\n"));
        Open(MakeFile(QStringLiteral("und&so.java"), "x\r\n"));
        QCOMPARE(ShownTabText(2), QStringLiteral("und&so"));
        ChooseFiles({Path(QStringLiteral("R&D.java"))});
        Command("SpeichernUnter1");
        QCOMPARE(ShownTabText(2), QStringLiteral("R&D"));
        // Closing the first slot moves the document and its caption down.
        ShowPage(1);
        Command("Schliessen1");
        QCOMPARE(ShownTabText(1), QStringLiteral("R&D"));
    }

    void a_file_opened_twice_takes_two_unlinked_slots() {
        const QString path = MakeFile(QStringLiteral("Hallo.java"), "x\r\n");
        Open(path);
        Open(path);
        QCOMPARE(form->LastSlot(), 1);
        Type(QStringLiteral("changed "));
        QCOMPARE(form->SlotMemo(1)->Text(), QStringLiteral("x\r\n"));
        QVERIFY(!form->SlotMemo(1)->Modified());
        QCOMPARE(form->SlotFile(1), form->SlotFile(2));
    }

    void saving_a_new_document_asks_for_a_name_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("tab");
        QTest::newRow("jav completed") << "Hallo.jav"
                                       << "Hallo.java"
                                       << "Hallo";
        QTest::newRow("JAV kept") << "Hallo.JAV"
                                  << "Hallo.JAV"
                                  << "Hallo";
        QTest::newRow("java") << "Hallo.java"
                              << "Hallo.java"
                              << "Hallo";
    }
    void saving_a_new_document_asks_for_a_name() {
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QFETCH(QString, tab);
        UnsavedHallo();
        ChooseFiles({Path(chosen)});
        Command("Speichern1");
        const auto saves = prompts.CallsOf(QStringLiteral("save"));
        QCOMPARE(saves.size(), 1);
        QCOMPARE(saves[0].Request.ProposedName, QStringLiteral("noname.java"));
        QCOMPARE(saves[0].Request.DefaultSuffix, QStringLiteral("java"));
        QCOMPARE(saves[0].Request.InitialDir, QDir::home().filePath(QStringLiteral("Kodiwerk")));
        QCOMPARE(form->SlotFile(1), Path(stored));
        QCOMPARE(ReadBytes(Path(stored)), QByteArray("class Hallo {}\r\n"));
        if (stored != chosen)
            QVERIFY(!QFile::exists(Path(chosen)));
        QCOMPARE(TabText(1), tab);
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - ") + stored);
        QVERIFY(!form->CurrentMemo()->Modified());
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
        QCOMPARE(inis.Files[0], Path(stored));
    }

    void saving_twice_keeps_the_first_version_as_backup() {
        const QString path = UnsavedHallo();
        ChooseFiles({path});
        Command("Speichern1");
        Type(QStringLiteral("// second"));
        Command("Speichern1");
        QCOMPARE(ReadBytes(Path(QStringLiteral("Hallo.jav_"))), QByteArray("class Hallo {}\r\n"));
        QCOMPARE(ReadBytes(path), QByteArray("class Hallo {}// second\r\n"));
        QCOMPARE(prompts.CallsOf(QStringLiteral("save")).size(), 1);
    }

    void files_are_written_back_in_the_encoding_they_were_read_in_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("saved");
        QByteArray high;
        for (int b = 0xA0; b <= 0xFF; ++b)
            high.append(char(b));
        QTest::newRow("not utf-8, every byte kept") << high + "\r\n" << high + "\r\n";
        QTest::newRow("utf-8 umlauts") << QByteArray("// \xC3\xA4\xC3\xB6\xC3\xBC\r\n")
                                       << QByteArray("// \xC3\xA4\xC3\xB6\xC3\xBC\r\n");
        QTest::newRow("LF only becomes CR LF")
            << QByteArray("a\n\tb\n") << QByteArray("a\r\n\tb\r\n");
    }
    void files_are_written_back_in_the_encoding_they_were_read_in() {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, saved);
        const QString path = MakeFile(QStringLiteral("Datei.java"), original);
        Open(path);
        ForceCommand("Speichern1");
        QCOMPARE(ReadBytes(path), saved);
        QCOMPARE(ReadBytes(Path(QStringLiteral("Datei.jav_"))), original);
    }

    void a_typed_umlaut_in_a_latin1_file_is_saved_in_latin1() {
        const QString path = MakeFile(QStringLiteral("L.java"), "// \xE4\r\n");
        Open(path);
        Type(QString::fromUtf8("ö"));
        Command("Speichern1");
        QCOMPARE(ReadBytes(path), QByteArray("\xF6// \xE4\r\n"));
    }

    void a_file_that_cannot_be_written_keeps_the_text_modified_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("directory in place of the file") << "Ordner.java";
        QTest::newRow("directory that does not exist") << "fehlt/Hallo.java";
    }
    void a_file_that_cannot_be_written_keeps_the_text_modified() {
        QFETCH(QString, name);
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Ordner.java")));
        UnsavedHallo();
        ChooseFiles({Path(name)});
        Command("Speichern1");
        QCOMPARE(
            TextsOf(QStringLiteral("error")),
            QStringList{QStringLiteral("Datei %1 kann nicht erstellt werden").arg(Path(name))});
        QCOMPARE(form->CurrentMemo()->Text(), QStringLiteral("class Hallo {}"));
        QVERIFY(form->CurrentMemo()->Modified());
        QCOMPARE(Status(2), QStringLiteral("Speichern"));
        QCOMPARE(inis.Files[0], QString());
        QVERIFY(QFileInfo(Path(QStringLiteral("Ordner.java"))).isDir());
    }

    void save_as_of_a_named_file_proposes_its_name_and_moves_it() {
        const QString path = MakeFile(QStringLiteral("Alt.java"), "x\r\n");
        Open(path);
        ChooseFiles({Path(QStringLiteral("Neu.java"))});
        Command("SpeichernUnter1");
        QCOMPARE(prompts.CallsOf(QStringLiteral("save")).at(0).Request.ProposedName,
                 QStringLiteral("Alt.java"));
        QCOMPARE(form->SlotFile(1), Path(QStringLiteral("Neu.java")));
        QCOMPARE(ReadBytes(Path(QStringLiteral("Neu.java"))), QByteArray("x\r\n"));
        QCOMPARE(ReadBytes(path), QByteArray("x\r\n"));
        QCOMPARE(TabText(1), QStringLiteral("Neu"));
    }

    void a_cancelled_save_as_changes_nothing() {
        const QString path = MakeFile(QStringLiteral("Alt.java"), "x\r\n");
        Open(path);
        Type(QStringLiteral("y"));
        Command("SpeichernUnter1"); // nothing chosen: the dialog is cancelled
        QCOMPARE(prompts.CallsOf(QStringLiteral("save")).size(), 1);
        QCOMPARE(form->SlotFile(1), path);
        QVERIFY(form->CurrentMemo()->Modified());
        QCOMPARE(ReadBytes(path), QByteArray("x\r\n"));
    }
};

QTEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
