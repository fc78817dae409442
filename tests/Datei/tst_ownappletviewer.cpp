// SPDX-License-Identifier: GPL-3.0-or-later
// The cache of Kodiwerk's own applet viewer: compiled once per JDK with that
// JDK's javac, compiled again when the JDK changed, never used half-built.
#include "Datei/OwnAppletViewer.h"
#include "LaunchRig.h"

#include <QTemporaryDir>
#include <QtTest>

using datei::TOwnAppletViewer;

namespace {

const QString MainClassFile = QStringLiteral("kodiwerk/viewer/AppletViewer.class");

// The real javac, counting its calls.
struct TCountingRunner {
    int Calls = 0;
    datei::TRunCompiler Runner() {
        return [this](const doscall::TCommand& javac) {
            ++Calls;
            return doscall::RunCaptured(javac.Program, javac.Arguments);
        };
    }
};

// A JDK of its own: the real one's programs behind links, its own version file.
bool MakeJdkCopy(const QString& real, const QString& copy, const QString& release) {
    if (!QDir().mkpath(copy + "/bin"))
        return false;
    for (const char* program : {"javac", "java"})
        if (!QFile::link(real + "/bin/" + program, copy + "/bin/" + program))
            return false;
    return WriteUtf8(copy + "/release", release);
}

} // namespace

class TestOwnAppletViewer : public QObject {
    Q_OBJECT

private slots:
    void each_jdk_compiles_the_viewer_once() {
        QTemporaryDir cache;
        TCountingRunner javac;
        TOwnAppletViewer viewer(cache.path(), javac.Runner());
        QStringList directories;
        for (const QString& jdk : TestJdks()) {
            const QString classes = viewer.ClassDirectory(jdk);
            QVERIFY2(!classes.isEmpty(), qPrintable(viewer.CompileOutput()));
            QVERIFY(QFileInfo(QDir(classes).filePath(MainClassFile)).isFile());
            directories << classes;
        }
        QCOMPARE(javac.Calls, TestJdks().size());
        // Switching back and forth costs nothing once each JDK has its classes.
        for (qsizetype i = 0; i < TestJdks().size(); ++i)
            QCOMPARE(viewer.ClassDirectory(TestJdks()[i]), directories[i]);
        QCOMPARE(javac.Calls, TestJdks().size());
        QCOMPARE(QSet<QString>(directories.begin(), directories.end()).size(), directories.size());
        // Only class directories stay behind, no build leftovers.
        QCOMPARE(QDir(cache.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
                 directories.size());
    }

    void an_updated_jdk_compiles_it_again() {
        QTemporaryDir tmp;
        const QString jdk = tmp.filePath("jdk");
        QVERIFY(MakeJdkCopy(TestJdks().first(), jdk, "JAVA_VERSION=\"17.0.1\"\n"));
        TCountingRunner javac;
        TOwnAppletViewer viewer(tmp.filePath("cache"), javac.Runner());
        const QString before = viewer.ClassDirectory(jdk);
        QVERIFY2(!before.isEmpty(), qPrintable(viewer.CompileOutput()));
        QVERIFY(WriteUtf8(jdk + "/release", "JAVA_VERSION=\"17.0.2\"\n"));
        const QString after = viewer.ClassDirectory(jdk);
        QVERIFY2(!after.isEmpty(), qPrintable(viewer.CompileOutput()));
        QVERIFY(after != before);
        QCOMPARE(javac.Calls, 2);
    }

    void incomplete_classes_are_compiled_again() {
        QTemporaryDir cache;
        TCountingRunner javac;
        TOwnAppletViewer viewer(cache.path(), javac.Runner());
        const QString classes = viewer.ClassDirectory(TestJdks().first());
        QVERIFY(QFile::remove(QDir(classes).filePath(MainClassFile)));
        QCOMPARE(viewer.ClassDirectory(TestJdks().first()), classes);
        QVERIFY(QFileInfo(QDir(classes).filePath(MainClassFile)).isFile());
        QCOMPARE(javac.Calls, 2);
    }

    void a_jdk_without_javac_gets_no_viewer_and_is_told_why() {
        QTemporaryDir tmp;
        const QString jdk = tmp.filePath("kein jdk");
        QVERIFY(QDir().mkpath(jdk + "/bin"));
        TOwnAppletViewer viewer(tmp.filePath("cache"));
        QCOMPARE(viewer.ClassDirectory(jdk), QString());
        QVERIFY2(viewer.CompileOutput().contains(jdk + "/bin/javac"),
                 qPrintable(viewer.CompileOutput()));
        QCOMPARE(QDir(tmp.filePath("cache")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void a_javac_that_reports_failure_gets_no_viewer() {
        QTemporaryDir tmp;
        // Compiles, but says it failed: the exit status decides, not the output.
        TOwnAppletViewer viewer(tmp.path(), [](const doscall::TCommand& javac) {
            doscall::TCapture run = doscall::RunCaptured(javac.Program, javac.Arguments);
            run.ExitCode = 1;
            return run;
        });
        QCOMPARE(viewer.ClassDirectory(TestJdks().first()), QString());
    }

    void the_viewer_runs_with_the_jdks_interpreter() {
        const TOwnAppletViewer unix(QString(), nullptr, datei::TLaunchPlatform::Unix);
        const doscall::TCommand call = unix.Command("/opt/jdk", "/c/klassen", "Hallo.html", true);
        QCOMPARE(call.Program, QStringLiteral("/opt/jdk/bin/java"));
        QCOMPARE(call.Arguments,
                 QStringList({"-cp", "/c/klassen", TOwnAppletViewer::MainClass, "Hallo.html"}));
        // Windows opens a console for java.exe; javaw.exe runs without one.
        const TOwnAppletViewer windows(QString(), nullptr, datei::TLaunchPlatform::Windows);
        QCOMPARE(windows.Command("C:\\jdk", "C:\\c", "Hallo.html", false).Program,
                 QStringLiteral("C:\\jdk\\bin\\javaw.exe"));
        QCOMPARE(windows.Command("C:\\jdk", "C:\\c", "Hallo.html", true).Program,
                 QStringLiteral("C:\\jdk\\bin\\java.exe"));
    }
};

QTEST_GUILESS_MAIN(TestOwnAppletViewer)
#include "tst_ownappletviewer.moc"
