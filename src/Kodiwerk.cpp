// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the application, its windows in their order, the event loop.
#include "Datei/OwnAppletViewer.h"
#include "Datei/WarmCompiler.h"
#include "Hilfe/HelpPage.h"
#include "LargePages.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Main/StartUp.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTranslator>
#include <csignal>

namespace {

// "kodiwerk --paths" tells where the program finds what it ships, so an
// installation can be checked without a window or a display.
int ShowPaths() {
    const QString help = hilfe::ShippedHelpFolder();
    const auto viewerSources = datei::TOwnAppletViewer::Sources().size();
    QTextStream out(stdout);
    out << "Programm: " << QCoreApplication::applicationFilePath() << '\n'
        << "Hilfeseite: "
        << (help.isEmpty() ? QStringLiteral("nicht gefunden") : help + '/' + hilfe::HelpPageName)
        << '\n'
        << "Appletviewer: "
        << (viewerSources == 0 ? QStringLiteral("fehlt")
                               : QStringLiteral("eingebaut (%1 Java-Quelldateien), übersetzt in %2")
                                     .arg(viewerSources)
                                     .arg(datei::TOwnAppletViewer::DefaultCacheRoot()))
        << '\n'
        << datei::TWarmCompiler::PathsLine() << '\n';
    return help.isEmpty() || viewerSources == 0 ? 1 : 0;
}

// "kodiwerk --help" names the same options as the manual page kodiwerk(1);
// the package's tests compare the two.
int ShowHelp() {
    QTextStream out(stdout);
    out << QStringLiteral(
        "Aufruf: kodiwerk [Datei.java ...]\n"
        "        kodiwerk --paths\n"
        "        kodiwerk --help\n"
        "\n"
        "Kodiwerk ist eine kleine Entwicklungsumgebung für alle, die Java lernen.\n"
        "\n"
        "  Datei.java  öffnet die genannten Java-Dateien beim Start, jede auf einer\n"
        "              eigenen Editorseite, höchstens fünf\n"
        "  --paths     zeigt, wo Kodiwerk seine Hilfeseite findet und wohin es seinen\n"
        "              eigenen Appletviewer und den Übersetzungshelfer übersetzt\n"
        "  --help      zeigt diese Hilfe\n"
        "\n"
        "Die Einstellungen stehen in ~/.config/quorndel/Kodiwerk.conf.\n"
        "Mehr dazu in der Handbuchseite: man kodiwerk\n");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // Under a file-size limit a save that outgrows it must fail with an error
    // box and leave the file as it was, not end the program with the text.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The names place the settings and the cache, also for --paths.
    QCoreApplication::setApplicationName(QStringLiteral("Kodiwerk"));
    QCoreApplication::setOrganizationName(QStringLiteral("quorndel"));
    if (argc == 2 && QByteArray(argv[1]) == "--paths") {
        const QCoreApplication app(argc, argv);
        return ShowPaths();
    }
    if (argc == 2 && QByteArray(argv[1]) == "--help")
        return ShowHelp();
    largepages::RestartWithLargePages(argc, argv);
    QApplication app(argc, argv);
    // The desktop pairs the window with the menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("de.quorndel.Kodiwerk"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kodiwerk"),
                                                 QIcon(QStringLiteral(":/icons/kodiwerk.png"))));

    // The whole interface speaks German, so Qt's own dialogs (files, fonts,
    // printers) do too, whatever the desktop's language.
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);

    TQtPrompts prompts;
    TKodiwerkWindows windows(prompts, QApplication::arguments().mid(1));
    windows.MainForm->show();
    return app.exec();
}
