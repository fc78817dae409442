// SPDX-License-Identifier: GPL-3.0-or-later
// The files named on the command line: up to five existing ".java" files are
// opened, and every other argument gets a reason that names it.
#include "Datei/CommandLineFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandLineFiles : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString Make(const QString& name) {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write a test file");
        return path;
    }
    static QString NotOpened(const QString& argument, const QString& why) {
        return QStringLiteral("„%1“ wurde nicht geöffnet: %2").arg(argument, why);
    }

private slots:
    void up_to_five_files_are_opened_and_the_rest_is_named_with_its_reason() {
        QStringList arguments;
        for (int n = 1; n <= 6; ++n)
            arguments << Make(QStringLiteral("P%1.java").arg(n));
        const datei::TCommandLineFiles files = datei::CommandLineFiles(arguments, dir.path());
        QCOMPARE(files.Open, arguments.mid(0, 5));
        QCOMPARE(files.Refused,
                 QStringList{NotOpened(arguments[5], QStringLiteral("Es können höchstens 5 "
                                                                    "Dateien zugleich offen "
                                                                    "sein."))});
        QCOMPARE(files.Message(), files.Refused.first());
    }

    void missing_files_and_other_names_are_refused_each_with_its_name() {
        const QString hallo = Make(QStringLiteral("Hallo.java"));
        Make(QStringLiteral("Notiz.txt"));
        Make(QStringLiteral("Gross.JAVA"));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("Ordner.java"))));
        const QString second = Make(QStringLiteral("unter/Zwei.java"));
        const datei::TCommandLineFiles files = datei::CommandLineFiles(
            {QStringLiteral("Fehlt.java"), QStringLiteral("Hallo.java"),
             QStringLiteral("Notiz.txt"), QString(), QStringLiteral("Gross.JAVA"),
             QStringLiteral("Ordner.java"), QStringLiteral("unter/../unter/Zwei.java")},
            dir.path());
        // Relative names are taken from the working directory, and made whole.
        QCOMPARE(files.Open, (QStringList{hallo, second}));
        const QString noJava =
            QStringLiteral("Kodiwerk öffnet nur Java-Dateien mit der Endung .java.");
        QCOMPARE(files.Refused,
                 (QStringList{NotOpened("Fehlt.java", QStringLiteral("Diese Datei gibt es nicht.")),
                              NotOpened("Notiz.txt", noJava), NotOpened("Gross.JAVA", noJava),
                              NotOpened("Ordner.java", QStringLiteral("Das ist keine Datei."))}));
        QCOMPARE(files.Message(), files.Refused.join('\n'));
    }

    void refused_files_leave_room_for_later_ones_and_nothing_is_refused_without_arguments() {
        QStringList arguments{QStringLiteral("/gibt/es/nicht.java")};
        for (int n = 1; n <= 5; ++n)
            arguments << Make(QStringLiteral("Q%1.java").arg(n));
        const datei::TCommandLineFiles files = datei::CommandLineFiles(arguments, dir.path());
        QCOMPARE(files.Open, arguments.mid(1));
        QCOMPARE(files.Refused.size(), 1);

        const datei::TCommandLineFiles none = datei::CommandLineFiles({}, dir.path());
        QVERIFY(none.Open.isEmpty());
        QVERIFY(none.Message().isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestCommandLineFiles)
#include "tst_commandlinefiles.moc"
