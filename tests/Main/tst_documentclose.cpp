// SPDX-License-Identifier: GPL-3.0-or-later
// Close, Close all, exit and the recent-file menu through the real main
// window: no unsaved text is ever dropped without the user's "No".
#include "DocumentRig.h"

#include <QDir>
#include <QMenu>

class TestDocumentClose : public DocumentRig {
    Q_OBJECT

    // Opens a file per name (content "<name>\r\n"); returns their paths.
    QStringList OpenFiles(const QStringList& names) {
        QStringList paths;
        for (const QString& name : names) {
            paths << MakeFile(name, name.toUtf8() + "\r\n");
            Open(paths.last());
        }
        return paths;
    }
    void MakeCurrent(int slot) { ShowPage(slot); }
    void Modify(int slot, const QString& text) {
        MakeCurrent(slot);
        form->SlotMemo(slot)->ReplaceSelection(text);
    }
    void SaveAs(const QString& path) {
        ChooseFiles({path});
        ForceCommand("SpeichernUnter1");
    }
    QAction* Recent(int n) const { return Action(QStringLiteral("F%1").arg(n)); }
    void OpenFileMenu() { emit Menu(QStringLiteral("Datei1"))->aboutToShow(); }
    QStringList Captions() const {
        QStringList captions;
        for (int n = 1; n <= 5; ++n)
            captions << (Recent(n)->isVisible() ? Recent(n)->text() : QStringLiteral("-"));
        return captions;
    }

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    void close_all_closes_the_current_slot_first_then_from_the_last_down() {
        const QStringList paths = OpenFiles({"A.java", "B.java", "C.java"});
        for (int slot = 1; slot <= 3; ++slot)
            Modify(slot, QStringLiteral("x"));
        MakeCurrent(2);
        Answer({TPrompts::Answer::No, TPrompts::Answer::No, TPrompts::Answer::No});
        Command("AllesSchliessen1");
        QCOMPARE(TextsOf(QStringLiteral("ask")),
                 (QStringList{Question(paths[1]), Question(paths[2]), Question(paths[0])}));
        QCOMPARE(form->LastSlot(), -1);
        QVERIFY(Pages()->isHidden());
        for (const QString& path : paths)
            QCOMPARE(ReadBytes(path), QFileInfo(path).fileName().toUtf8() + "\r\n");
    }

    void cancel_ends_close_all_and_keeps_that_slot() {
        const QStringList paths = OpenFiles({"A.java", "B.java", "C.java"});
        for (int slot = 1; slot <= 3; ++slot)
            Modify(slot, QStringLiteral("x"));
        Answer({TPrompts::Answer::No, TPrompts::Answer::Cancel});
        Command("AllesSchliessen1");
        QCOMPARE(TextsOf(QStringLiteral("ask")),
                 (QStringList{Question(paths[2]), Question(paths[1])}));
        QCOMPARE(form->LastSlot(), 1);
        QCOMPARE(form->CurrentSlot(), 2);
        QCOMPARE(form->SlotFile(2), paths[1]);
        QVERIFY(form->SlotMemo(2)->Modified());
        QVERIFY(form->SlotMemo(1)->Modified());
    }

    void closing_a_slot_moves_the_next_one_down_with_its_flag_and_encoding() {
        const QString a = MakeFile(QStringLiteral("A.java"), "a\r\n");
        const QString b = MakeFile(QStringLiteral("B.java"), "\xE4\r\n"); // not UTF-8
        const QString c = MakeFile(QStringLiteral("C.java"), "c\r\n");
        for (const QString& path : {a, b, c})
            Open(path);
        Modify(2, QStringLiteral("b"));
        MakeCurrent(1);
        Command("Schliessen1");
        QVERIFY(prompts.Calls.isEmpty());
        QCOMPARE(form->SlotFile(1), b);
        QVERIFY(form->SlotMemo(1)->Modified());
        QVERIFY(!form->SlotMemo(2)->Modified());
        QCOMPARE(TabText(1), QStringLiteral("B"));
        MakeCurrent(1);
        ForceCommand("Speichern1");
        QCOMPARE(ReadBytes(b), QByteArray("b\xE4\r\n"));
    }

    void exit_asks_about_each_modified_slot() {
        const QStringList paths = OpenFiles({"A.java", "B.java", "C.java"});
        Modify(1, QStringLiteral("x"));
        Modify(3, QStringLiteral("x"));
        Answer({TPrompts::Answer::Yes, TPrompts::Answer::No});
        QVERIFY(form->close());
        QCOMPARE(TextsOf(QStringLiteral("ask")),
                 (QStringList{Question(paths[2]), Question(paths[0])}));
        QCOMPARE(ReadBytes(paths[2]), QByteArray("xC.java\r\n"));
        QCOMPARE(ReadBytes(paths[0]), QByteArray("A.java\r\n"));
        QCOMPARE(form->LastSlot(), -1);
    }

    void exit_stays_open_after_a_cancel() {
        const QStringList paths = OpenFiles({"A.java", "B.java"});
        Modify(1, QStringLiteral("x"));
        Modify(2, QStringLiteral("y"));
        Answer({TPrompts::Answer::Cancel});
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        QCOMPARE(form->LastSlot(), 1);
        QCOMPARE(TextsOf(QStringLiteral("ask")), QStringList{Question(paths[1])});
        Answer({TPrompts::Answer::No, TPrompts::Answer::Cancel});
        QVERIFY(!form->close());
        QCOMPARE(form->LastSlot(), 0);
        QVERIFY(form->SlotMemo(1)->Modified());
    }

    void exit_stays_open_when_the_save_cannot_happen_data() {
        QTest::addColumn<bool>("named");
        QTest::newRow("name dialog cancelled") << false;
        QTest::newRow("file cannot be written") << true;
    }
    void exit_stays_open_when_the_save_cannot_happen() {
        QFETCH(bool, named);
        Command("Neu1");
        Type(QStringLiteral("int x;"));
        if (named) {
            // Saved once into a directory that then goes away.
            QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("weg")));
            ChooseFiles({Path(QStringLiteral("weg/Hallo.java"))});
            Command("SpeichernUnter1");
            QVERIFY(QDir(Path(QStringLiteral("weg"))).removeRecursively());
            Type(QStringLiteral("int y;"));
            prompts.Calls.clear();
        }
        const QString text = form->CurrentMemo()->Text();
        Answer({TPrompts::Answer::Yes});
        QVERIFY(!form->close());
        QCOMPARE(form->LastSlot(), 0);
        QCOMPARE(form->CurrentMemo()->Text(), text);
        QVERIFY(form->CurrentMemo()->Modified());
        QCOMPARE(prompts.CallsOf(QStringLiteral("error")).size(), named ? 1 : 0);
        QCOMPARE(prompts.CallsOf(QStringLiteral("save")).size(), named ? 0 : 1);
    }

    void yes_then_cancel_in_the_name_dialog_keeps_the_slot() {
        Command("Neu1");
        Type(QStringLiteral("int x;"));
        Answer({TPrompts::Answer::Yes});
        Command("Schliessen1");
        QCOMPARE(prompts.CallsOf(QStringLiteral("save")).size(), 1);
        QCOMPARE(form->LastSlot(), 0);
        QCOMPARE(form->SlotFile(1), QStringLiteral("noname.java"));
        QCOMPARE(form->CurrentMemo()->Text(), QStringLiteral("int x;"));
        QVERIFY(form->CurrentMemo()->Modified());
    }

    void new_and_open_ask_about_the_fifth_slot_they_replace_data() {
        QTest::addColumn<bool>("viaOpen");
        QTest::newRow("new") << false;
        QTest::newRow("open") << true;
    }
    void new_and_open_ask_about_the_fifth_slot_they_replace() {
        QFETCH(bool, viaOpen);
        const QStringList paths = OpenFiles({"A.java", "B.java", "C.java", "D.java", "E.java"});
        const QString other = MakeFile(QStringLiteral("F.java"), "f\r\n");
        Modify(5, QStringLiteral("fifth "));
        Modify(2, QStringLiteral("second "));
        const auto replace = [&] { viaOpen ? Open(other) : Command("Neu1"); };

        Answer({TPrompts::Answer::Cancel});
        replace();
        QCOMPARE(TextsOf(QStringLiteral("ask")), QStringList{Question(paths[4])});
        QCOMPARE(form->SlotMemo(5)->Text(), QStringLiteral("fifth E.java\r\n"));
        QCOMPARE(form->CurrentSlot(), 2);

        Answer({TPrompts::Answer::No});
        replace();
        QCOMPARE(prompts.CallsOf(QStringLiteral("ask")).size(), 2);
        QCOMPARE(form->SlotFile(5), viaOpen ? other : QStringLiteral("noname.java"));
        QCOMPARE(form->SlotMemo(2)->Text(), QStringLiteral("second B.java\r\n"));
        QVERIFY(form->SlotMemo(2)->Modified());
        QCOMPARE(form->LastSlot(), 4);
    }

    void a_command_that_stops_leaves_page_caption_and_status_agreeing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("fifthModified");
        QTest::newRow("open dialog cancelled") << "open" << false;
        QTest::newRow("recent file gone") << "recent" << false;
        QTest::newRow("fifth slot let go, then the open dialog cancelled") << "open" << true;
        QTest::newRow("fifth slot let go, then the recent file gone") << "recent" << true;
    }
    void a_command_that_stops_leaves_page_caption_and_status_agreeing() {
        QFETCH(QString, how);
        QFETCH(bool, fifthModified);
        const QStringList paths = OpenFiles({"A.java", "B.java", "C.java", "D.java", "E.java"});
        if (fifthModified)
            Modify(5, QStringLiteral("fifth "));
        MakeCurrent(2);
        form->SlotMemo(2)->SetSelStart(3);
        const QString caret = Status(0);
        QCOMPARE(caret, QStringLiteral("  1:   4"));
        inis.Files[0] = Path(QStringLiteral("Weg.java"));
        Answer({TPrompts::Answer::No});
        if (how == QStringLiteral("open")) {
            Command("Oeffnen1"); // nothing chosen: cancelled
        } else {
            emit Menu(QStringLiteral("Datei1"))->aboutToShow();
            Command("F1");
        }
        QCOMPARE(TextsOf(QStringLiteral("ask")),
                 fifthModified ? QStringList{Question(paths[4])} : QStringList());
        QCOMPARE(Pages()->currentIndex(), 1);
        QCOMPARE(form->CurrentSlot(), 2);
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - B.java"));
        QCOMPARE(Status(0), caret);
        QCOMPARE(Status(1), QString());
        QVERIFY(Action(QStringLiteral("Speichern1"))->isEnabled());
        QCOMPARE(form->SlotFile(5), paths[4]);
        QCOMPARE(form->LastSlot(), 4);
    }

    void the_fifth_slot_question_names_the_page_it_shows_and_puts_back_the_one_before() {
        const QStringList paths = OpenFiles({"A.java", "B.java", "C.java", "D.java", "E.java"});
        Modify(5, QStringLiteral("fifth "));
        MakeCurrent(2);
        QString captionWhileAsked;
        QString pageWhileAsked;
        prompts.OnAsk = [&] {
            captionWhileAsked = form->windowTitle();
            pageWhileAsked = TabText(Pages()->currentIndex() + 1);
        };
        Answer({TPrompts::Answer::Cancel});
        Command("Neu1");
        QCOMPARE(pageWhileAsked, QStringLiteral("E"));
        QCOMPARE(captionWhileAsked, QStringLiteral("Kodiwerk - E.java"));
        QCOMPARE(form->CurrentSlot(), 2);
        QCOMPARE(form->windowTitle(), QStringLiteral("Kodiwerk - B.java"));
        QCOMPARE(Status(1), QString());
        QCOMPARE(form->SlotMemo(5)->Text(), QStringLiteral("fifth E.java\r\n"));
    }

    void close_all_cancelled_shows_the_states_of_the_document_kept() {
        Command("Neu1");
        Type(QStringLiteral("int x;"));
        Command("Neu1"); // empty: Save is disabled for it
        QVERIFY(!Action(QStringLiteral("Speichern1"))->isEnabled());
        Answer({TPrompts::Answer::Cancel});
        Command("AllesSchliessen1");
        QCOMPARE(form->LastSlot(), 0);
        QCOMPARE(Status(1), QStringLiteral("Geändert"));
        QCOMPARE(Status(0), QStringLiteral("  1:   7"));
        QVERIFY(Action(QStringLiteral("Speichern1"))->isEnabled());
    }

    void with_no_slot_in_use_save_save_as_and_close_touch_nothing() {
        const QStringList paths = OpenFiles({"A.java"});
        Modify(1, QStringLiteral("dropped "));
        Answer({TPrompts::Answer::No});
        Command("Schliessen1");
        QCOMPARE(form->LastSlot(), -1);
        prompts.Calls.clear();
        ChooseFiles({Path(QStringLiteral("Other.java"))});
        ForceCommand("Speichern1");
        ForceCommand("SpeichernUnter1");
        ForceCommand("Schliessen1");
        ForceCommand("AllesSchliessen1");
        QVERIFY(prompts.Calls.isEmpty());
        QCOMPARE(ReadBytes(paths[0]), QByteArray("A.java\r\n"));
        QVERIFY(!QFile::exists(Path(QStringLiteral("Other.java"))));
        QVERIFY(!QFile::exists(Path(QStringLiteral("A.jav_"))));
        QCOMPARE(form->LastSlot(), -1);
        QVERIFY(form->close());
    }

    void saved_files_fill_the_recent_list_newest_first() {
        Command("Neu1");
        Type(QStringLiteral("x"));
        const QStringList names = {"A.java", "B.java", "a.java", "A.java"};
        for (const QString& name : names)
            SaveAs(Path(name));
        QCOMPARE(QStringList(inis.Files.begin(), inis.Files.begin() + 3),
                 (QStringList{Path("a.java"), Path("B.java"), Path("A.java")}));
        QCOMPARE(inis.Files[3], QString());
        for (const char* name : {"C.java", "D.java", "E.java"})
            SaveAs(Path(name));
        QCOMPARE(QStringList(inis.Files.begin(), inis.Files.end()),
                 (QStringList{Path("E.java"), Path("D.java"), Path("C.java"), Path("a.java"),
                              Path("B.java")}));
    }

    void the_file_menu_shows_the_recent_files_that_are_set() {
        inis.Files = {QString(), QString(), QStringLiteral("/p/Drei.java"), QString(),
                      QStringLiteral("/p/R&D.java")};
        OpenFileMenu();
        QCOMPARE(Captions(), (QStringList{"-", "-", "/p/Drei.java", "-", "/p/R&&D.java"}));
        QVERIFY(!Action("N1")->isVisible());
        inis.Files[0] = QStringLiteral("/p/Eins.java");
        OpenFileMenu();
        QCOMPARE(Captions().first(), QStringLiteral("/p/Eins.java"));
        QVERIFY(Action("N1")->isVisible());
    }

    void a_recent_file_item_opens_its_file() {
        const QString path = MakeFile(QStringLiteral("Hallo.java"), "h\r\n");
        inis.Files = {QStringLiteral("/nirgends/Weg.java"), path};
        OpenFileMenu();
        Recent(2)->trigger();
        QCOMPARE(form->SlotFile(1), path);
        Recent(1)->trigger();
        QCOMPARE(
            TextsOf(QStringLiteral("message")),
            QStringList{QStringLiteral("Datei konnte nicht geöffnet werden: /nirgends/Weg.java")});
        QCOMPARE(form->LastSlot(), 0);
        QCOMPARE(inis.Files[0], QStringLiteral("/nirgends/Weg.java"));
    }
};

QTEST_MAIN(TestDocumentClose)
#include "tst_documentclose.moc"
