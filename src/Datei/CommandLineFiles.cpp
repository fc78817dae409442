// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/CommandLineFiles.h"

#include "Datei/DocumentNames.h"

#include <QDir>
#include <QFileInfo>

namespace datei {

namespace {

QString NotOpened(const QString& argument, const QString& why) {
    return QStringLiteral("„%1“ wurde nicht geöffnet: %2").arg(argument, why);
}

} // namespace

TCommandLineFiles CommandLineFiles(const QStringList& arguments, const QString& workingDir,
                                   int room) {
    TCommandLineFiles files;
    for (const QString& argument : arguments) {
        if (argument.isEmpty())
            continue;
        const QFileInfo file(QDir(workingDir).absoluteFilePath(argument));
        if (!IsJavaSourceArgument(argument))
            files.Refused << NotOpened(argument, QStringLiteral("Kodiwerk öffnet nur Java-Dateien "
                                                                "mit der Endung .java."));
        else if (!file.exists())
            files.Refused << NotOpened(argument, QStringLiteral("Diese Datei gibt es nicht."));
        else if (!file.isFile())
            files.Refused << NotOpened(argument, QStringLiteral("Das ist keine Datei."));
        else if (files.Open.size() >= room)
            files.Refused << NotOpened(argument,
                                       QStringLiteral("Es können höchstens %1 Dateien zugleich "
                                                      "offen sein.")
                                           .arg(room));
        else
            files.Open << QDir::cleanPath(file.absoluteFilePath());
    }
    return files;
}

} // namespace datei
