// SPDX-License-Identifier: GPL-3.0-or-later
// Where the open and save dialogs start for a user who has set no project
// directory: a folder of their own in the home folder, made on first use.
#include "Datei/FirstStart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestDialogFolder : public QObject {
    Q_OBJECT

    QTemporaryDir home;

private slots:
    void a_project_directory_set_is_the_folder_as_it_stands() {
        QCOMPARE(datei::DialogFolder(QStringLiteral("/gibt/es/nicht"), home.path()),
                 QStringLiteral("/gibt/es/nicht"));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("Kodiwerk"))));
    }

    void without_one_the_users_own_folder_is_made_on_first_use_and_kept() {
        const QString own = home.filePath(QStringLiteral("Kodiwerk"));
        QCOMPARE(datei::DialogFolder(QString(), home.path()), own);
        QVERIFY(QFileInfo(own).isDir());
        QFile mine(own + QStringLiteral("/Hallo.java"));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.close();
        QCOMPARE(datei::DialogFolder(QString(), home.path()), own);
        QVERIFY(QFileInfo::exists(own + QStringLiteral("/Hallo.java")));
    }

    void where_that_folder_cannot_be_made_the_home_folder_itself() {
        QTemporaryDir other;
        QFile blocking(other.filePath(QStringLiteral("Kodiwerk")));
        QVERIFY(blocking.open(QIODevice::WriteOnly)); // a file of that name
        blocking.close();
        QCOMPARE(datei::DialogFolder(QString(), other.path()), other.path());
    }

    void the_real_home_is_used_by_default() {
        qputenv("HOME", home.path().toLocal8Bit());
        QCOMPARE(datei::DialogFolder(QString()), home.filePath(QStringLiteral("Kodiwerk")));
    }
};

QTEST_APPLESS_MAIN(TestDialogFolder)
#include "tst_dialogfolder.moc"
