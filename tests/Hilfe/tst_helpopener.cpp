// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the help file: the message when none is set, the beep, the
// desktop's opener and the two browsers in turn, the path as one argument,
// and where the help page that comes with the program is found.
#include "Hilfe/HelpOpener.h"
#include "Hilfe/HelpPage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString NoFileText = QStringLiteral(
    "Die Hilfedatei im HTML-Format ist noch nicht unter Bearbeiten->Optionen eingetragen!");
const QString NoBrowserText =
    QStringLiteral("Leider konnte kein Web-Browser auf Ihrem System gefunden werden!");

// A desktop that records every step; `Opens` names the steps that succeed.
struct ScriptedDesktop {
    QStringList Log;
    QStringList Opens;

    THelpPlatform Platform() {
        THelpPlatform platform;
        platform.Message = [this](const QString& text) { Log.append("message: " + text); };
        platform.Beep = [this] { Log.append(QStringLiteral("beep")); };
        platform.OpenFile = [this](const QString& path) {
            Log.append("open: " + path);
            return Opens.contains(QStringLiteral("desktop"));
        };
        platform.StartProgram = [this](const QString& program, const QStringList& arguments) {
            Log.append(program + ": " + arguments.join(QStringLiteral("|")));
            return Opens.contains(program);
        };
        return platform;
    }
};

void WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestHelpOpener : public QObject {
    Q_OBJECT

    const QStringList browsers = hilfe::HelpBrowsers();
    QTemporaryDir dir;
    // An existing help file whose path holds blanks.
    QString helpFile;

private:
    void MakeHelpFile() {
        helpFile = dir.filePath(QStringLiteral("Meine Dateien/Java Hilfe.html"));
        WriteFile(helpFile, "<html></html>");
    }

private slots:
    void initTestCase() { MakeHelpFile(); }

    void no_help_file_shows_the_message_and_nothing_else() {
        ScriptedDesktop desktop;
        hilfe::OpenHelpFile(QString(), desktop.Platform());
        QCOMPARE(desktop.Log, QStringList{"message: " + NoFileText});
    }

    void with_no_file_set_the_page_that_comes_with_kodiwerk_is_opened() {
        ScriptedDesktop desktop;
        desktop.Opens = {QStringLiteral("desktop")};
        THelpPlatform platform = desktop.Platform();
        platform.ShippedPage = [this] { return helpFile; };
        hilfe::OpenHelpFile(QString(), platform);
        QCOMPARE(desktop.Log, (QStringList{"beep", "open: " + helpFile}));
        // A file that is set goes first.
        desktop.Log.clear();
        const QString other = dir.filePath(QStringLiteral("andere.html"));
        WriteFile(other, "<html></html>");
        hilfe::OpenHelpFile(other, platform);
        QCOMPARE(desktop.Log, (QStringList{"beep", "open: " + other}));
        // Where no page came with the program, the user is asked to set a file.
        desktop.Log.clear();
        platform.ShippedPage = [] { return QString(); };
        hilfe::OpenHelpFile(QString(), platform);
        QCOMPARE(desktop.Log, QStringList{"message: " + NoFileText});
    }

    void a_file_the_desktop_opens_is_not_given_to_a_browser() {
        ScriptedDesktop desktop;
        desktop.Opens = {QStringLiteral("desktop")};
        hilfe::OpenHelpFile(helpFile, desktop.Platform());
        QCOMPARE(desktop.Log, (QStringList{"beep", "open: " + helpFile}));
    }

    void the_second_browser_is_tried_when_the_first_fails() {
        ScriptedDesktop desktop;
        desktop.Opens = {browsers[1]};
        hilfe::OpenHelpFile(helpFile, desktop.Platform());
        QCOMPARE(desktop.Log,
                 (QStringList{"beep", "open: " + helpFile, browsers[0] + ": " + helpFile,
                              browsers[1] + ": " + helpFile}));
    }

    void nothing_that_opens_ends_with_the_second_message_after_three_attempts() {
        ScriptedDesktop desktop;
        hilfe::OpenHelpFile(helpFile, desktop.Platform());
        QCOMPARE(desktop.Log,
                 (QStringList{"beep", "open: " + helpFile, browsers[0] + ": " + helpFile,
                              browsers[1] + ": " + helpFile, "message: " + NoBrowserText}));
        QCOMPARE(browsers.size(), 2);
        QVERIFY(browsers[0] != browsers[1]);
    }

    void a_missing_file_goes_to_the_browsers_without_asking_the_desktop() {
        ScriptedDesktop desktop;
        desktop.Opens = {QStringLiteral("desktop"), browsers[0]};
        const QString missing = dir.filePath(QStringLiteral("fehlt.html"));
        hilfe::OpenHelpFile(missing, desktop.Platform());
        QCOMPARE(desktop.Log, (QStringList{"beep", browsers[0] + ": " + missing}));
    }

    void a_path_with_blanks_reaches_a_real_program_as_one_argument() {
        const QString received = dir.filePath(QStringLiteral("argumente.txt"));
        const QString browser = dir.filePath(QStringLiteral("browser"));
        WriteFile(browser, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '%1.tmp' && "
                                          "mv '%1.tmp' '%1'\n")
                               .arg(received)
                               .toUtf8());
        QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        THelpPlatform platform = THelpPlatform::Desktop();
        const QString path = QStringLiteral("/home/anna/Meine Dateien/Java Hilfe.html");
        QVERIFY(platform.StartProgram(browser, {path}));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(received), 10000);
        QFile file(received);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), "1\n" + path + "\n");
    }

    void a_program_that_is_not_there_fails_to_start() {
        const THelpPlatform platform = THelpPlatform::Desktop();
        QVERIFY(!platform.StartProgram(dir.filePath(QStringLiteral("kein-browser")), {"x"}));
    }

    void the_shipped_page_is_found_beside_the_program_or_in_the_data_folders() {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.filePath(QStringLiteral("home")).toUtf8());
        qputenv("XDG_DATA_DIRS", data.filePath(QStringLiteral("system")).toUtf8());
        const QString program = data.filePath(QStringLiteral("bin"));
        QCOMPARE(hilfe::ShippedHelpFolderFrom(program), QString());

        const QString system = data.filePath(QStringLiteral("system/kodiwerk/help"));
        WriteFile(system + "/" + hilfe::HelpPageName, "<html></html>");
        QCOMPARE(hilfe::ShippedHelpFolderFrom(program), system);

        const QString beside = data.filePath(QStringLiteral("share/kodiwerk/help"));
        WriteFile(beside + "/" + hilfe::HelpPageName, "<html></html>");
        QCOMPARE(hilfe::ShippedHelpFolderFrom(program), beside);
    }

    void the_desktops_shipped_page_is_the_one_the_program_finds() {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.filePath(QStringLiteral("home")).toUtf8());
        qputenv("XDG_DATA_DIRS", data.filePath(QStringLiteral("system")).toUtf8());
        const THelpPlatform platform = THelpPlatform::Desktop();
        QCOMPARE(platform.ShippedPage(), QString());
        const QString page =
            data.filePath(QStringLiteral("system/kodiwerk/help/") + hilfe::HelpPageName);
        WriteFile(page, "<html></html>");
        QCOMPARE(platform.ShippedPage(), page);
    }
};

QTEST_MAIN(TestHelpOpener)
#include "tst_helpopener.moc"
