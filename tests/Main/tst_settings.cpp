// SPDX-License-Identifier: GPL-3.0-or-later
// Settings: defaults on a first start, everything written back as strings on
// close, read back on the next start, and the conversion rules in between;
// a file that is hand-edited, garbage or in a folder the user may not write
// never costs more than the value that is wrong.
#include "ColMemo/ColorMemo.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/StartUp.h"
#include "Option/OptionForm.h"

#include "ScriptedPrompts.h"
#include "TestSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A machine without Java, so a first start keeps every default.
QList<dirlist::TFoundJdk> NoJdks() {
    return {};
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    TScriptedPrompts prompts;

    static QSettings Store() {
        return QSettings(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk"));
    }
    QStringList TextsOf(const QString& kind) const {
        QStringList texts;
        for (const TScriptedPrompts::Call& call : prompts.CallsOf(kind))
            texts << call.Text;
        return texts;
    }
    static QString NotWrittenText() {
        return "Die Einstellungen konnten nicht gespeichert werden: Die Datei " +
               SettingsFilePath() +
               " lässt sich nicht schreiben. Ist ihr Ordner schreibgeschützt oder der "
               "Datenträger voll?";
    }

#ifdef Q_OS_UNIX
    // Runs one test function of this program as the user "nobody", with a
    // home and settings of its own, and passes when it passes there.
    static void RunAsUnprivilegedUser(const char* function) {
        const passwd* nobody = ::getpwnam("nobody");
        QVERIFY2(nobody, "the system has no user nobody");
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QVERIFY(::chown(QFile::encodeName(home.path()).constData(), nobody->pw_uid,
                        nobody->pw_gid) == 0);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("XDG_CACHE_HOME", home.filePath("cache"));
        environment.insert("XDG_RUNTIME_DIR", home.path());
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(home.path());
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start("setpriv",
                    {"--reuid=" + QString::number(nobody->pw_uid),
                     "--regid=" + QString::number(nobody->pw_gid), "--clear-groups",
                     QCoreApplication::applicationFilePath(), QString::fromLatin1(function)});
        QVERIFY2(child.waitForFinished(120000), "the unprivileged run did not end");
        const QString output = QString::fromLocal8Bit(child.readAll());
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 qPrintable(output));
        // It really ran there, the case itself and nothing else.
        QVERIFY2(output.contains("Totals: 3 passed, 0 failed"), qPrintable(output));
    }
#endif

private slots:
    void initTestCase() {
        UseThrowAwayConfig();
    }
    void init() {
        ClearSettings();
        prompts = TScriptedPrompts();
    }

    void first_start_uses_every_default_and_centres_the_window() {
        TKodiwerkWindows windows(prompts, {}, NoJdks);
        QVERIFY(windows.Inis.JdkDir.isEmpty());
        QVERIFY(windows.Inis.ProjectDir.isEmpty());
        QVERIFY(windows.Inis.HilfeDir.isEmpty());
        QCOMPARE(windows.Inis.AutoTab, true);
        QCOMPARE(windows.Inis.AWinMin, true);
        QCOMPARE(windows.Inis.RWinMin, false);
        QCOMPARE(windows.Inis.Tabs, 2);
        QCOMPARE(windows.Inis.AppX, 400);
        QCOMPARE(windows.Inis.AppY, 400);
        QCOMPARE(windows.Inis.LineNumbers, true);
        for (const QString& file : windows.Inis.Files)
            QVERIFY(file.isEmpty());
        QVERIFY(windows.JdkNote.isEmpty());
        QCOMPARE(windows.Inis.Font.family(), QStringLiteral("Courier New"));
        QCOMPARE(windows.Inis.Font.pointSize(), 10);
        QCOMPARE(windows.Inis.FontCharSet, 1);
        QVERIFY(!windows.Inis.Font.bold() && !windows.Inis.Font.italic());
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(windows.MainForm->SlotMemo(n)->font(), windows.Inis.Font);

        TMainForm& form = *windows.MainForm;
        QCOMPARE(form.size(), QSize(639, 464));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(form.pos(), QPoint(screen.x() + (screen.width() - 639) / 2,
                                    screen.y() + (screen.height() - 464) / 2));
        QVERIFY(prompts.Calls.isEmpty());
    }

    void normal_close_writes_all_23_values_as_strings() {
        {
            TKodiwerkWindows windows(prompts, {});
            windows.MainForm->show();
            QVERIFY(windows.MainForm->close());
        }
        QSettings store = Store();
        const QStringList expected = {"Settings/JdkDir",   "Settings/ProjectDir",
                                      "Settings/HilfeDir", "Settings/AutoTab",
                                      "Settings/AWinMin",  "Settings/RWinMin",
                                      "Settings/Tabs",     "Settings/AppX",
                                      "Settings/AppY",     "Settings/Zeilennummern",
                                      "Files/File1",       "Files/File2",
                                      "Files/File3",       "Files/File4",
                                      "Files/File5",       "Font/Name",
                                      "Font/Size",         "Font/CharSet",
                                      "Font/Style",        "FormPos/Left",
                                      "FormPos/Top",       "FormPos/Width",
                                      "FormPos/Height",    "FormPos/ListHeight"};
        QStringList keys = store.allKeys();
        keys.sort();
        QStringList sortedExpected = expected;
        sortedExpected.sort();
        QCOMPARE(keys, sortedExpected);
        for (const QString& key : expected)
            QCOMPARE(store.value(key).typeId(), int(QMetaType::QString));
        QCOMPARE(store.value("Settings/AutoTab").toString(), QStringLiteral("1"));
        QCOMPARE(store.value("Settings/RWinMin").toString(), QStringLiteral("0"));
        QCOMPARE(store.value("Settings/Tabs").toString(), QStringLiteral("2"));
        QCOMPARE(store.value("Settings/Zeilennummern").toString(), QStringLiteral("1"));
        QCOMPARE(store.value("Font/Name").toString(), QStringLiteral("Courier New"));
        QCOMPARE(store.value("Files/File1").toString(), QString());
    }

    void second_start_reads_back_what_the_first_wrote() {
        {
            TKodiwerkWindows windows(prompts, {});
            windows.Inis.JdkDir = QStringLiteral("/usr/lib/jvm/default java");
            windows.Inis.ProjectDir = QStringLiteral("/home/lea/projekte, alt");
            windows.Inis.HilfeDir = QStringLiteral("/home/lea/hilfe.html");
            windows.Inis.AutoTab = false;
            windows.Inis.LineNumbers = false;
            windows.Inis.AWinMin = false;
            windows.Inis.RWinMin = true;
            windows.Inis.Tabs = 4;
            windows.Inis.AppX = 640;
            windows.Inis.AppY = 480;
            windows.Inis.Files = {"/p/A.java", "/p/a.java", "", "/p/Ü.java", ""};
            windows.Inis.FontCharSet = 238;
            QFont font(QStringLiteral("DejaVu Sans Mono"), 14);
            font.setBold(true);
            font.setItalic(true);
            prompts.Fonts.enqueue(font);
            windows.MainForm->findChild<QAction*>("Font1")->trigger();
            windows.MainForm->move(40, 50);
            windows.MainForm->resize(700, 500);
            QVERIFY(windows.MainForm->close());
        }
        TKodiwerkWindows windows(prompts, {});
        QCOMPARE(windows.Inis.JdkDir, QStringLiteral("/usr/lib/jvm/default java"));
        QCOMPARE(windows.Inis.ProjectDir, QStringLiteral("/home/lea/projekte, alt"));
        windows.MainForm->findChild<QAction*>("Oeffnen1")->trigger(); // the dialog is cancelled
        QCOMPARE(prompts.CallsOf("open").at(0).Request.InitialDir, windows.Inis.ProjectDir);
        QCOMPARE(windows.Inis.HilfeDir, QStringLiteral("/home/lea/hilfe.html"));
        QCOMPARE(windows.Inis.AutoTab, false);
        QCOMPARE(windows.Inis.LineNumbers, false);
        QCOMPARE(windows.Inis.AWinMin, false);
        QCOMPARE(windows.Inis.RWinMin, true);
        QCOMPARE(windows.Inis.Tabs, 4);
        QCOMPARE(windows.Inis.AppX, 640);
        QCOMPARE(windows.Inis.AppY, 480);
        QCOMPARE(windows.Inis.Files[0], QStringLiteral("/p/A.java"));
        QCOMPARE(windows.Inis.Files[1], QStringLiteral("/p/a.java"));
        QCOMPARE(windows.Inis.Files[2], QString());
        QCOMPARE(windows.Inis.Files[3], QStringLiteral("/p/Ü.java"));
        QCOMPARE(windows.Inis.FontCharSet, 238);
        QCOMPARE(windows.Inis.Font.family(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(windows.Inis.Font.pointSize(), 14);
        QVERIFY(windows.Inis.Font.bold());
        QVERIFY(windows.Inis.Font.italic());
        QVERIFY(!windows.Inis.Font.underline());
        QCOMPARE(windows.MainForm->SlotMemo(5)->font(), windows.Inis.Font);
        QCOMPARE(windows.MainForm->pos(), QPoint(40, 50));
        QCOMPARE(windows.MainForm->size(), QSize(700, 500));
        // The option dialog's path fields were filled when the last window was created.
        QCOMPARE(windows.OptionForm->findChild<QLineEdit*>("E_JdkDir")->text(),
                 windows.Inis.JdkDir);
        auto* lineNumbers = windows.OptionForm->findChild<QCheckBox*>("CB_Zeilennummern");
        lineNumbers->setChecked(true);
        windows.OptionForm->FormShow();
        QVERIFY(!lineNumbers->isChecked());
    }

    void stored_values_convert_by_the_rules_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("autoTab");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("centred");
        QTest::newRow("AutoTab 0 is false")
            << QByteArray("[Settings]\nAutoTab=0\n") << false << 2 << QSize(639, 464) << true;
        QTest::newRow("AutoTab 2 is true")
            << QByteArray("[Settings]\nAutoTab=2\n") << true << 2 << QSize(639, 464) << true;
        QTest::newRow("AutoTab empty is the default")
            << QByteArray("[Settings]\nAutoTab=\nTabs=ja\n") << true << 2 << QSize(639, 464)
            << true;
        QTest::newRow("Tabs negative becomes 1")
            << QByteArray("[Settings]\nTabs=-3\n") << true << 1 << QSize(639, 464) << true;
        QTest::newRow("Tabs 0 becomes 1")
            << QByteArray("[Settings]\nTabs=0\n") << true << 1 << QSize(639, 464) << true;
        QTest::newRow("Tabs 16 is kept")
            << QByteArray("[Settings]\nTabs=16\n") << true << 16 << QSize(639, 464) << true;
        QTest::newRow("Tabs 17 becomes 16")
            << QByteArray("[Settings]\nTabs=17\n") << true << 16 << QSize(639, 464) << true;
        QTest::newRow("Left -9999 means no stored position")
            << QByteArray("[FormPos]\nLeft=-9999\nTop=5\nWidth=900\nHeight=700\n") << true << 2
            << QSize(639, 464) << true;
        QTest::newRow("Left without Width and Height gives 30 x 30")
            << QByteArray("[FormPos]\nLeft=10\n") << true << 2 << QSize(30, 30) << false;
    }

    void stored_values_convert_by_the_rules() {
        QFETCH(QByteArray, file);
        QFETCH(bool, autoTab);
        QFETCH(int, tabs);
        QFETCH(QSize, size);
        QFETCH(bool, centred);
        QVERIFY(WriteSettingsFile(file));
        TKodiwerkWindows windows(prompts, {});
        QCOMPARE(windows.Inis.AutoTab, autoTab);
        QCOMPARE(windows.Inis.Tabs, tabs);
        QCOMPARE(windows.MainForm->size(), size);
        if (centred) {
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            QCOMPARE(windows.MainForm->x(), screen.x() + (screen.width() - 639) / 2);
        } else {
            QCOMPARE(windows.MainForm->pos(), QPoint(10, 30));
        }
        QVERIFY(prompts.Calls.isEmpty());
    }

    void applet_sizes_from_the_file_are_kept_within_1_to_4096() {
        QVERIFY(WriteSettingsFile("[Settings]\nAppX=0\nAppY=100000\n"));
        {
            TKodiwerkWindows windows(prompts, {}, NoJdks);
            QCOMPARE(windows.Inis.AppX, 1);
            QCOMPARE(windows.Inis.AppY, 4096);
            QVERIFY(windows.MainForm->close());
        }
        QCOMPARE(Store().value("Settings/AppX").toString(), QStringLiteral("1"));
        QCOMPARE(Store().value("Settings/AppY").toString(), QStringLiteral("4096"));
        QVERIFY(WriteSettingsFile("[Settings]\nAppX=4096\nAppY=1\n"));
        TKodiwerkWindows windows(prompts, {}, NoJdks);
        QCOMPARE(windows.Inis.AppX, 4096);
        QCOMPARE(windows.Inis.AppY, 1);
        QVERIFY(prompts.Calls.isEmpty());
    }

    void a_value_of_the_wrong_kind_costs_that_value_alone_and_is_told_once() {
        // A list ("a, b") and a typed value are no strings; everything else is read.
        QVERIFY(WriteSettingsFile("[Settings]\nJdkDir=a, b\nProjectDir=/p\nAutoTab=0\nTabs=4\n"
                                  "AppX=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
                                  "[Files]\nFile1=/p/A.java\n[Font]\nName=DejaVu Sans Mono\n"
                                  "[FormPos]\nLeft=10\nTop=20\nWidth=700\nHeight=500\n"));
        {
            TKodiwerkWindows windows(prompts, {}, NoJdks);
            const QStringList messages = TextsOf("message");
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0],
                     "In der Einstellungsdatei " + SettingsFilePath() +
                         " sind die Werte für „JdkDir“ im Abschnitt [Settings] und „AppX“ im "
                         "Abschnitt [Settings] unlesbar. Kodiwerk nimmt dafür die Standardwerte; "
                         "alle anderen Einstellungen bleiben, wie sie sind.");
            QVERIFY(prompts.CallsOf("error").isEmpty());
            QCOMPARE(windows.Inis.JdkDir, QString());
            QCOMPARE(windows.Inis.AppX, 400);
            QCOMPARE(windows.Inis.ProjectDir, QStringLiteral("/p"));
            QCOMPARE(windows.Inis.AutoTab, false);
            QCOMPARE(windows.Inis.Tabs, 4);
            QCOMPARE(windows.Inis.AppY, 400);
            QCOMPARE(windows.Inis.Files[0], QStringLiteral("/p/A.java"));
            QCOMPARE(windows.MainForm->SlotMemo(1)->font().family(),
                     QStringLiteral("DejaVu Sans Mono"));
            QCOMPARE(windows.MainForm->pos(), QPoint(10, 20));
            QCOMPARE(windows.MainForm->size(), QSize(700, 500));
            QVERIFY(windows.MainForm->close());
            QVERIFY(prompts.CallsOf("error").isEmpty());
        }
        // The defaults took the bad values' places; the rest is as it was.
        QSettings store = Store();
        QCOMPARE(store.value("Settings/JdkDir"), QVariant(QString()));
        QCOMPARE(store.value("Settings/AppX"), QVariant(QStringLiteral("400")));
        QCOMPARE(store.value("Settings/Tabs"), QVariant(QStringLiteral("4")));
        QCOMPARE(store.value("Files/File1"), QVariant(QStringLiteral("/p/A.java")));
        // Told once: the next start reads everything without a word.
        prompts = TScriptedPrompts();
        TKodiwerkWindows again(prompts, {}, NoJdks);
        QVERIFY(prompts.Calls.isEmpty());
    }

    void one_value_of_the_wrong_kind_is_named_alone() {
        QVERIFY(WriteSettingsFile("[Settings]\nTabs=1, 2\n"));
        TKodiwerkWindows windows(prompts, {}, NoJdks);
        QCOMPARE(TextsOf("message"),
                 QStringList{"In der Einstellungsdatei " + SettingsFilePath() +
                             " ist der Wert für „Tabs“ im Abschnitt [Settings] unlesbar. "
                             "Kodiwerk nimmt dafür den Standardwert; alle anderen "
                             "Einstellungen bleiben, wie sie sind."});
        QCOMPARE(windows.Inis.Tabs, 2);
    }

    void a_garbage_or_binary_file_starts_quietly_and_is_written_anew_data() {
        QTest::addColumn<QByteArray>("content");
        QByteArray binary(4096, '\0');
        QRandomGenerator random(24);
        for (char& byte : binary)
            byte = char(random.bounded(256));
        QTest::newRow("binary") << binary;
        QTest::newRow("garbage text")
            << QByteArray("Das ist keine Einstellungsdatei.\n[[[\n=ohne Namen\n\xff\xfe\n");
        QTest::newRow("a section without its bracket")
            << QByteArray("[Settings\nTabs=8\n[Files]\nFile1=/p/A.java\n");
    }
    void a_garbage_or_binary_file_starts_quietly_and_is_written_anew() {
        QFETCH(QByteArray, content);
        QVERIFY(WriteSettingsFile(content));
        {
            TKodiwerkWindows windows(prompts, {}, NoJdks);
            windows.Inis.Tabs = 3;
            windows.MainForm->show();
            QVERIFY(windows.MainForm->close());
            QVERIFY2(prompts.Calls.isEmpty(), qPrintable(TextsOf("error").join('|')));
        }
        // A clean file with every value, and none of what could not be read.
        const QSettings written(SettingsFilePath(), QSettings::IniFormat);
        QCOMPARE(written.status(), QSettings::NoError);
        QCOMPARE(written.value("Settings/Tabs"), QVariant(QStringLiteral("3")));
        QCOMPARE(written.allKeys().size(), 24);
        QVERIFY(!FileBytes(SettingsFilePath()).contains("Das ist keine"));
    }

    void a_store_that_cannot_be_written_is_reported_naming_the_file_and_the_window_still_closes() {
        TKodiwerkWindows windows(prompts, {}, NoJdks);
        // A directory where the settings file belongs makes every write fail, also for root.
        QDir().mkpath(SettingsFilePath());
        windows.MainForm->show();
        QVERIFY(windows.MainForm->close());
        QCOMPARE(TextsOf("error"), QStringList{NotWrittenText()});
        QDir(SettingsFilePath()).removeRecursively();
    }

    // As a user the permissions bind: root may write anywhere, so there the
    // case runs again in a process of an unprivileged user.
    void a_settings_folder_the_user_may_not_write_is_reported_naming_the_file() {
#ifdef Q_OS_UNIX
        if (::geteuid() == 0) {
            RunAsUnprivilegedUser(QTest::currentTestFunction());
            return;
        }
        const QByteArray before = "[Settings]\nTabs=5\n[Files]\nFile1=/p/A.java\n";
        QVERIFY(WriteSettingsFile(before));
        const QString folder = QFileInfo(SettingsFilePath()).path();
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const auto writable = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        {
            TKodiwerkWindows windows(prompts, {}, NoJdks);
            QCOMPARE(windows.Inis.Tabs, 5);
            windows.Inis.Tabs = 7;
            windows.MainForm->show();
            QVERIFY(windows.MainForm->close());
            QVERIFY(!windows.MainForm->isVisible());
        }
        QCOMPARE(TextsOf("error"), QStringList{NotWrittenText()});
        QCOMPARE(FileBytes(SettingsFilePath()), before);
#else
        QVERIFY(true);
#endif
    }

    void the_options_dialog_confirmed_brings_tab_width_and_project_directory_into_effect_data() {
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << int(QDialog::Accepted);
        QTest::newRow("Abbrechen") << int(QDialog::Rejected);
    }
    void the_options_dialog_confirmed_brings_tab_width_and_project_directory_into_effect() {
        QFETCH(int, result);
        const bool confirmed = result == QDialog::Accepted;
        TKodiwerkWindows windows(prompts, {});
        TMainForm& form = *windows.MainForm;
        form.findChild<QAction*>("Neu1")->trigger();
        const qreal narrow = form.CurrentMemo()->tabStopDistance();
        // Like the real dialog, only OK stores into the record it was handed.
        prompts.OnModal = [&](QDialog* dialog) {
            if (dialog != windows.OptionForm.get())
                return int(QDialog::Rejected);
            if (confirmed) {
                windows.Inis.Tabs = 8;
                windows.Inis.ProjectDir = QStringLiteral("/home/lea/projekte");
            }
            return result;
        };
        form.findChild<QAction*>("Optionen1")->trigger();
        QCOMPARE(prompts.CallsOf("modal").size(), 1);
        QCOMPARE(form.CurrentMemo()->tabStopDistance() > narrow, confirmed);
        form.findChild<QAction*>("Oeffnen1")->trigger(); // the dialog is cancelled
        QCOMPARE(prompts.CallsOf("open").at(0).Request.InitialDir,
                 confirmed ? QStringLiteral("/home/lea/projekte")
                           : QDir::home().filePath(QStringLiteral("Kodiwerk")));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
