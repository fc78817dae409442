// SPDX-License-Identifier: GPL-3.0-or-later
// The directory chooser through the options dialog's folder buttons, over
// real directories: the list, the JDK picture following the navigation, OK
// and Abbruch, a missing directory, and the installations of the machine.
#include "../Option/DialogRig.h"
#include "Base/KodiwerkError.h"
#include "DirList/DirectoryListBox.h"

#include <QLabel>
#include <QSignalSpy>

namespace {
const QString Jdk17 = QStringLiteral("/usr/lib/jvm/java-17-openjdk-amd64");
const QString Jdk25 = QStringLiteral("/usr/lib/jvm/temurin-25-jdk-amd64");
} // namespace

class TestDirListForm : public DialogRig {
    Q_OBJECT

    static QStringList Entries(QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    static QListWidgetItem* Entry(QListWidget* list, const QString& text) {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == text)
                return list->item(i);
        qFatal("no entry %s", qPrintable(text));
    }
    // A double-click as the window system delivers it: press and release, then
    // the double-click.
    static void DoubleClick(QListWidget* list, QListWidgetItem* item) {
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    // Opens an entry of the directory list with a double-click, as the user does.
    static void Open(TDirListForm* chooser, const QString& text) {
        TDirectoryListBox* list = chooser->DirectoryListBox();
        QListWidgetItem* item = Entry(list, text);
        list->scrollToItem(item);
        DoubleClick(list, item);
    }
    static QListWidgetItem* FoundEntry(TDirListForm* chooser, const QString& dir) {
        QListWidget* found = chooser->LB_Jdks();
        for (int i = 0; i < found->count(); ++i)
            if (found->item(i)->toolTip() == QDir::toNativeSeparators(dir))
                return found->item(i);
        return nullptr;
    }

private slots:
    void init() { StartBoth(); }
    void cleanup() { Stop(); }

    void the_chooser_hands_back_the_directory_taken_and_nothing_for_abbruch() {
        QCOMPARE(dirList->windowTitle(), QStringLiteral("Kodiwerk - Verzeichnis"));
        QVERIFY(!dirList->JdkChoice);
        const QString start = MakeDir(QStringLiteral("start/unter"));
        QStringList listed;
        prompts.OnModal = [&](QDialog* dialog) {
            listed << qobject_cast<TDirListForm*>(dialog)->DirectoryListBox()->Directory();
            return listed.size() == 1 ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        QCOMPARE(dirList->Choose(start, dirlist::TDirField::Jdk),
                 std::optional<QString>(QDir::toNativeSeparators(start)));
        QVERIFY(dirList->JdkChoice);
        // An empty start leaves the list where it was; Abbruch hands back nothing.
        QCOMPARE(dirList->Choose(QString(), dirlist::TDirField::Project), std::nullopt);
        QVERIFY(!dirList->JdkChoice);
        QCOMPARE(listed, QStringList({start, start}));
        // A start that is no directory shows nothing and fails with the general error.
        QVERIFY_THROWS_EXCEPTION(EKodiwerkError, dirList->Choose(start + QStringLiteral("/fehlt"),
                                                                 dirlist::TDirField::Project));
        QCOMPARE(prompts.CallsOf("modal").size(), 2);
    }

    void list_shows_the_path_from_the_root_and_the_subdirectories() {
        const QString base = MakeDir(QStringLiteral("a/b"));
        MakeDir(QStringLiteral("a/b/Zeta"));
        MakeDir(QStringLiteral("a/b/alpha"));
        MakeDir(QStringLiteral("a/b/.versteckt"));
        TDirectoryListBox* list = dirList->DirectoryListBox();
        QSignalSpy changes(list, &TDirectoryListBox::Change);

        dirList->SetListDirectory(base + QStringLiteral("/"));
        QCOMPARE(list->Directory(), base); // no trailing separator
        QCOMPARE(changes.size(), 1);
        QStringList expected{QStringLiteral("/")};
        expected << base.split(u'/', Qt::SkipEmptyParts) << QStringLiteral("alpha")
                 << QStringLiteral("Zeta");
        QCOMPARE(Entries(list), expected);
        QCOMPARE(TDirectoryListBox::EntryPath(list->currentItem()), base);

        dirList->SetListDirectory(base);
        QCOMPARE(changes.size(), 1); // the same directory is no change

        dirList->show();
        QVERIFY(QTest::qWaitForWindowExposed(dirList.get()));
        Open(dirList.get(), QStringLiteral("alpha"));
        QCOMPARE(list->Directory(), base + QStringLiteral("/alpha"));
        QCOMPARE(changes.size(), 2);
        // Enter opens the current entry and does not close the chooser.
        list->setCurrentItem(Entry(list, QStringLiteral("a")));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->Directory(), QFileInfo(base).absolutePath());
        QVERIFY(dirList->isVisible());
        Open(dirList.get(), QStringLiteral("/"));
        QCOMPARE(list->Directory(), QStringLiteral("/"));
    }

    void an_entry_removed_since_it_was_listed_leaves_the_list_on_what_is_there() {
        const QString base = MakeDir(QStringLiteral("bleibt"));
        const QString gone = MakeDir(QStringLiteral("bleibt/weg"));
        dirList->SetListDirectory(base);
        dirList->show();
        QVERIFY(QTest::qWaitForWindowExposed(dirList.get()));
        QVERIFY(QDir(gone).removeRecursively());
        Open(dirList.get(), QStringLiteral("weg"));
        QCOMPARE(dirList->DirectoryListBox()->Directory(), base);
        QVERIFY(!Entries(dirList->DirectoryListBox()).contains(QStringLiteral("weg")));
    }

    void jdk_picture_follows_the_navigation_into_and_out_of_bin_data() {
        QTest::addColumn<QString>("jdk");
        QTest::newRow("fake JDK") << QString();
        QTest::newRow("JDK 17 of the machine") << Jdk17;
        QTest::newRow("JDK 25 of the machine") << Jdk25;
    }
    void jdk_picture_follows_the_navigation_into_and_out_of_bin() {
        QFETCH(QString, jdk);
        if (jdk.isEmpty())
            jdk = MakeDir(QStringLiteral("jdk1.3"), true);
        QVERIFY2(QFileInfo(jdk + QStringLiteral("/bin/javac")).isFile(), qPrintable(jdk));
        QVERIFY(ShowOptions());
        options->E_JdkDir()->setText(jdk);
        QList<bool> shown;
        WhileChooserShown([&](TDirListForm* chooser) {
            QVERIFY(chooser->JdkChoice);
            shown << chooser->I_Confirm()->isVisible();
            Open(chooser, QStringLiteral("bin"));
            shown << chooser->I_Confirm()->isVisible();
            Open(chooser, QDir(jdk).dirName());
            shown << chooser->I_Confirm()->isVisible();
            Click(chooser, "B_Cancel");
        });
        ClickOpt("B_JDK");
        QCOMPARE(prompts.CallsOf("modal").size(), 1);
        QCOMPARE(shown, QList<bool>({true, false, true}));
        QCOMPARE(options->E_JdkDir()->text(), jdk); // Abbruch writes nothing
    }

    void for_the_project_field_the_picture_shows_everywhere() {
        const QString project = MakeDir(QStringLiteral("projekt/unter"));
        QVERIFY(ShowOptions());
        options->E_ProjektDir()->setText(project);
        QList<bool> shown;
        WhileChooserShown([&](TDirListForm* chooser) {
            QVERIFY(!chooser->JdkChoice);
            QVERIFY(!chooser->LB_Jdks()->isVisible());
            shown << chooser->I_Confirm()->isVisible();
            Open(chooser, QStringLiteral("unter"));
            shown << chooser->I_Confirm()->isVisible();
            chooser->close();
        });
        ClickOpt("B_Projekt");
        QCOMPARE(shown, QList<bool>({true, true}));
        QCOMPARE(options->E_ProjektDir()->text(), project); // the close box writes nothing
    }

    void ok_writes_the_listed_directory_into_its_field_whatever_the_picture_shows_data() {
        QTest::addColumn<bool>("jdkField");
        QTest::newRow("JDK field") << true;
        QTest::newRow("project field") << false;
    }
    void ok_writes_the_listed_directory_into_its_field_whatever_the_picture_shows() {
        QFETCH(bool, jdkField);
        const QString noCompiler = MakeDir(QStringLiteral("leer"));
        MakeDir(QStringLiteral("leer/bin"));
        QVERIFY(ShowOptions());
        QLineEdit* chosenField = jdkField ? options->E_JdkDir() : options->E_ProjektDir();
        QLineEdit* otherField = jdkField ? options->E_ProjektDir() : options->E_JdkDir();
        chosenField->setText(noCompiler);
        const QString other = otherField->text();
        bool pictureShown = true;
        WhileChooserShown([&](TDirListForm* chooser) {
            Open(chooser, QStringLiteral("bin"));
            pictureShown = chooser->I_Confirm()->isVisible();
            Click(chooser, "B_OK");
        });
        ClickOpt(jdkField ? "B_JDK" : "B_Projekt");
        QCOMPARE(pictureShown, !jdkField);
        QCOMPARE(chosenField->text(), noCompiler + QStringLiteral("/bin"));
        QCOMPARE(otherField->text(), other);
        QCOMPARE(inis.JdkDir, StoredRecord().JdkDir); // only the options dialog's OK stores
        QCOMPARE(inis.ProjectDir, StoredRecord().ProjectDir);
    }

    void a_field_naming_no_directory_gives_the_error_box_and_no_chooser_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("missing directory") << QStringLiteral("/gibt/es/nicht");
        QTest::newRow("a file") << QStringLiteral("/etc/hostname");
    }
    void a_field_naming_no_directory_gives_the_error_box_and_no_chooser() {
        QFETCH(QString, text);
        QVERIFY(ShowOptions());
        options->E_JdkDir()->setText(text);
        ClickOpt("B_JDK");
        QCOMPARE(prompts.CallsOf("error").size(), 1);
        QCOMPARE(prompts.CallsOf("error")[0].Text, QStringLiteral("Datei nicht gefunden"));
        QVERIFY(prompts.CallsOf("modal").isEmpty());
        QCOMPARE(options->E_JdkDir()->text(), text);
    }

    void an_empty_field_leaves_the_list_where_it_was() {
        const QString earlier = MakeDir(QStringLiteral("vorher"));
        dirList->SetListDirectory(earlier);
        QVERIFY(ShowOptions());
        options->E_ProjektDir()->clear();
        QString listed;
        WhileChooserShown(
            [&](TDirListForm* chooser) { listed = chooser->DirectoryListBox()->Directory(); });
        ClickOpt("B_Projekt");
        QCOMPARE(listed, earlier);
        QVERIFY(prompts.CallsOf("error").isEmpty());
    }

    void the_machines_jdks_are_one_click_away_newest_first() {
        QVERIFY(ShowOptions());
        options->E_JdkDir()->setText(dir->path());
        QStringList order;
        QString listedAfterClick;
        bool pictureAfterClick = false;
        WhileChooserShown([&](TDirListForm* chooser) {
            QVERIFY(chooser->LB_Jdks()->isVisible());
            QListWidgetItem* jdk17 = FoundEntry(chooser, Jdk17);
            QListWidgetItem* jdk25 = FoundEntry(chooser, Jdk25);
            QVERIFY(jdk17 && jdk25);
            QVERIFY(chooser->LB_Jdks()->row(jdk25) < chooser->LB_Jdks()->row(jdk17));
            for (QListWidgetItem* item : {jdk17, jdk25})
                QCOMPARE(item->data(Qt::AccessibleDescriptionRole).toString(),
                         QStringLiteral("JDK gefunden"));
            QVERIFY(!chooser->I_Confirm()->isVisible()); // the temporary directory has no compiler
            QListWidget* found = chooser->LB_Jdks();
            QTest::mouseClick(found->viewport(), Qt::LeftButton, {},
                              found->visualItemRect(jdk17).center());
            listedAfterClick = chooser->DirectoryListBox()->Directory();
            pictureAfterClick = chooser->I_Confirm()->isVisible();
            Click(chooser, "B_OK");
        });
        ClickOpt("B_JDK");
        QCOMPARE(listedAfterClick, Jdk17);
        QVERIFY(pictureAfterClick);
        QCOMPARE(options->E_JdkDir()->text(), Jdk17);
    }

    void a_double_click_on_a_found_jdk_takes_it_at_once() {
        QVERIFY(ShowOptions());
        int result = -1;
        WhileChooserShown([&](TDirListForm* chooser) {
            QListWidget* found = chooser->LB_Jdks();
            QListWidgetItem* jdk25 = FoundEntry(chooser, Jdk25);
            QVERIFY(jdk25);
            DoubleClick(found, jdk25);
            QVERIFY(!chooser->isVisible());
            result = chooser->result();
        });
        ClickOpt("B_JDK");
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(options->E_JdkDir()->text(), Jdk25);
    }

    void a_found_jdk_gone_before_the_click_gives_the_error_box_and_the_list_stays() {
        const QString jdk = MakeDir(QStringLiteral("jvm/jdk-21"), true);
        const QString stay = MakeDir(QStringLiteral("bleibt"));
        dirList->FindJdks = [jdk] {
            dirlist::TFoundJdk found;
            found.Dir = jdk;
            found.HasCompiler = true;
            return QList<dirlist::TFoundJdk>{found};
        };
        QVERIFY(ShowOptions());
        options->E_JdkDir()->setText(stay);
        QString listed;
        WhileChooserShown([&](TDirListForm* chooser) {
            QListWidgetItem* found = FoundEntry(chooser, jdk);
            QVERIFY(found);
            QVERIFY(QDir(jdk).removeRecursively());
            QTest::mouseClick(chooser->LB_Jdks()->viewport(), Qt::LeftButton, {},
                              chooser->LB_Jdks()->visualItemRect(found).center());
            listed = chooser->DirectoryListBox()->Directory();
            Click(chooser, "B_Cancel");
        });
        ClickOpt("B_JDK");
        QCOMPARE(prompts.CallsOf("error").size(), 1);
        QCOMPARE(prompts.CallsOf("error")[0].Text, QStringLiteral("Datei nicht gefunden"));
        QCOMPARE(listed, stay);
        QCOMPARE(options->E_JdkDir()->text(), stay);
    }
};

QTEST_MAIN(TestDirListForm)
#include "tst_dirlistform.moc"
