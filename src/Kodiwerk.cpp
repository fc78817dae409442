// Start-up: the application, its windows in their order, the event loop.
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Main/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kodiwerk"));
    QApplication::setOrganizationName(QStringLiteral("quorndel"));

    QtPrompts prompts;
    TKodiwerkWindows windows(prompts, QApplication::arguments().mid(1));
    windows.MainForm->show();
    return app.exec();
}
