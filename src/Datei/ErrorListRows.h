// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/JavacOutput.h"
#include "DosCall/RunCaptured.h"

#include <QList>
#include <QString>

namespace datei {

// One row of the error list and where a double-click on it leads.
struct TErrorListEntry {
    enum class TKind {
        Error,   // "Fehler N: ..."
        Warning, // "Warnung N: ..."
        Note,    // "Hinweis: ..."
        Raw,     // a line of output that is no javac message, as it was written
        Remark,  // a line of our own: javac stopped early, or ended without a word
    };

    TKind Kind = TKind::Remark;
    // The row as the list shows it.
    QString Text;
    // The row with javac's detail lines under it ("symbol: variable zahll"),
    // for the tooltip; the row alone when there are none.
    QString ToolTip;
    // The file the entry points into, absolute and clean: the compiled file or
    // another file of the program. Empty when it points nowhere.
    QString File;
    // 1-based line; -1 when the entry names none.
    int Line = -1;
    // 1-based column of the character javac marked; 1 without a mark.
    int Column = 1;
    // The message as javac wrote it, for an error, warning or note.
    TJavacMessage Message;

    bool HasPlace() const { return !File.isEmpty() && Line >= 1; }
    bool operator==(const TErrorListEntry&) const = default;
};

// The rows of the error list for one compile.
struct TErrorRows {
    QList<TErrorListEntry> Entries;
    // The entry the caret goes to after the compile: the first error, never a
    // warning. -1 when javac named no error; the caret then stays where it is.
    int JumpTarget = -1;
    // The compile failed (javac did not exit with 0, or named an error): the
    // list wears the colour of a failure. Otherwise it holds the warnings and
    // notes of a compile that succeeded, in a neutral colour.
    bool Failed = false;
};

// The rows for a compile: each javac message (errors and warnings numbered
// among themselves: "Fehler 1: ';' expected in /home/anna/Hallo.java",
// "Warnung 1: ...", "Hinweis: ..."), then the raw lines, then our own German
// line when javac stopped showing messages early, was killed, or failed
// without a word. Files javac names relative to `compileDir` (the directory
// it ran in) are made absolute.
TErrorRows ErrorListRows(const TJavacOutput& output, const doscall::TCapture& run,
                         const QString& compileDir);

} // namespace datei
