// Start-up: the application, its windows in their order, the event loop.
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Main/StartUp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // Under a file-size limit a save that outgrows it must fail with an error
    // box and leave the file as it was, not end the program with the text.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kodiwerk"));
    QApplication::setOrganizationName(QStringLiteral("quorndel"));

    // The whole interface speaks German, so Qt's own dialogs (files, fonts,
    // printers) do too, whatever the desktop's language.
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);

    QtPrompts prompts;
    TKodiwerkWindows windows(prompts, QApplication::arguments().mid(1));
    windows.MainForm->show();
    return app.exec();
}
