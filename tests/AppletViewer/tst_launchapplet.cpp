// SPDX-License-Identifier: GPL-3.0-or-later
// F9 from the real main window with each of the machine's JDKs, none of which
// has an applet viewer of its own: the applet template is compiled and comes
// up in Kodiwerk's viewer on a real X display, in a window of the size the
// settings give, and goes away when it is closed.
#include "CompileRig.h"
#include "Datei/Templates.h"
#include "LaunchRig.h"
#include "XWindows.h"

#include <QLabel>
#include <QTemporaryDir>

namespace {
const QString ButtonPeer = QStringLiteral("sun-awt-X11-XButtonPeer");
constexpr int ShowTimeoutMs = 60000;
} // namespace

class TestLaunchApplet : public CompileRig {
    Q_OBJECT

    TXDisplay X;
    QTemporaryDir cache; // the viewer's classes, compiled once per JDK

    // The window titled `title` that holds the applet's button.
    std::optional<TXWindow> WaitForApplet(const QString& title) {
        return TXDisplay::WaitFor(
            [&]() -> std::optional<TXWindow> {
                const std::optional<TXWindow> window = X.FindWindow(title);
                if (!window)
                    return std::nullopt;
                for (const TXWindow& inner : X.Descendants(window->Id))
                    if (inner.Name == ButtonPeer)
                        return window;
                return std::nullopt;
            },
            ShowTimeoutMs);
    }

    // The window with `id` among the ones inside `window`, or the window itself.
    std::optional<TXWindow> Inside(const TXWindow& window, uint32_t id) const {
        for (const TXWindow& inner : X.Descendants(window.Id))
            if (inner.Id == id)
                return inner;
        return std::nullopt;
    }

private slots:
    void initTestCase() {
        QVERIFY2(X.IsOpen(), "needs an X display: run it through with-display.sh (ctest does)");
        QVERIFY(cache.isValid());
        qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    }
    void init() { SetUpCompile(); }
    void cleanup() { TearDown(); }

    void the_applet_template_comes_up_in_kodiwerks_viewer_data() {
        QTest::addColumn<QString>("jdk");
        for (const QString& jdk : TestJdks())
            QTest::newRow(QFileInfo(jdk).fileName().toUtf8()) << jdk;
    }
    void the_applet_template_comes_up_in_kodiwerks_viewer() {
        QFETCH(QString, jdk);
        QVERIFY2(!QFileInfo::exists(jdk + "/bin/appletviewer"), "a JDK with a viewer of its own");
        inis.JdkDir = jdk;
        inis.AWinMin = true;
        inis.AppX = 360;
        inis.AppY = 250;
        QString text = datei::AppletTemplate();
        text.replace("noname", "Gruss");
        OpenSource("Gruss.java", text.toUtf8());

        Command("Browser2");
        QCOMPARE(prompts.Calls.size(), 0);
        QCOMPARE(Control<QLabel>("StatusPanel2")->text(), QStringLiteral("Fertig"));
        const std::optional<TXWindow> window = WaitForApplet("Gruss");
        QVERIFY(window);
        const QList<TXWindow> inner = X.Descendants(window->Id);
        const auto button = std::find_if(inner.begin(), inner.end(),
                                         [](const TXWindow& w) { return w.Name == ButtonPeer; });
        QVERIFY(button != inner.end());
        const std::optional<TXWindow> applet = Inside(*window, button->Parent);
        QVERIFY(applet);
        QCOMPARE(applet->Geometry.size(), QSize(360, 250));
        QVERIFY(applet->Geometry.contains(button->Geometry));

        QVERIFY(X.RequestClose(window->Id));
        const std::optional<TXWindow> gone = TXDisplay::WaitFor(
            [&]() -> std::optional<TXWindow> {
                if (X.FindWindow("Gruss"))
                    return std::nullopt;
                return TXWindow{};
            },
            20000);
        QVERIFY(gone);
    }
};

QTEST_MAIN(TestLaunchApplet)
#include "tst_launchapplet.moc"
