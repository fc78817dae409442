// SPDX-License-Identifier: GPL-3.0-or-later
// A document made from a template takes the name it is first saved under:
// which lines follow, which names are left alone, and that the templates
// saved as Hallo.java really compile (and the application runs).
#include "Datei/TemplateNames.h"
#include "Datei/Templates.h"
#include "JavacRig.h"

#include <QProcess>
#include <QTemporaryDir>

using datei::FollowFileName;
using datei::TemplateNameChanges;
using datei::TLineChange;

class TestTemplateNames : public QObject {
    Q_OBJECT

private slots:
    void the_class_and_the_header_follow_the_file_name_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<TLineChange>>("changes");
        QTest::newRow("application")
            << datei::ApplicationTemplate()
            << QList<TLineChange>{{0, "// Application :  Hallo.java"}, {3, "public class Hallo {"}};
        QTest::newRow("applet") << datei::AppletTemplate()
                                << QList<TLineChange>{
                                       {0, "// Applet  :  Hallo.java"},
                                       {6, "public class Hallo extends java.applet.Applet {"}};
    }
    void the_class_and_the_header_follow_the_file_name() {
        QFETCH(QString, text);
        QFETCH(QList<TLineChange>, changes);
        const QString path = QStringLiteral("/home/anna/java/Hallo.java");
        QCOMPARE(TemplateNameChanges(text, path), changes);
        // Nothing else changes, line breaks included.
        QStringList expected = text.split(QStringLiteral("\r\n"));
        for (const TLineChange& change : changes)
            expected[change.Line] = change.Text;
        QCOMPARE(FollowFileName(text, path), expected.join(QStringLiteral("\r\n")));
    }

    void lines_the_user_changed_stay_as_they_are() {
        QString text = datei::ApplicationTemplate();
        text.replace(QStringLiteral("public class noname {"),
                     QStringLiteral("public class Test {"));
        QCOMPARE(TemplateNameChanges(text, QStringLiteral("/p/Hallo.java")),
                 (QList<TLineChange>{{0, "// Application :  Hallo.java"}}));
        // A blank added at the end of the header line makes it the user's too.
        text.replace(QStringLiteral("noname.java\r\n"), QStringLiteral("noname.java \r\n"));
        QVERIFY(TemplateNameChanges(text, QStringLiteral("/p/Hallo.java")).isEmpty());
        QCOMPARE(FollowFileName(text, QStringLiteral("/p/Hallo.java")), text);
    }

    void only_the_template_lines_change_and_only_the_first_of_each() {
        // "noname" elsewhere is the user's; LF and a last line without a break stay.
        const QString text = QStringLiteral("public class noname {\n\t// noname bleibt\n"
                                            "\tnoname n;\n}\npublic class noname {");
        QCOMPARE(FollowFileName(text, QStringLiteral("/p/Hallo.java")),
                 QStringLiteral("public class Hallo {\n\t// noname bleibt\n"
                                "\tnoname n;\n}\npublic class noname {"));
    }

    void a_name_that_is_no_java_class_changes_nothing_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("a blank") << "/p/mein programm.java";
        QTest::newRow("a leading digit") << "/p/3D.java";
        QTest::newRow("a keyword") << "/p/class.java";
        QTest::newRow("a literal") << "/p/true.java";
        QTest::newRow("a restricted name") << "/p/record.java";
        QTest::newRow("an underscore alone") << "/p/_.java";
        QTest::newRow("a hyphen") << "/p/mein-programm.java";
        QTest::newRow("a dot") << "/p/A.b.java";
        QTest::newRow("no .java") << "/p/Hallo.txt";
        QTest::newRow(".JAVA") << "/p/Hallo.JAVA";
        QTest::newRow("no name") << "/p/.java";
        QTest::newRow("still noname") << "/p/noname.java";
    }
    void a_name_that_is_no_java_class_changes_nothing() {
        QFETCH(QString, path);
        const QString text = datei::ApplicationTemplate();
        QVERIFY(TemplateNameChanges(text, path).isEmpty());
        QCOMPARE(FollowFileName(text, path), text);
    }

    void java_class_names_are_judged_as_javac_does_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "Hallo" << true;
        QTest::newRow("umlaut first") << "Übung" << true;
        QTest::newRow("digits after") << "Aufgabe3" << true;
        QTest::newRow("underscore and dollar") << "_Mein$Test" << true;
        QTest::newRow("Greek") << "Δelta" << true;
        QTest::newRow("a contextual keyword that is allowed") << "module" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("digit first") << "3D" << false;
        QTest::newRow("blank") << "Mein Test" << false;
        QTest::newRow("keyword") << "int" << false;
        QTest::newRow("var") << "var" << false;
        QTest::newRow("an emoji") << "Hallo😀" << false;
    }
    void java_class_names_are_judged_as_javac_does() {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(datei::IsJavaClassName(name), valid);
    }

    void the_templates_saved_as_hallo_compile_data() {
        QTest::addColumn<TJdk>("jdk");
        QTest::addColumn<bool>("applet");
        for (const TJdk& jdk : InstalledJdks()) {
            QTest::newRow(qPrintable(QStringLiteral("JDK %1 application").arg(jdk.Major)))
                << jdk << false;
            QTest::newRow(qPrintable(QStringLiteral("JDK %1 applet").arg(jdk.Major)))
                << jdk << true;
        }
    }
    void the_templates_saved_as_hallo_compile() {
        QFETCH(TJdk, jdk);
        QFETCH(bool, applet);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Hallo.java"));
        const QString text = applet ? datei::AppletTemplate() : datei::ApplicationTemplate();
        WriteFile(dir.path(), QStringLiteral("Hallo.java"), FollowFileName(text, path).toUtf8());
        const TJavacRun compile = CompileWith(jdk, path);
        QVERIFY2(compile.Run.Succeeded(), qPrintable(compile.Run.Text()));
        QVERIFY(!compile.List.Failed);
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("Hallo.class"))));
        if (applet)
            return;
        QProcess java;
        java.setStandardInputFile(QProcess::nullDevice());
        java.start(jdk.Dir + QStringLiteral("/bin/java"),
                   {QStringLiteral("-cp"), dir.path(), QStringLiteral("Hallo")});
        QVERIFY(java.waitForFinished(120000));
        QCOMPARE(java.exitCode(), 0);
        QCOMPARE(java.readAllStandardOutput().trimmed(), QByteArray("10"));
    }
};

QTEST_GUILESS_MAIN(TestTemplateNames)
#include "tst_templatenames.moc"
