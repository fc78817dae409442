// SPDX-License-Identifier: GPL-3.0-or-later
#include "DosCall/Terminals.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace doscall {

QString FindTerminal() {
    QStringList candidates{qEnvironmentVariable("TERMINAL"), QStringLiteral("x-terminal-emulator"),
                           QStringLiteral("xterm"),          QStringLiteral("konsole"),
                           QStringLiteral("gnome-terminal"), QStringLiteral("xfce4-terminal")};
    for (const QString& name : candidates) {
        if (name.isEmpty())
            continue;
        const QString path =
            QFileInfo(name).isAbsolute() ? name : QStandardPaths::findExecutable(name);
        const QFileInfo info(path);
        if (!path.isEmpty() && info.isFile() && info.isExecutable())
            return path;
    }
    return QString();
}

TCommand TerminalCommand(const QString& terminal, const QString& program,
                         const QStringList& arguments, bool minimised) {
    const QString canonical = QFileInfo(terminal).canonicalFilePath();
    const QString kind = QFileInfo(canonical.isEmpty() ? terminal : canonical).fileName();
    const QStringList command = QStringList{program} + arguments;

    TCommand result{terminal, {}};
    if (kind == QLatin1String("xterm") || kind == QLatin1String("uxterm") ||
        kind == QLatin1String("lxterm")) {
        if (minimised)
            result.Arguments.append(QStringLiteral("-iconic"));
        // Its own bitmap font shows characters beyond Latin-1 ("€") as blanks;
        // a scalable one has them. "monospace" stands in where DejaVu is missing.
        result.Arguments << QStringLiteral("-fa") << QStringLiteral("DejaVu Sans Mono,monospace")
                         << QStringLiteral("-fs") << QStringLiteral("11");
        result.Arguments << QStringLiteral("-e") << command;
    } else if (kind == QLatin1String("gnome-terminal")) {
        result.Arguments << QStringLiteral("--") << command;
    } else if (kind == QLatin1String("xfce4-terminal")) {
        result.Arguments << QStringLiteral("-x") << command;
    } else { // konsole, the .wrapper scripts of Debian's alternatives, others
        result.Arguments << QStringLiteral("-e") << command;
    }
    return result;
}

} // namespace doscall
