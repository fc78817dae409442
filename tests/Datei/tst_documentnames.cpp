// SPDX-License-Identifier: GPL-3.0-or-later
// Names around a document: extensions, the backup name, the ".jav" repair,
// the command-line test, the recent-file list and the two templates.
#include "Datei/DocumentNames.h"
#include "Datei/Templates.h"

#include <QtTest>

using Files = std::array<QString, 5>;
Q_DECLARE_METATYPE(Files)

class TestDocumentNames : public QObject {
    Q_OBJECT

private slots:
    void names_are_judged_by_the_last_dot_of_the_file_name_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("backup");
        QTest::newRow("java") << "/p/Hallo.java"
                              << ".java"
                              << "/p/Hallo.jav_";
        QTest::newRow("two dots") << "/p/a.b.java"
                                  << ".java"
                                  << "/p/a.b.jav_";
        QTest::newRow("no extension") << "/p/Makefile"
                                      << ""
                                      << "/p/Makefile.jav_";
        QTest::newRow("dot in directory only") << "/p.d/Hallo"
                                               << ""
                                               << "/p.d/Hallo.jav_";
        QTest::newRow("trailing dot") << "/p/Hallo."
                                      << "."
                                      << "/p/Hallo.jav_";
        QTest::newRow("relative") << "Hallo.JAVA"
                                  << ".JAVA"
                                  << "Hallo.jav_";
    }
    void names_are_judged_by_the_last_dot_of_the_file_name() {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QFETCH(QString, backup);
        QCOMPARE(datei::FileExtension(path), extension);
        QCOMPARE(datei::BackupName(path), backup);
    }

    void only_an_exact_jav_extension_is_completed_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::newRow("jav") << "/p/Hallo.jav"
                             << "/p/Hallo.java";
        QTest::newRow("JAV") << "/p/Hallo.JAV"
                             << "/p/Hallo.JAV";
        QTest::newRow("java") << "/p/Hallo.java"
                              << "/p/Hallo.java";
        QTest::newRow("jav in directory") << "/p.jav/Hallo"
                                          << "/p.jav/Hallo";
        QTest::newRow("javx") << "/p/Hallo.javx"
                              << "/p/Hallo.javx";
    }
    void only_an_exact_jav_extension_is_completed() {
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QCOMPARE(datei::CompleteJavaExtension(chosen), stored);
    }

    void a_command_line_argument_must_end_in_dot_java_exactly_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("opened");
        QTest::newRow("java") << "/p/Hallo.java" << true;
        QTest::newRow("JAVA") << "/p/Hallo.JAVA" << false;
        QTest::newRow("jav") << "/p/Hallo.jav" << false;
        QTest::newRow("java then more") << "/p/Hallo.java.txt" << false;
        QTest::newRow("none") << "" << false;
        QTest::newRow("directory named java") << "/p.java/Hallo" << false;
    }
    void a_command_line_argument_must_end_in_dot_java_exactly() {
        QFETCH(QString, argument);
        QFETCH(bool, opened);
        QCOMPARE(datei::IsJavaSourceArgument(argument), opened);
    }

    void recent_files_put_new_paths_first_and_keep_known_ones_in_place_data() {
        QTest::addColumn<Files>("before");
        QTest::addColumn<QString>("path");
        QTest::addColumn<Files>("after");
        QTest::newRow("into an empty list") << Files{} << "/p/A.java" << Files{"/p/A.java"};
        QTest::newRow("known entry keeps its place")
            << Files{"/p/A.java", "/p/B.java"} << "/p/B.java" << Files{"/p/A.java", "/p/B.java"};
        QTest::newRow("case makes another entry")
            << Files{"/p/A.java"} << "/p/a.java" << Files{"/p/a.java", "/p/A.java"};
        QTest::newRow("sixth drops the oldest")
            << Files{"1", "2", "3", "4", "5"} << "6" << Files{"6", "1", "2", "3", "4"};
        QTest::newRow("gaps move along") << Files{"", "", "3"} << "n" << Files{"n", "", "", "3"};
    }
    void recent_files_put_new_paths_first_and_keep_known_ones_in_place() {
        QFETCH(Files, before);
        QFETCH(QString, path);
        QFETCH(Files, after);
        datei::AddRecentFile(before, path);
        QCOMPARE(QStringList(before.begin(), before.end()),
                 QStringList(after.begin(), after.end()));
    }

    void templates_have_their_lines_and_end_with_a_line_break_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("application")
            << datei::ApplicationTemplate() << 20 << "// Application :  noname.java"
            << "} // application";
        QTest::newRow("applet") << datei::AppletTemplate() << 33 << "// Applet  :  noname.java"
                                << "} // Applet";
    }
    void templates_have_their_lines_and_end_with_a_line_break() {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n|\r[^\n]"))));
        const QStringList split = text.split(QStringLiteral("\r\n"));
        QCOMPARE(split.size(), lines + 1); // after the last break: nothing
        QCOMPARE(split.first(), first);
        QCOMPARE(split.at(lines - 1), last);
        for (const QString& line : split)
            if (line.trimmed().isEmpty())
                QCOMPARE(line, QString()); // empty lines hold no tabs
    }

    void template_lines_keep_their_tabs_umlauts_and_typos_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        const QString app = datei::ApplicationTemplate();
        const QString applet = datei::AppletTemplate();
        QTest::newRow("main") << app << 7 << "\tpublic static void main(String[] args) {";
        QTest::newRow("println") << app << 16 << "\t\tSystem.out.println(i);";
        QTest::newRow("end of main") << app << 18 << "\t} // main";
        QTest::newRow("class") << applet << 7 << "public class noname extends java.applet.Applet {";
        QTest::newRow("typo kept")
            << applet << 15 << "\t\t// Erzeugung und Initalisierung von Objekten";
        QTest::newRow("quotes") << applet << 16 << "\t\tknopf = new Button (\"Klick mich!\");";
        QTest::newRow("umlauts") << applet << 21
                                 << QString::fromUtf8("\t\t// Ereignisempfänger hinzufügen");
        QTest::newRow("four tabs") << applet << 26 << "\t\t\t\tknopf.setLabel (\"Danke\");";
        QTest::newRow("three tabs") << applet << 28 << "\t\t\t}";
    }
    void template_lines_keep_their_tabs_umlauts_and_typos() {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, expected);
        QCOMPARE(text.split(QStringLiteral("\r\n")).at(line - 1), expected);
    }
};

QTEST_APPLESS_MAIN(TestDocumentNames)
#include "tst_documentnames.moc"
