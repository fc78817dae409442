// SPDX-License-Identifier: GPL-3.0-or-later
// What the window says about recovery.

#include "Recovery/RecoveryTexts.h"

#include <QtTest>

using namespace recovery;

namespace {

TLeftover Left(const QString& file, TDiskState disk) {
    TLeftover leftover;
    leftover.Copy.File = file;
    leftover.Disk = disk;
    return leftover;
}

const QString Opening =
    QStringLiteral("Kodiwerk wurde nicht ordnungsgemäß beendet. Ungesicherte Änderungen an ");

} // namespace

class TestRecoveryTexts : public QObject {
    Q_OBJECT

private slots:
    void one_document_is_named_in_the_question() {
        const QString text = RestoreQuestion(
            {Left(QStringLiteral("/home/anna/Hallo.java"), TDiskState::Unchanged)}, 5);
        QCOMPARE(text, Opening + QStringLiteral("/home/anna/Hallo.java wiederherstellen?\n\n"
                                                "Mit „Nein“ werden die Sicherungen gelöscht."));
    }

    void several_documents_are_listed_with_what_became_of_their_files() {
        const QString text =
            RestoreQuestion({Left(QStringLiteral("/p/A.java"), TDiskState::Unchanged),
                             Left(QStringLiteral("noname.java"), TDiskState::NoFile),
                             Left(QStringLiteral("/p/B.java"), TDiskState::Changed),
                             Left(QStringLiteral("/p/C.java"), TDiskState::Gone)},
                            5);
        QVERIFY(text.startsWith(Opening + QStringLiteral("4 Dokumenten wiederherstellen?\n\n")));
        const QStringList lines = text.split(u'\n');
        QCOMPARE(lines.mid(2, 4),
                 (QStringList{"/p/A.java", "noname.java (neu, noch ohne Namen)",
                              "/p/B.java (inzwischen von einem anderen Programm geändert)",
                              "/p/C.java (die Datei gibt es nicht mehr)"}));
        QVERIFY(text.contains(QStringLiteral(
            "Die Dateien auf der Festplatte bleiben, wie sie sind, bis Sie speichern.")));
        QVERIFY(!text.contains(QStringLiteral("Seite")));
    }

    void documents_beyond_the_free_slots_are_said_to_come_again() {
        QList<TLeftover> seven;
        for (int i = 0; i < 7; ++i)
            seven << Left(QStringLiteral("/p/D%1.java").arg(i), TDiskState::Unchanged);
        QVERIFY(RestoreQuestion(seven, 5).contains(QStringLiteral(
            "Es sind nur 5 Seiten frei. Die übrigen Dokumente werden beim nächsten Start wieder "
            "angeboten.")));
        QVERIFY(RestoreQuestion(seven, 1).contains(QStringLiteral("Es ist nur eine Seite frei.")));
        QVERIFY(!RestoreQuestion(seven, 5).contains(QStringLiteral("Festplatte")));
        QCOMPARE(KeptForLaterNote(seven.mid(5)),
                 QStringLiteral("Für diese Dokumente war keine Seite mehr frei:\n\n/p/D5.java\n"
                                "/p/D6.java\n\nIhre Sicherungen bleiben erhalten und werden beim "
                                "nächsten Start wieder angeboten."));
    }

    void copies_set_aside_say_where_they_are() {
        const QString text =
            SetAsideNote({{QStringLiteral("/p/A.java"), QStringLiteral("/s/damaged/1.copy"), true},
                          {QString(), QStringLiteral("/s/damaged/2.copy"), true},
                          {QString(), QStringLiteral("/s/r/3.copy"), false}});
        QCOMPARE(text.split(QStringLiteral("\n\n")),
                 (QStringList{"Die Sicherung von /p/A.java ist beschädigt und kann nicht "
                              "wiederhergestellt werden. Sie liegt jetzt hier: /s/damaged/1.copy",
                              "Eine Sicherung ist beschädigt und kann nicht wiederhergestellt "
                              "werden. Sie liegt jetzt hier: /s/damaged/2.copy",
                              "Eine Sicherung kann nicht gelesen werden. Sie bleibt hier: "
                              "/s/r/3.copy"}));
    }

    void a_file_changed_on_disk_and_an_unwritable_folder_are_explained() {
        QCOMPARE(ChangedOnDiskNote(Left(QStringLiteral("/p/B.java"), TDiskState::Changed)),
                 QStringLiteral("Die Datei /p/B.java wurde inzwischen von einem anderen Programm "
                                "geändert. Die Seite zeigt Ihren wiederhergestellten Text; die "
                                "Datei bleibt, wie sie ist, bis Sie speichern."));
        QVERIFY(ChangedOnDiskNote(Left(QStringLiteral("/p/C.java"), TDiskState::Gone))
                    .startsWith(QStringLiteral("Die Datei /p/C.java gibt es nicht mehr.")));
        QVERIFY(UnwritableNote(QStringLiteral("/home/anna/.local/state/quorndel/Kodiwerk/recovery"))
                    .startsWith(QStringLiteral("Kodiwerk kann im Ordner "
                                               "/home/anna/.local/state/quorndel/Kodiwerk/recovery "
                                               "keine Sicherungen")));
    }
};

QTEST_APPLESS_MAIN(TestRecoveryTexts)
#include "tst_recoverytexts.moc"
