// Settings: defaults on a first start, everything written back as strings on
// close, read back on the next start, and the conversion rules in between.
#include "ColMemo/ColorMemo.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/StartUp.h"
#include "Option/OptionForm.h"

#include "ScriptedPrompts.h"
#include "TestSettings.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT

    TScriptedPrompts prompts;

    static QSettings Store() {
        return QSettings(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk"));
    }

private slots:
    void initTestCase() { UseThrowAwayConfig(); }
    void init() {
        ClearSettings();
        prompts = TScriptedPrompts();
    }

    void first_start_uses_every_default_and_centres_the_window() {
        TKodiwerkWindows windows(prompts, {});
        QVERIFY(windows.Inis.JdkDir.isEmpty());
        QVERIFY(windows.Inis.ProjectDir.isEmpty());
        QVERIFY(windows.Inis.HilfeDir.isEmpty());
        QCOMPARE(windows.Inis.AutoTab, true);
        QCOMPARE(windows.Inis.AWinMin, true);
        QCOMPARE(windows.Inis.RWinMin, false);
        QCOMPARE(windows.Inis.Tabs, 2);
        QCOMPARE(windows.Inis.AppX, 400);
        QCOMPARE(windows.Inis.AppY, 400);
        for (const QString& file : windows.Inis.Files)
            QVERIFY(file.isEmpty());
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

    void normal_close_writes_all_22_values_as_strings() {
        {
            TKodiwerkWindows windows(prompts, {});
            windows.MainForm->show();
            QVERIFY(windows.MainForm->close());
        }
        QSettings store = Store();
        const QStringList expected = {
            "Settings/JdkDir",  "Settings/ProjectDir", "Settings/HilfeDir", "Settings/AutoTab",
            "Settings/AWinMin", "Settings/RWinMin",    "Settings/Tabs",     "Settings/AppX",
            "Settings/AppY",    "Files/File1",         "Files/File2",       "Files/File3",
            "Files/File4",      "Files/File5",         "Font/Name",         "Font/Size",
            "Font/CharSet",     "Font/Style",          "FormPos/Left",      "FormPos/Top",
            "FormPos/Width",    "FormPos/Height"};
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
            windows.Inis.AWinMin = false;
            windows.Inis.RWinMin = true;
            windows.Inis.Tabs = 4;
            windows.Inis.AppX = 640;
            windows.Inis.AppY = -480;
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
        QCOMPARE(windows.Inis.AWinMin, false);
        QCOMPARE(windows.Inis.RWinMin, true);
        QCOMPARE(windows.Inis.Tabs, 4);
        QCOMPARE(windows.Inis.AppX, 640);
        QCOMPARE(windows.Inis.AppY, -480);
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
        QTest::newRow("Tabs 0 and negative are kept")
            << QByteArray("[Settings]\nTabs=-3\n") << true << -3 << QSize(639, 464) << true;
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

    void a_value_that_is_not_a_string_stops_loading_with_an_error() {
        QVERIFY(WriteSettingsFile("[Settings]\nJdkDir=/jdk\nAutoTab=0\nTabs=1, 2\nAppX=9\n"
                                  "[Files]\nFile1=/p/A.java\n[Font]\nName=DejaVu Sans Mono\n"));
        TKodiwerkWindows windows(prompts, {});
        const auto errors = prompts.CallsOf("error");
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0].Text, QStringLiteral("Ungültiger Datentyp für 'Tabs'"));
        // Read before the failure:
        QCOMPARE(windows.Inis.JdkDir, QStringLiteral("/jdk"));
        QCOMPARE(windows.Inis.AutoTab, false);
        // Skipped after it: empty, false, 0, and the window as first laid out.
        QCOMPARE(windows.Inis.Tabs, 0);
        QCOMPARE(windows.Inis.AppX, 0);
        QCOMPARE(windows.Inis.Files[0], QString());
        QVERIFY(windows.MainForm->SlotMemo(1)->font().family() !=
                QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(windows.MainForm->size(), QSize(639, 464));
        QCOMPARE(windows.MainForm->pos(), QPoint(566, 125));
        // The program goes on: the window still works.
        QCOMPARE(windows.MainForm->LastSlot(), -1);
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
                 confirmed ? QStringLiteral("/home/lea/projekte") : QString());
    }

    void a_store_that_cannot_be_written_is_reported_and_the_window_still_closes() {
        TKodiwerkWindows windows(prompts, {});
        // A directory where the settings file belongs makes every write fail, also for root.
        QDir().mkpath(SettingsFilePath());
        windows.MainForm->show();
        QVERIFY(windows.MainForm->close());
        const auto errors = prompts.CallsOf("error");
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0].Text,
                 QStringLiteral("Erzeugung von Schlüssel Software\\quorndel\\Kodiwerk misslungen"));
        QDir(SettingsFilePath()).removeRecursively();
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
