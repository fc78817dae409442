// SPDX-License-Identifier: GPL-3.0-or-later
// The files a launch writes beside the source: class name, launch script,
// applet page and viewer command; the script run for real with the machine's JDKs.
#include "Datei/LaunchFiles.h"
#include "DosCall/ProcessSetup.h"
#include "LaunchRig.h"

#include <QTemporaryDir>
#include <QtTest>

using datei::TLaunchFileResult;
using datei::TLaunchPlatform;

Q_DECLARE_METATYPE(TLaunchPlatform)

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

const QString Prompt = QStringLiteral("Weiter mit der Eingabetaste . . . ");

// Sets environment variables (an empty value: unset) while it lives.
class TLocaleVariables {
public:
    explicit TLocaleVariables(const QList<std::pair<const char*, QByteArray>>& values) {
        for (const auto& [name, value] : values) {
            Saved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
            Set(name, !value.isEmpty(), value);
        }
    }
    ~TLocaleVariables() {
        for (const TSaved& saved : Saved)
            Set(saved.Name, saved.WasSet, saved.Value);
    }

private:
    struct TSaved {
        const char* Name;
        bool WasSet;
        QByteArray Value;
    };
    static void Set(const char* name, bool set, const QByteArray& value) {
        if (set)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    QList<TSaved> Saved;
};

} // namespace

class TestLaunchFiles : public QObject {
    Q_OBJECT

private slots:
    void class_name_drops_only_the_last_dot_part_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("className");
        QTest::newRow("java") << "/home/p/Hallo.java"
                              << "Hallo";
        QTest::newRow("several dots") << "/home/p/A.b.c.java"
                                      << "A.b.c";
        QTest::newRow("dot in directory only") << "/home/p.d/Hallo"
                                               << "Hallo";
        QTest::newRow("relative") << "noname.java"
                                  << "noname";
        QTest::newRow("blank and umlaut") << "/home/Mein Ordner ä/Grüße.java"
                                          << "Grüße";
    }
    void class_name_drops_only_the_last_dot_part() {
        QFETCH(QString, path);
        QFETCH(QString, className);
        QCOMPARE(datei::ClassName(path), className);
    }

    void launch_script_has_the_lines_of_its_platform_data() {
        QTest::addColumn<TLaunchPlatform>("platform");
        QTest::addColumn<QString>("jdkDir");
        QTest::addColumn<bool>("rWinMin");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines");
        const QStringList batch{"@echo off", "C:\\jdk1.3\\bin\\java.exe Hallo", "echo.", "echo."};
        QTest::newRow("batch, waits") << TLaunchPlatform::Windows << "C:\\jdk1.3" << false
                                      << "Hallo.bat" << (batch + QStringList{"pause"});
        QTest::newRow("batch, minimised")
            << TLaunchPlatform::Windows << "C:\\jdk1.3" << true << "Hallo.bat" << batch;
        const QStringList shell{"#!/bin/sh", "'/opt/jdk/bin/java' 'Hallo'", "echo", "echo"};
        QTest::newRow("shell, waits")
            << TLaunchPlatform::Unix << "/opt/jdk" << false << "Hallo.sh"
            << (shell + QStringList{"printf '%s' '" + Prompt + "'; read -r _"});
        QTest::newRow("shell, minimised")
            << TLaunchPlatform::Unix << "/opt/jdk" << true << "Hallo.sh" << shell;
        QTest::newRow("shell, blank and quote in the JDK path")
            << TLaunchPlatform::Unix << "/opt/Peter's JDK" << true << "Hallo.sh"
            << QStringList{"#!/bin/sh", "'/opt/Peter'\\''s JDK/bin/java' 'Hallo'", "echo", "echo"};
    }
    void launch_script_has_the_lines_of_its_platform() {
        QFETCH(TLaunchPlatform, platform);
        QFETCH(QString, jdkDir);
        QFETCH(bool, rWinMin);
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        QCOMPARE(datei::LaunchScriptName("Hallo", platform), name);
        QCOMPARE(datei::LaunchScriptLines(jdkDir, "Hallo", rWinMin, platform), lines);
    }

    void page_embeds_the_class_and_is_signed_in_the_users_formats_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("appletLine");
        QTest::addColumn<QString>("signature");
        QTest::newRow("German, 640 x 480")
            << "de_DE" << 640 << 480 << "<APPLET code=Hallo.class width=640 height=480></APPLET>"
            << "15.03.04 09:41:07";
        QTest::newRow("American, default size")
            << "en_US" << 400 << 400 << "<APPLET code=Hallo.class width=400 height=400></APPLET>"
            << "3/15/04 9:41:07 AM";
    }
    void page_embeds_the_class_and_is_signed_in_the_users_formats() {
        QFETCH(QString, locale);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, appletLine);
        QFETCH(QString, signature);
        // Qt's long time format would name the zone; the page shows the time only.
        const QDateTime now(QDate(2004, 3, 15), QTime(9, 41, 7));
        const QStringList expected{
            "<HTML>",  "<HEAD><TITLE>Hallo</TITLE></HEAD>",
            "<BODY>",  appletLine,
            "<HR>",    "<A HREF=\"Hallo.java\">Java-Klasse</A> vom " + signature,
            "</BODY>", "</HTML>",
        };
        QCOMPARE(datei::AppletPageLines("Hallo", width, height, now, QLocale(locale)), expected);
        QCOMPARE(datei::AppletPageName("Hallo"), QStringLiteral("Hallo.html"));
    }

    void viewer_command_line_names_the_page_without_quotes() {
        QCOMPARE(datei::ViewerCommandLine("C:\\jdk1.3", "Hallo", TLaunchPlatform::Windows),
                 QStringLiteral("C:\\jdk1.3\\bin\\appletviewer.exe Hallo.html"));
        QCOMPARE(datei::ViewerCommandLine("/opt/jdk", "A.b", TLaunchPlatform::Unix),
                 QStringLiteral("/opt/jdk/bin/appletviewer A.b.html"));
    }

    void files_are_written_beside_the_source_with_the_platforms_line_ends_data() {
        QTest::addColumn<TLaunchPlatform>("platform");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Unix") << TLaunchPlatform::Unix << QByteArray("eins\nzwei ä\n");
        QTest::newRow("Windows") << TLaunchPlatform::Windows << QByteArray("eins\r\nzwei ä\r\n");
    }
    void files_are_written_beside_the_source_with_the_platforms_line_ends() {
        QFETCH(TLaunchPlatform, platform);
        QFETCH(QByteArray, bytes);
        QTemporaryDir tmp;
        const QString dir = tmp.filePath("Mein Ordner ä");
        QVERIFY(QDir().mkpath(dir));
        const QString script = QDir(dir).filePath("Hallo.sh");
        QVERIFY(WriteUtf8(script, QString(200, QLatin1Char('x'))));

        QCOMPARE(datei::WriteBesideSource(QDir(dir).filePath("Hallo.java"), "Hallo.sh",
                                          {"eins", "zwei ä"}, platform),
                 TLaunchFileResult::Written);
        QCOMPARE(ReadBytes(script), bytes);
        // The launch starts the script in the source's directory.
        QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(),
                 QFileInfo(dir).canonicalFilePath());
    }

    void an_earlier_launch_keeps_reading_the_script_it_started_with() {
        QTemporaryDir tmp;
        const QString script = tmp.filePath("Hallo.sh");
        QVERIFY(WriteUtf8(script, "alt\n"));
        QFile running(script);
        QVERIFY(running.open(QIODevice::ReadOnly));
        QCOMPARE(datei::WriteBesideSource(tmp.filePath("Hallo.java"), "Hallo.sh",
                                          {"neu, und länger"}, TLaunchPlatform::Unix),
                 TLaunchFileResult::Written);
        QCOMPARE(running.readAll(), QByteArray("alt\n"));
        QCOMPARE(ReadBytes(script), QByteArray("neu, und länger\n"));
    }

    void a_failure_names_the_step_that_failed() {
        QTemporaryDir tmp;
        QCOMPARE(datei::WriteBesideSource(tmp.filePath("fehlt/Hallo.java"), "Hallo.html", {"x"},
                                          TLaunchPlatform::Unix),
                 TLaunchFileResult::ChangeDirFailed);
        // A directory in the page's place: nothing can be created there.
        QVERIFY(QDir(tmp.path()).mkdir("Hallo.html"));
        QCOMPARE(datei::WriteBesideSource(tmp.filePath("Hallo.java"), "Hallo.html", {"x"},
                                          TLaunchPlatform::Unix),
                 TLaunchFileResult::WriteFailed);
        QVERIFY(QFileInfo(tmp.filePath("Hallo.html")).isDir());
    }

    void the_script_runs_the_compiled_application_template_data() {
        QTest::addColumn<QString>("jdk");
        QTest::addColumn<bool>("rWinMin");
        for (const QString& jdk : TestJdks()) {
            const QByteArray name = QFileInfo(jdk).fileName().toUtf8();
            QTest::newRow(name + ", waits") << jdk << false;
            QTest::newRow(name + ", minimised") << jdk << true;
        }
    }
    void the_script_runs_the_compiled_application_template() {
        QFETCH(QString, jdk);
        QFETCH(bool, rWinMin);
        QTemporaryDir tmp;
        const QString dir = tmp.filePath("Programm Ordner ä");
        // The JDK reached through a path that needs quoting in every way.
        const QString jdkDir = tmp.filePath("JDK mit Blank 'ä'");
        QVERIFY(QFile::link(jdk, jdkDir));
        const QString source = WriteTemplateClass(dir, "Hallo", false);
        QVERIFY(!source.isEmpty());
        const TProgramOutput javac = RunProgram(dir, jdk + "/bin/javac", {"Hallo.java"});
        QVERIFY2(javac.Finished && javac.ExitCode == 0, qPrintable(javac.Err));

        const QString name = datei::LaunchScriptName("Hallo", TLaunchPlatform::Unix);
        QCOMPARE(datei::WriteBesideSource(source, name,
                                          datei::LaunchScriptLines(jdkDir, datei::ClassName(source),
                                                                   rWinMin, TLaunchPlatform::Unix),
                                          TLaunchPlatform::Unix),
                 TLaunchFileResult::Written);
        // Standard input is closed here, so the prompt's read ends at once.
        const TProgramOutput run = RunProgram(dir, "/bin/sh", {name});
        QVERIFY2(run.Finished, qPrintable(run.Err));
        QCOMPARE(run.Err, QString());
        QCOMPARE(run.Out, QStringLiteral("10\n\n\n") + (rWinMin ? QString() : Prompt));
    }

    // Started from a desktop without a UTF-8 locale, the JDK would print '?'
    // for every umlaut the learner's program writes.
    void umlauts_the_program_prints_reach_the_terminal_data() {
        QTest::addColumn<QString>("jdk");
        for (const QString& jdk : TestJdks())
            QTest::newRow(QFileInfo(jdk).fileName().toUtf8()) << jdk;
    }
    void umlauts_the_program_prints_reach_the_terminal() {
        QFETCH(QString, jdk);
        QTemporaryDir tmp;
        const QString source = tmp.filePath("Gruss.java");
        QVERIFY(WriteUtf8(source, "public class Gruss {\r\n"
                                  "    public static void main(String[] a) {\r\n"
                                  "        System.out.println(\"Grüße aus Köln\");\r\n"
                                  "    }\r\n"
                                  "}\r\n"));
        const TProgramOutput javac =
            RunProgram(tmp.path(), jdk + "/bin/javac", {"-encoding", "UTF-8", "Gruss.java"});
        QVERIFY2(javac.Finished && javac.ExitCode == 0, qPrintable(javac.Err));
        QCOMPARE(datei::WriteBesideSource(
                     source, "Gruss.sh",
                     datei::LaunchScriptLines(jdk, "Gruss", true, TLaunchPlatform::Unix),
                     TLaunchPlatform::Unix),
                 TLaunchFileResult::Written);

        // A desktop without a UTF-8 locale; started programs get one of their own.
        QProcessEnvironment launched;
        {
            const TLocaleVariables desktop({{"LANG", "C"}, {"LC_ALL", {}}, {"LC_CTYPE", {}}});
            launched = doscall::ChildEnvironment();
        }
        const TProgramOutput run = RunProgram(tmp.path(), "/bin/sh", {"Gruss.sh"}, launched);
        QVERIFY2(run.Finished, qPrintable(run.Err));
        QCOMPARE(run.Out, QStringLiteral("Grüße aus Köln\n\n\n"));
    }
};

QTEST_GUILESS_MAIN(TestLaunchFiles)
#include "tst_launchfiles.moc"
