// Kodiwerk installed like a desktop program: every file in its place under a
// prefix, the menu entry and the metadata accepted by the desktop's
// validators, the installed program running from a prefix moved elsewhere,
// and a Debian package that names what it needs.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct TRun {
    int Code = -1;
    QString Output; // standard output and error together
};

TRun Run(const QString& program, const QStringList& arguments, int timeoutMs = 120000,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, QStringLiteral("timed out: ") + program};
    }
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {code, QString::fromUtf8(process.readAll())};
}

const QString AppId = QStringLiteral("de.quorndel.Kodiwerk");

// Every file an install must put down, relative to the prefix.
QStringList InstalledFiles() {
    QStringList files{QStringLiteral("bin/kodiwerk"),
                      QStringLiteral("share/applications/") + AppId + QStringLiteral(".desktop"),
                      QStringLiteral("share/metainfo/") + AppId + QStringLiteral(".metainfo.xml"),
                      QStringLiteral("share/icons/hicolor/scalable/apps/kodiwerk.svg"),
                      QStringLiteral("share/kodiwerk/help/kodiwerk-hilfe.html")};
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/kodiwerk.png").arg(size);
    return files;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir work;
    QString prefix;

    QString Tool(const char* name) const {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (path.isEmpty())
            qFatal("%s is missing: scripts/setup.sh installs it", name);
        return path;
    }

private slots:
    void initTestCase() {
        QVERIFY(work.isValid());
        prefix = work.filePath(QStringLiteral("prefix"));
        const TRun install = Run(QStringLiteral(KW_CMAKE),
                                 {QStringLiteral("--install"), QStringLiteral(KW_BINARY_DIR),
                                  QStringLiteral("--prefix"), prefix});
        QVERIFY2(install.Code == 0, qPrintable(install.Output));
    }

    void an_install_puts_every_file_where_the_desktop_looks_for_it() {
        for (const QString& file : InstalledFiles())
            QVERIFY2(QFileInfo(QDir(prefix).filePath(file)).isFile(), qPrintable(file));
        QVERIFY(QFileInfo(QDir(prefix).filePath(QStringLiteral("bin/kodiwerk"))).isExecutable());
    }

    void the_menu_entry_opens_java_files_and_passes_the_validator() {
        const QString entry =
            QDir(prefix).filePath(QStringLiteral("share/applications/") + AppId + ".desktop");
        const TRun check = Run(Tool("desktop-file-validate"), {entry});
        QVERIFY2(check.Code == 0 && check.Output.trimmed().isEmpty(), qPrintable(check.Output));
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral("\nExec=kodiwerk %f\n")));
        QVERIFY(text.contains(QStringLiteral("\nMimeType=text/x-java;\n")));
        QVERIFY(text.contains(QStringLiteral("\nCategories=Development;IDE;\n")));
        QVERIFY(text.contains(QStringLiteral("\nIcon=kodiwerk\n")));
    }

    void the_metadata_passes_the_validator_and_shows_the_screenshot() {
        const QString metadata =
            QDir(prefix).filePath(QStringLiteral("share/metainfo/") + AppId + ".metainfo.xml");
        const TRun check = Run(Tool("appstreamcli"),
                               {QStringLiteral("validate"), QStringLiteral("--no-net"), metadata});
        QVERIFY2(check.Code == 0, qPrintable(check.Output));
        QFile file(metadata);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral("docs/screenshot.png</image>")));
        QVERIFY(text.contains(QStringLiteral("<launchable type=\"desktop-id\">") + AppId));
    }

    void a_prefix_moved_elsewhere_still_finds_the_help_page_and_the_applet_viewer() {
        const QString moved = work.filePath(QStringLiteral("moved"));
        QVERIFY(QDir().rename(prefix, moved));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        // Nothing may be found through the desktop's data folders instead.
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), work.filePath(QStringLiteral("none")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), work.filePath(QStringLiteral("none")));
        const TRun paths = Run(QDir(moved).filePath(QStringLiteral("bin/kodiwerk")),
                               {QStringLiteral("--paths")}, 60000, environment);
        QVERIFY(QDir().rename(moved, prefix));
        QVERIFY2(paths.Code == 0, qPrintable(paths.Output));
        QVERIFY2(paths.Output.contains(QStringLiteral("Hilfeseite: ") + moved +
                                       QStringLiteral("/share/kodiwerk/help/kodiwerk-hilfe.html")),
                 qPrintable(paths.Output));
        QVERIFY2(paths.Output.contains(QStringLiteral("Appletviewer: eingebaut (")),
                 qPrintable(paths.Output));
    }

    void the_package_names_what_it_needs_and_holds_the_installed_files() {
        const QString output = work.filePath(QStringLiteral("package"));
        const TRun pack =
            Run(QStringLiteral(KW_CPACK),
                {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), output,
                 QStringLiteral("--config"), QStringLiteral(KW_BINARY_DIR "/CPackConfig.cmake")},
                540000);
        QVERIFY2(pack.Code == 0, qPrintable(pack.Output));
        const QStringList packages =
            QDir(output).entryList({QStringLiteral("kodiwerk_*.deb")}, QDir::Files);
        QCOMPARE(packages.size(), 1);
        const QString package = QDir(output).filePath(packages.first());

        const TRun fields =
            Run(Tool("dpkg-deb"), {QStringLiteral("-f"), package, QStringLiteral("Depends"),
                                   QStringLiteral("Recommends")});
        QVERIFY2(fields.Code == 0, qPrintable(fields.Output));
        for (const char* needed : {"libqt6widgets6", "libqt6printsupport6", "qt6-translations-l10n",
                                   "xterm | x-terminal-emulator", "Recommends: default-jdk"})
            QVERIFY2(fields.Output.contains(QLatin1String(needed)), qPrintable(fields.Output));

        const TRun contents = Run(Tool("dpkg-deb"), {QStringLiteral("--contents"), package});
        QVERIFY2(contents.Code == 0, qPrintable(contents.Output));
        for (const QString& file : InstalledFiles())
            QVERIFY2(contents.Output.contains(QStringLiteral("./usr/") + file), qPrintable(file));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
