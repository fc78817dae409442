// SPDX-License-Identifier: GPL-3.0-or-later
// Kodiwerk installed like a desktop program: every file in its place under a
// prefix, the menu entry and the metadata accepted by the desktop's
// validators, the installed program running from a prefix moved elsewhere,
// and a Debian package that names what it needs, carries its licence, changelog
// and manual page, and that lintian finds nothing wrong with.
#include "InstallRig.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString AppId = QStringLiteral("de.quorndel.Kodiwerk");

// Every file an install must put down, relative to the prefix.
QStringList InstalledFiles() {
    QStringList files{QStringLiteral("bin/kodiwerk"),
                      QStringLiteral("share/applications/") + AppId + QStringLiteral(".desktop"),
                      QStringLiteral("share/metainfo/") + AppId + QStringLiteral(".metainfo.xml"),
                      QStringLiteral("share/icons/hicolor/scalable/apps/kodiwerk.svg"),
                      QStringLiteral("share/kodiwerk/help/kodiwerk-hilfe.html"),
                      QStringLiteral("share/doc/kodiwerk/copyright"),
                      QStringLiteral("share/doc/kodiwerk/changelog.gz"),
                      QStringLiteral("share/man/man1/kodiwerk.1.gz")};
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/kodiwerk.png").arg(size);
    return files;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir work;
    QString prefix;
    QString package; // built by the first test that needs it
    bool packed = false;

    // Builds the Debian package into the work folder, tried once: empty when it failed.
    QString Package() {
        if (packed)
            return package;
        packed = true;
        const QString output = work.filePath(QStringLiteral("package"));
        const TRun pack =
            Run(QStringLiteral(KW_CPACK),
                {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), output,
                 QStringLiteral("--config"), QStringLiteral(KW_BINARY_DIR "/CPackConfig.cmake")},
                540000);
        if (pack.Code != 0)
            qWarning("%s", qPrintable(pack.Output));
        const QStringList packages =
            QDir(output).entryList({QStringLiteral("kodiwerk_*.deb")}, QDir::Files);
        if (packages.size() == 1)
            package = QDir(output).filePath(packages.first());
        return package;
    }

    // The package's files unpacked into a folder of their own.
    QString Unpacked() {
        const QString folder = work.filePath(QStringLiteral("unpacked"));
        if (!QFileInfo::exists(folder)) {
            const TRun unpack = Run(Tool("dpkg-deb"), {QStringLiteral("-x"), Package(), folder});
            if (unpack.Code != 0)
                qWarning("%s", qPrintable(unpack.Output));
        }
        return folder;
    }

    QString Field(const char* name) {
        return Run(Tool("dpkg-deb"), {QStringLiteral("-f"), Package(), QString::fromLatin1(name)})
            .Output.trimmed();
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
        QVERIFY(
            text.contains(QStringLiteral("<project_license>GPL-3.0-or-later</project_license>")));
    }

    void a_prefix_moved_elsewhere_still_finds_the_help_page_and_the_applet_viewer() {
        const QString moved = work.filePath(QStringLiteral("moved"));
        QVERIFY(QDir().rename(prefix, moved));
        QProcessEnvironment environment = WithoutDisplay();
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
        QVERIFY2(!Package().isEmpty(), "cpack built no kodiwerk_*.deb");
        const TRun fields =
            Run(Tool("dpkg-deb"), {QStringLiteral("-f"), Package(), QStringLiteral("Depends"),
                                   QStringLiteral("Recommends")});
        QVERIFY2(fields.Code == 0, qPrintable(fields.Output));
        for (const char* needed : {"libqt6widgets6", "libqt6printsupport6", "qt6-translations-l10n",
                                   "xterm | x-terminal-emulator", "Recommends: default-jdk"})
            QVERIFY2(fields.Output.contains(QLatin1String(needed)), qPrintable(fields.Output));

        const TRun contents = Run(Tool("dpkg-deb"), {QStringLiteral("--contents"), Package()});
        QVERIFY2(contents.Code == 0, qPrintable(contents.Output));
        for (const QString& file : InstalledFiles())
            QVERIFY2(contents.Output.contains(QStringLiteral("./usr/") + file), qPrintable(file));
    }

    void the_package_states_its_licence_in_debians_format() {
        QFile file(QDir(Unpacked()).filePath(QStringLiteral("usr/share/doc/kodiwerk/copyright")));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.startsWith(QStringLiteral(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")));
        QVERIFY2(text.contains(QStringLiteral("\nFiles: *\n")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("\nLicense: GPL-3+\n")), qPrintable(text));
        QVERIFY2(
            text.contains(QStringLiteral("either version 3 of the License, or (at your option)")),
            qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("\"/usr/share/common-licenses/GPL-3\"")),
                 qPrintable(text));
    }

    void the_changelog_begins_with_the_packaged_version() {
        const QString changelog =
            QDir(Unpacked()).filePath(QStringLiteral("usr/share/doc/kodiwerk/changelog.gz"));
        const TRun text = Run(Tool("gzip"), {QStringLiteral("-dc"), changelog}, 120000,
                              QProcessEnvironment::systemEnvironment(), true);
        QVERIFY2(text.Code == 0, qPrintable(text.Errors));
        const QString plain = work.filePath(QStringLiteral("changelog"));
        QFile file(plain);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.Output.toUtf8());
        file.close();
        const TRun version =
            Run(Tool("dpkg-parsechangelog"),
                {QStringLiteral("-l"), plain, QStringLiteral("-S"), QStringLiteral("Version")});
        QVERIFY2(version.Code == 0, qPrintable(version.Output));
        QCOMPARE(version.Output.trimmed(), Field("Version"));
        QCOMPARE(Field("Version"), QStringLiteral(KW_VERSION));
    }

    void lintian_finds_no_error_and_no_warning_in_the_package() {
        QVERIFY2(!Package().isEmpty(), "cpack built no kodiwerk_*.deb");
        const TRun lint =
            Run(Tool("lintian"),
                {QStringLiteral("--fail-on"), QStringLiteral("error,warning"),
                 QStringLiteral("--tag-display-limit"), QStringLiteral("0"), Package()},
                300000);
        // Informational tags may stay; errors and warnings fail, each one named.
        const QStringList findings =
            lint.Output.split('\n').filter(QRegularExpression(QStringLiteral("^[EW]: ")));
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
        QVERIFY2(lint.Code == 0, qPrintable(lint.Output));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
