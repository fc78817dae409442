// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the recovery tests and their child process share: the texts a child
// "types", so that a test knows exactly what a restored copy must hold.

#include "Recovery/Recovery.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QStringList>

namespace rig {

// The documents a typing child keeps, as the window would have them: a
// Latin-1 file, a UTF-8 file with umlauts and U+2028 in a string literal,
// and an unnamed document.
inline QByteArray Latin1Original() {
    return QByteArray("// Gr\xFC\xDF"
                      "e aus K\xF6ln\r\npublic class Alt {\r\n}\r\n");
}
inline QByteArray Utf8Original() {
    return QByteArray("// Übung: Größe\r\npublic class Neu {\r\n\tString s = \"a\xE2\x80\xA8"
                      "b\";\r\n}\r\n");
}

// What an unnamed document held before typing: U+2028 in a string literal.
inline QString UnnamedOriginal() {
    return QStringLiteral("public class noname {\r\n\tString s = \"x\u2028y\";\r\n}\r\n");
}

// What the k-th keystroke adds: a whole line, so that tests can count them,
// in characters that a Latin-1 file can hold.
inline QString TypedLine(int k) {
    return QStringLiteral("// Zeile %1: äöü ß é\r\n").arg(k);
}

// The text after `keys` keystrokes into a document that held `original`.
inline QString Typed(const QString& original, int keys) {
    QString text = original;
    for (int k = 1; k <= keys; ++k)
        text += TypedLine(k);
    return text;
}

// A large text whose every line names its generation, so that a copy holding
// any mixture of two generations is told apart from a whole one.
inline QString ChurnText(int generation, int lines) {
    const QString line =
        QStringLiteral("// Generation %1 – Zeile mit Umlauten äöü\r\n").arg(generation);
    return line.repeated(lines);
}

inline recovery::TRecovery::TOptions Quick(const QString& root, qint64 idleMs = 30,
                                           qint64 maxMs = 300) {
    recovery::TRecovery::TOptions options;
    options.Root = root;
    options.Timings.IdleMs = idleMs;
    options.Timings.MaxDelayMs = maxMs;
    options.Timings.ShortPauseMs = idleMs;
    options.Timings.RetryMs = maxMs;
    return options;
}

// The copies in one run's folder.
inline QStringList CopiesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.copy")}, QDir::Files, QDir::Name);
}

} // namespace rig
