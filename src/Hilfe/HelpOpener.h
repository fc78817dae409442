// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What opening the help file needs from the desktop; tests put their own in.
struct THelpPlatform {
    // A plain message box with one OK button.
    std::function<void(const QString& text)> Message;
    std::function<void()> Beep;
    // The desktop opens the file with the program registered for its type.
    std::function<bool(const QString& path)> OpenFile;
    // Starts `program` with `arguments`, each reaching it as one argument.
    std::function<bool(const QString& program, const QStringList& arguments)> StartProgram;
    // The help page that comes with Kodiwerk, opened while no help file is
    // set; "" (or unset) when there is none.
    std::function<QString()> ShippedPage;

    // The real desktop; messages still have to be set by the caller.
    static THelpPlatform Desktop();
};

namespace hilfe {

// The two web browsers tried by name when the desktop cannot open the file:
// the system's chosen browser where the distribution keeps one
// (x-www-browser), then the browser found under the same name nearly
// everywhere else (firefox).
QStringList HelpBrowsers();

// Hands the help file to the desktop, or failing that to a browser by name.
// An empty setting stands for the help page that comes with Kodiwerk; without
// one either, the user is only asked to enter a file in the options.
// Otherwise a beep, then up to three attempts, and a message when all of
// them failed.
void OpenHelpFile(const QString& setting, const THelpPlatform& platform);

} // namespace hilfe
