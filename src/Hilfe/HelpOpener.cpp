// SPDX-License-Identifier: GPL-3.0-or-later
#include "Hilfe/HelpOpener.h"

#include "Hilfe/HelpPage.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

THelpPlatform THelpPlatform::Desktop() {
    THelpPlatform platform;
    platform.Beep = [] { QApplication::beep(); };
    platform.OpenFile = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    };
    platform.StartProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
    platform.ShippedPage = [] { return hilfe::ShippedHelpPage(); };
    return platform;
}

namespace hilfe {

QStringList HelpBrowsers() {
#ifdef Q_OS_WIN
    return {QStringLiteral("netscape.exe"), QStringLiteral("iexplore.exe")};
#else
    return {QStringLiteral("x-www-browser"), QStringLiteral("firefox")};
#endif
}

void OpenHelpFile(const QString& setting, const THelpPlatform& platform) {
    const QString path =
        setting.isEmpty() && platform.ShippedPage ? platform.ShippedPage() : setting;
    if (path.isEmpty()) {
        platform.Message(QStringLiteral("Die Hilfedatei im HTML-Format ist noch nicht unter "
                                        "Bearbeiten->Optionen eingetragen!"));
        return;
    }
    platform.Beep();
    // The desktop's opener reports success as soon as it runs, so a missing
    // file must fail here, or no browser would ever be tried.
    if (QFileInfo::exists(path) && platform.OpenFile(path))
        return;
    // The path is one argument however many blanks it holds.
    for (const QString& browser : HelpBrowsers())
        if (platform.StartProgram(browser, {path}))
            return;
    platform.Message(
        QStringLiteral("Leider konnte kein Web-Browser auf Ihrem System gefunden werden!"));
}

} // namespace hilfe
