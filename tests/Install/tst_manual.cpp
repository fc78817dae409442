// SPDX-License-Identifier: GPL-3.0-or-later
// The manual page kodiwerk(1) and "kodiwerk --help": the page renders without
// a warning, both name the same options in the same order, the files the page
// and --help name are the ones the program uses, and --help needs no display.
#include "InstallRig.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The lines of one section of a rendered page, up to the next heading.
QStringList Section(const QString& page, const QString& heading) {
    QStringList lines;
    bool inside = false;
    for (const QString& line : page.split('\n')) {
        const bool isHeading = !line.isEmpty() && !line.front().isSpace();
        if (isHeading)
            inside = line == heading;
        else if (inside)
            lines << line;
    }
    return lines;
}

// The first word of each line indented by exactly `indent` blanks: the tags of
// the page's tagged paragraphs, the options of the --help text.
QStringList Tags(const QStringList& lines, int indent) {
    QStringList tags;
    for (const QString& line : lines)
        if (line.size() > indent && line.left(indent).trimmed().isEmpty() &&
            !line.at(indent).isSpace())
            tags << line.mid(indent).section(' ', 0, 0);
    return tags;
}

QStringList Trimmed(QStringList lines) {
    for (QString& line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    return lines;
}

} // namespace

class TestManual : public QObject {
    Q_OBJECT

    QString page; // the page as man renders it, 80 columns wide
    QString help; // what "kodiwerk --help" prints

private slots:
    void initTestCase() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        environment.remove(QStringLiteral("MANOPT"));
        environment.remove(QStringLiteral("MAN_KEEP_FORMATTING"));
        const TRun man =
            Run(Tool("man"),
                {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
                 QStringLiteral("-l"), QStringLiteral(KW_MANUAL_PAGE)},
                60000, environment, true);
        QVERIFY2(man.Code == 0, qPrintable(man.Errors));
        // groff's own hyphen and minus would hide the options from a comparison.
        page = man.Output;
        page.replace(QChar(0x2010), '-').replace(QChar(0x2212), '-');
        QVERIFY2(man.Errors.isEmpty(), qPrintable(man.Errors)); // a warning of groff or man

        const TRun run = Run(QStringLiteral(KW_PROGRAM), {QStringLiteral("--help")}, 60000,
                             WithoutDisplay(), true);
        QVERIFY2(run.Code == 0, qPrintable(run.Output + run.Errors));
        QVERIFY2(run.Errors.isEmpty(), qPrintable(run.Errors));
        help = run.Output;
    }

    void the_manual_page_renders_as_a_german_page_of_section_one() {
        QVERIFY2(page.startsWith(QStringLiteral("KODIWERK(1)")), qPrintable(page));
        for (const char* heading :
             {"BEZEICHNUNG", "ÜBERSICHT", "BESCHREIBUNG", "OPTIONEN", "DATEIEN", "SIEHE AUCH"})
            QVERIFY2(!Section(page, QString::fromUtf8(heading)).isEmpty(), heading);
        QVERIFY2(page.contains(QStringLiteral("Kodiwerk " KW_VERSION)), qPrintable(page));
    }

    void help_and_the_manual_page_name_the_same_options_in_the_same_order() {
        const QStringList options = Tags(Section(page, QStringLiteral("OPTIONEN")), 7);
        QCOMPARE(options, QStringList({QStringLiteral("Datei.java"), QStringLiteral("--paths"),
                                       QStringLiteral("--help")}));
        QCOMPARE(Tags(help.split('\n'), 2), options);
    }

    void help_and_the_manual_page_show_the_same_calls() {
        QStringList calls = help.section(QStringLiteral("\n\n"), 0, 0).split('\n');
        QVERIFY2(calls.first().startsWith(QStringLiteral("Aufruf: ")), qPrintable(help));
        calls.first().remove(0, 8);
        QCOMPARE(Trimmed(calls), Trimmed(Section(page, QString::fromUtf8("ÜBERSICHT"))));
    }

    void the_manual_page_names_the_files_the_program_uses() {
        const QStringList files = Tags(Section(page, QStringLiteral("DATEIEN")), 7);
        const QString home = QDir::homePath();
        const auto fromHome = [&home](QString path) {
            return path.startsWith(home + '/') ? path.replace(0, home.size(), QStringLiteral("~"))
                                               : path;
        };

        qunsetenv("XDG_CONFIG_HOME");
        const QString settings =
            QSettings(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk")).fileName();
        QVERIFY2(files.contains(fromHome(settings)), qPrintable(settings));

        QProcessEnvironment environment = WithoutDisplay();
        environment.remove(QStringLiteral("XDG_CACHE_HOME"));
        const TRun paths =
            Run(QStringLiteral(KW_PROGRAM), {QStringLiteral("--paths")}, 60000, environment, true);
        const QString viewer =
            paths.Output.section(QString::fromUtf8("übersetzt in "), 1).section('\n', 0, 0);
        QVERIFY2(viewer.endsWith(QStringLiteral("/appletviewer")), qPrintable(paths.Output));
        const QString cache = viewer.chopped(QStringLiteral("appletviewer").size());
        QVERIFY2(files.contains(fromHome(cache)), qPrintable(cache));

        const QString helpPage =
            paths.Output.section(QStringLiteral("Hilfeseite: "), 1).section('\n', 0, 0);
        QVERIFY2(helpPage.endsWith(QStringLiteral(".html")), qPrintable(paths.Output));
        QVERIFY2(files.contains(QStringLiteral("/usr/share/kodiwerk/help/") +
                                QFileInfo(helpPage).fileName()),
                 qPrintable(files.join('\n')));

        QVERIFY2(files.contains(QStringLiteral("~/.local/state/quorndel/Kodiwerk/")),
                 qPrintable(files.join('\n')));
        QVERIFY2(help.contains(fromHome(settings)), qPrintable(help));
    }
};

QTEST_GUILESS_MAIN(TestManual)
#include "tst_manual.moc"
