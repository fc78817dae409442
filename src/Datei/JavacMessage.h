// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace datei {

// One message of the Java compiler as it wrote it: the headline
// `file:line: kind: text`, then (for most messages) the source line, the
// caret line, and indented detail lines ("symbol:   variable zahll",
// "location: class Hallo", "required: int", the candidates of "no suitable
// method found", ...). Everything is javac's own words, in the language it
// spoke; nothing here is translated.
struct TJavacMessage {
    enum class TKind {
        Error,   // "error:" / "Fehler:"
        Warning, // "warning:" / "Warnung:"
        Note,    // "Note:" / "Hinweis:" lines, which name no place
    };

    TKind Kind = TKind::Error;
    // The file as javac named it: the path passed on the command line, or
    // another file of the program (relative to the compile's directory or
    // absolute). Empty when it names none (most notes, "error: file not found").
    QString File;
    // 1-based line javac names; -1 when it names none.
    int Line = -1;
    // 1-based column of the character the caret line marks; 1 without one.
    int Column = 1;
    // The text after the kind word, as javac wrote it ("';' expected",
    // "cannot find symbol").
    QString Text;
    // The echoed source line; empty when javac wrote none.
    QString SourceLine;
    // The detail lines after the caret line, as javac wrote them
    // (indentation included), in order.
    QStringList Details;

    bool operator==(const TJavacMessage&) const = default;
};

} // namespace datei
