// SPDX-License-Identifier: GPL-3.0-or-later
// A first start in a fresh home with no settings file: the newest JDK of the
// machine is taken and compiles at once, F10 runs the program, F1 opens the
// help page that comes with Kodiwerk, and the command-line file opens only
// once every window exists.
#include "ColMemo/ColorMemo.h"
#include "DirList/JdkFinder.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/StartUp.h"
#include "Option/OptionForm.h"

#include "JdkRig.h"
#include "ScriptedPrompts.h"
#include "TestSettings.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

dirlist::TFoundJdk Found(const QString& dir, const QString& version, bool compiler) {
    dirlist::TFoundJdk jdk;
    jdk.Dir = dir;
    jdk.Version = version;
    jdk.Feature = QVersionNumber::fromString(version);
    jdk.HasCompiler = compiler;
    return jdk;
}

// The machine's default JDK, found the way the directory chooser finds it.
QList<dirlist::TFoundJdk> DefaultJdkOnly() {
    dirlist::TJdkSearch search;
    search.JavacOnPath = DefaultJdk().Dir + QStringLiteral("/bin/javac");
    return dirlist::FindJdks(search);
}

bool WriteScript(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    return file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// Prompts that note, at every message, which windows exist by then and what
// the options dialog's JDK field holds.
class TWitnessPrompts : public TScriptedPrompts {
public:
    QStringList Seen;
    void Message(QWidget* parent, const QString& text) override {
        TScriptedPrompts::Message(parent, text);
        QStringList windows;
        for (QWidget* widget : QApplication::allWidgets())
            if (widget->objectName() == QStringLiteral("OptionForm") ||
                widget->objectName() == QStringLiteral("DirListForm"))
                windows << widget->objectName();
        windows.sort();
        Seen << windows.join(QLatin1Char('+'));
        for (QWidget* widget : QApplication::allWidgets())
            if (auto* field = qobject_cast<QLineEdit*>(widget);
                field && field->objectName() == QStringLiteral("E_JdkDir"))
                Seen << field->text();
    }
};

} // namespace

class TestFirstStart : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    TWitnessPrompts prompts;

    static void Trigger(TKodiwerkWindows& windows, const char* name) {
        auto* action = windows.MainForm->findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(action, name);
        action->setEnabled(true);
        action->trigger();
    }

private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral(".cache")).toLocal8Bit());
        UseThrowAwayConfig();
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init() {
        ClearSettings();
        prompts = TWitnessPrompts();
    }

    void a_first_start_takes_the_newest_jdk_that_holds_the_compiler_and_keeps_it() {
        const dirlist::TJdkLookup machine = [] {
            return QList<dirlist::TFoundJdk>{Found("/usr/lib/jvm/jre-25", "25.0.1", false),
                                             Found("/usr/lib/jvm/jdk-21", "21.0.2", true),
                                             Found("/usr/lib/jvm/jdk-17", "17.0.9", true)};
        };
        {
            TKodiwerkWindows windows(prompts, {}, machine);
            QCOMPARE(windows.Inis.JdkDir, QStringLiteral("/usr/lib/jvm/jdk-21"));
            QCOMPARE(windows.JdkNote,
                     QStringLiteral("JDK gefunden: /usr/lib/jvm/jdk-21 (Version 21.0.2)"));
            // Said once, beside the status panels.
            QCOMPARE(windows.MainForm->findChild<QLabel*>(QStringLiteral("StatusNote"))->text(),
                     windows.JdkNote);
            // As if chosen in the options: their field shows it, the exit stores it.
            QCOMPARE(windows.OptionForm->E_JdkDir()->text(), QStringLiteral("/usr/lib/jvm/jdk-21"));
            QVERIFY(prompts.Calls.isEmpty());
            QVERIFY(windows.MainForm->close());
        }
        QCOMPARE(QSettings(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk"))
                     .value(QStringLiteral("Settings/JdkDir"))
                     .toString(),
                 QStringLiteral("/usr/lib/jvm/jdk-21"));

        // Once set, the JDK stays, even when a newer one comes.
        int searches = 0;
        TKodiwerkWindows again(prompts, {}, [&] {
            ++searches;
            return QList<dirlist::TFoundJdk>{Found("/usr/lib/jvm/jdk-26", "26", true)};
        });
        QCOMPARE(again.Inis.JdkDir, QStringLiteral("/usr/lib/jvm/jdk-21"));
        QVERIFY(again.JdkNote.isEmpty());
        QCOMPARE(searches, 0);
    }

    void without_a_jdk_that_compiles_nothing_is_taken() {
        TKodiwerkWindows windows(prompts, {}, [] {
            return QList<dirlist::TFoundJdk>{Found("/usr/lib/jvm/jre-25", "25", false)};
        });
        QVERIFY(windows.Inis.JdkDir.isEmpty());
        QVERIFY(windows.JdkNote.isEmpty());
    }

    void f8_compiles_and_f10_runs_with_the_jdk_found() {
        const QString sources = home.filePath(QStringLiteral("Kodiwerk"));
        QVERIFY(QDir().mkpath(sources));
        const QString terminal = home.filePath(QStringLiteral("bin/xterm"));
        QVERIFY(QDir().mkpath(QFileInfo(terminal).path()));
        // A terminal without a window: it runs what follows -e and keeps its output.
        QVERIFY(WriteScript(terminal, "#!/bin/sh\nwhile [ \"$1\" != -e ]; do shift; done; shift\n"
                                      "\"$@\" > \"$0.part\" 2>&1 < /dev/null\n"
                                      "mv \"$0.part\" \"$0.out\"\n"));
        qputenv("TERMINAL", terminal.toLocal8Bit());
        const auto restore = qScopeGuard([] { qunsetenv("TERMINAL"); });

        TKodiwerkWindows windows(prompts, {}, DefaultJdkOnly);
        QCOMPARE(QDir(windows.Inis.JdkDir).canonicalPath(), QDir(DefaultJdk().Dir).canonicalPath());
        windows.Inis.RWinMin = true; // the script asks for no Enter then
        Trigger(windows, "NeuApplication1");
        // The template's class takes the file's name, as the user would rename it.
        TColorMemo* memo = windows.MainForm->CurrentMemo();
        memo->SetText(memo->Text().replace(QStringLiteral("noname"), QStringLiteral("Hallo")));
        const QString source = QDir(sources).filePath(QStringLiteral("Hallo.java"));
        prompts.Files.enqueue(source);
        Trigger(windows, "SpeichernUnter1");
        QVERIFY(QFileInfo::exists(source));
        Trigger(windows, "Compiler1");
        QVERIFY2(prompts.CallsOf("message").isEmpty(),
                 qPrintable(prompts.CallsOf("message").value(0).Text));
        QVERIFY(QFileInfo::exists(QDir(sources).filePath(QStringLiteral("Hallo.class"))));

        Trigger(windows, "Runner1");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(terminal + QStringLiteral(".out")), 60000);
        QFile output(terminal + QStringLiteral(".out"));
        QVERIFY(output.open(QIODevice::ReadOnly));
        QVERIFY2(output.readAll().startsWith("10\n"), "the program did not print 10");
        QVERIFY(prompts.CallsOf("error").isEmpty());
    }

    void f1_opens_the_help_page_that_comes_with_kodiwerk_while_none_is_set() {
        const QString shipped = home.filePath(QStringLiteral("share/kodiwerk-hilfe.html"));
        QVERIFY(QDir().mkpath(QFileInfo(shipped).path()));
        QVERIFY(WriteScript(shipped, "<html></html>"));
        TKodiwerkWindows windows(prompts, {}, [] { return QList<dirlist::TFoundJdk>(); });
        QVERIFY(windows.Inis.HilfeDir.isEmpty());
        QStringList opened;
        THelpPlatform desktop;
        desktop.Beep = [&] { opened << QStringLiteral("beep"); };
        desktop.OpenFile = [&](const QString& path) {
            opened << path;
            return true;
        };
        desktop.StartProgram = [](const QString&, const QStringList&) { return false; };
        desktop.ShippedPage = [shipped] { return shipped; };
        windows.MainForm->SetHelpDesktop(desktop);
        Trigger(windows, "Inhalt1");
        QCOMPARE(opened, (QStringList{QStringLiteral("beep"), shipped}));
        QVERIFY(prompts.CallsOf("message").isEmpty());
    }

    void the_command_line_file_opens_once_every_window_exists_and_the_fields_are_filled() {
        QVERIFY(WriteSettingsFile("[Settings]\nJdkDir=/opt/jdk\n"));
        TKodiwerkWindows windows(prompts, {home.filePath(QStringLiteral("Fehlt.java"))});
        QCOMPARE(prompts.CallsOf("message").size(), 1);
        QCOMPARE(prompts.Seen, (QStringList{QStringLiteral("DirListForm+OptionForm"),
                                            QStringLiteral("/opt/jdk")}));
        QCOMPARE(windows.MainForm->LastSlot(), -1);
    }
};

QTEST_MAIN(TestFirstStart)
#include "tst_firststart.moc"
