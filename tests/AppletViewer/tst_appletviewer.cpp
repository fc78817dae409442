// SPDX-License-Identifier: GPL-3.0-or-later
// Kodiwerk's own applet viewer, compiled by the machine's JDKs and shown on a
// real X display: its window, the applet inside it, what the applet is given,
// and closing it the way a window manager would.
#include "Datei/LaunchFiles.h"
#include "Datei/OwnAppletViewer.h"
#include "LaunchRig.h"
#include "XWindows.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QString ButtonPeer = QStringLiteral("sun-awt-X11-XButtonPeer");
const QString TextAreaPeer = QStringLiteral("sun-awt-X11-XTextAreaPeer");
constexpr int ShowTimeoutMs = 60000;

bool CopyData(const QString& name, const QString& dir) {
    return QFile::copy(QStringLiteral(KW_TEST_DATA_DIR "/") + name, QDir(dir).filePath(name));
}

// Standard output and error of a running viewer, collected as they come.
struct TViewerRun {
    std::unique_ptr<QProcess> Process = std::make_unique<QProcess>();
    QString Out;
    QString Err;
    ~TViewerRun() {
        if (Process->state() != QProcess::NotRunning) {
            Process->kill();
            Process->waitForFinished();
        }
    }
    void Collect() {
        Out += QString::fromUtf8(Process->readAllStandardOutput());
        Err += QString::fromUtf8(Process->readAllStandardError());
    }
};

} // namespace

class TestAppletViewer : public QObject {
    Q_OBJECT

    TXDisplay X;
    QTemporaryDir Cache;

    // The viewer on `page` in `dir`, started the way a launch starts it.
    bool StartViewer(TViewerRun& run, const QString& jdk, const QString& dir, const QString& page) {
        datei::TOwnAppletViewer viewer(Cache.path());
        const QString classes = viewer.ClassDirectory(jdk);
        if (classes.isEmpty()) {
            qWarning() << viewer.CompileOutput();
            return false;
        }
        const doscall::TCommand call = viewer.Command(jdk, classes, page, true);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        run.Process->setProcessEnvironment(env);
        run.Process->setWorkingDirectory(dir);
        run.Process->setStandardInputFile(QProcess::nullDevice());
        run.Process->start(call.Program, call.Arguments);
        return run.Process->waitForStarted();
    }

    // The window titled `title` once it holds a window named `inner`, laid
    // out to `innerSize` where one is given.
    std::optional<TXWindow> WaitForWindow(const QString& title, const QString& inner,
                                          QSize innerSize = QSize()) {
        return TXDisplay::WaitFor(
            [&]() -> std::optional<TXWindow> {
                std::optional<TXWindow> window = X.FindWindow(title);
                if (!window)
                    return std::nullopt;
                for (const TXWindow& named : Named(inner, window->Id))
                    if (!innerSize.isValid() || named.Geometry.size() == innerSize)
                        return window;
                return std::nullopt;
            },
            ShowTimeoutMs);
    }

    QList<TXWindow> Named(const QString& name, uint32_t below) const {
        QList<TXWindow> named;
        for (const TXWindow& window : X.Descendants(below))
            if (window.Name == name)
                named.append(window);
        return named;
    }

    // Closes the window as a window manager would; the viewer must then end.
    bool CloseAndWait(TViewerRun& run, const TXWindow& window) {
        if (!X.RequestClose(window.Id) || !run.Process->waitForFinished(20000))
            return false;
        run.Collect();
        return run.Process->exitStatus() == QProcess::NormalExit && run.Process->exitCode() == 0;
    }

private slots:
    void initTestCase() {
        QVERIFY2(X.IsOpen(), "needs an X display: run it through with-display.sh (ctest does)");
        QVERIFY(Cache.isValid());
    }

    void the_template_applet_shows_in_a_window_of_the_page_size_data() {
        QTest::addColumn<QString>("jdk");
        for (const QString& jdk : TestJdks())
            QTest::newRow(QFileInfo(jdk).fileName().toUtf8()) << jdk;
    }
    void the_template_applet_shows_in_a_window_of_the_page_size() {
        QFETCH(QString, jdk);
        QTemporaryDir tmp;
        const QString dir = tmp.filePath("Applet Ordner ä");
        const QString source = WriteTemplateClass(dir, "Hallo", true);
        QVERIFY(!source.isEmpty());
        const TProgramOutput javac = RunProgram(dir, jdk + "/bin/javac", {"Hallo.java"});
        QVERIFY2(javac.Finished && javac.ExitCode == 0, qPrintable(javac.Err));
        QVERIFY2(javac.Err.contains("[removal]"), qPrintable(javac.Err));
        QCOMPARE(datei::WriteBesideSource(source, "Hallo.html",
                                          datei::AppletPageLines("Hallo", 420, 310,
                                                                 QDateTime::currentDateTime(),
                                                                 QLocale::system()),
                                          datei::TLaunchPlatform::Unix),
                 datei::TLaunchFileResult::Written);

        TViewerRun run;
        QVERIFY(StartViewer(run, jdk, dir, "Hallo.html"));
        const std::optional<TXWindow> window = WaitForWindow("Hallo", ButtonPeer);
        run.Collect();
        QVERIFY2(window, qPrintable(run.Err));
        QCOMPARE(window->Geometry.width(), 420);
        // The template's button lies in the applet, which has the page's size.
        const QList<TXWindow> buttons = Named(ButtonPeer, window->Id);
        QCOMPARE(buttons.size(), 1);
        std::optional<TXWindow> applet;
        for (const TXWindow& inner : X.Descendants(window->Id))
            if (inner.Id == buttons.first().Parent)
                applet = inner;
        QVERIFY(applet);
        QCOMPARE(applet->Geometry.size(), QSize(420, 310));
        QVERIFY(applet->Geometry.contains(buttons.first().Geometry));
        QVERIFY(window->Geometry.contains(applet->Geometry));

        QVERIFY2(CloseAndWait(run, *window), qPrintable(run.Err));
    }

    void the_applet_is_given_its_page_and_is_stopped_and_destroyed_on_close() {
        const QString jdk = TestJdks().first();
        QTemporaryDir tmp;
        const QString dir = tmp.filePath("Sonde Ordner ä");
        QVERIFY(QDir().mkpath(dir));
        for (const char* name : {"Probe.java", "Probe.html", "bild.png", "ton.wav"})
            QVERIFY(CopyData(name, dir));
        const TProgramOutput javac = RunProgram(
            dir, jdk + "/bin/javac", {"-encoding", "UTF-8", "-d", "klassen", "Probe.java"});
        QVERIFY2(javac.Finished && javac.ExitCode == 0, qPrintable(javac.Err));

        TViewerRun run;
        QVERIFY(StartViewer(run, jdk, dir, "Probe.html"));
        std::optional<TXWindow> window =
            TXDisplay::WaitFor([&] { return X.FindWindow("Probe"); }, ShowTimeoutMs);
        QVERIFY2(window, qPrintable(run.Err));
        QVERIFY(QTest::qWaitFor(
            [&] {
                run.Collect();
                return run.Out.contains("start");
            },
            ShowTimeoutMs));
        QVERIFY2(CloseAndWait(run, *window), qPrintable(run.Err));

        const QString url = "file:" + QString(dir).replace(" ", "%20");
        const QStringList expected{
            "farbe=rot",
            "text=Grüße, Welt",
            "danach=null",
            "documentBase=" + url + "/Probe.html",
            "codeBase=" + url + "/klassen/",
            "size=320x200",
            "image=3x2",
            "audio=true",
            "self=true",
            "start active=true",
            "stop",
            "destroy",
        };
        QCOMPARE(run.Out.split('\n', Qt::SkipEmptyParts), expected);
    }

    void an_exception_in_init_takes_the_applets_place() {
        const QString jdk = TestJdks().first();
        QTemporaryDir tmp;
        QVERIFY(CopyData("Kaputt.java", tmp.path()));
        const TProgramOutput javac = RunProgram(tmp.path(), jdk + "/bin/javac", {"Kaputt.java"});
        QVERIFY2(javac.Finished && javac.ExitCode == 0, qPrintable(javac.Err));
        QCOMPARE(datei::WriteBesideSource(tmp.filePath("Kaputt.java"), "Kaputt.html",
                                          datei::AppletPageLines("Kaputt", 300, 200,
                                                                 QDateTime::currentDateTime(),
                                                                 QLocale::system()),
                                          datei::TLaunchPlatform::Unix),
                 datei::TLaunchFileResult::Written);

        TViewerRun run;
        QVERIFY(StartViewer(run, jdk, tmp.path(), "Kaputt.html"));
        // The exception's text fills the applet's area.
        const std::optional<TXWindow> window =
            WaitForWindow("Kaputt", TextAreaPeer, QSize(300, 200));
        run.Collect();
        QVERIFY2(window, qPrintable(run.Err));
        QCOMPARE(Named(TextAreaPeer, window->Id).size(), 1);
        QVERIFY(Named(ButtonPeer, window->Id).isEmpty());
        QVERIFY2(CloseAndWait(run, *window), qPrintable(run.Err));
        QVERIFY2(run.Err.contains("IllegalStateException: Absichtlich kaputt"),
                 qPrintable(run.Err));
    }

    void a_page_without_an_applet_says_so_in_a_window() {
        QTemporaryDir tmp;
        QVERIFY(WriteUtf8(tmp.filePath("Leer.html"), "<HTML><BODY>Nichts</BODY></HTML>\n"));
        TViewerRun run;
        QVERIFY(StartViewer(run, TestJdks().first(), tmp.path(), "Leer.html"));
        const std::optional<TXWindow> window = WaitForWindow("Leer.html", TextAreaPeer);
        run.Collect();
        QVERIFY2(window, qPrintable(run.Err));
        QVERIFY2(CloseAndWait(run, *window), qPrintable(run.Err));
        QVERIFY2(run.Err.contains("kein APPLET"), qPrintable(run.Err));
    }
};

QTEST_GUILESS_MAIN(TestAppletViewer)
#include "tst_appletviewer.moc"
