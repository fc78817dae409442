// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/JavacMessage.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace datei {

// javac's closing count of one kind of message ("2 errors", "1 Warnung") and,
// when it stopped writing them early, how many it found ("only showing the
// first 100 errors, of 150 total ...").
struct TJavacCount {
    // The messages of this kind javac wrote; 0 when it wrote no count.
    int Shown = 0;
    // The messages of this kind it found: more than Shown when it stopped early.
    int Total = 0;

    bool Truncated() const { return Total > Shown; }
    bool operator==(const TJavacCount&) const = default;
};

struct TJavacSummary {
    TJavacCount Errors;
    TJavacCount Warnings;
    bool operator==(const TJavacSummary&) const = default;
};

// Everything a compile wrote, sorted out.
struct TJavacOutput {
    // javac's messages in the order it wrote them, one record each however
    // many lines a message took.
    QList<TJavacMessage> Messages;
    // Its closing counts; they never become messages.
    TJavacSummary Summary;
    // The lines that are not in javac's message format at all (a usage text,
    // a crashed compiler's stack trace), in order.
    QStringList RawLines;
};

// Sorts out what javac 8 to 25 wrote, in English or German. A message begins
// with a headline `file:line: kind: text` (or `kind: text` where it names no
// place); kind is error/warning/Note or Fehler/Warnung/Hinweis. When the two
// lines after a headline with a line number are a source line and a caret
// line (blanks and tabs up to a '^'), they give the message its source line
// and column; the indented lines that follow are its details. The file is
// matched as `sourcePath` itself first, so a path with colons in it parses,
// and otherwise as whatever precedes the line number (another file of the
// program). The JVM's "Picked up ..." notices and empty lines are dropped.
// Lines end at CR LF, a lone CR or a lone LF.
TJavacOutput ParseJavacOutput(const QString& output, const QString& sourcePath = QString());

// The 1-based column of the character a caret line marks: every character
// before the '^' counts once, tabs included, since javac repeats the source
// line's own tabs there. 0 when the line is no caret line (anything but
// blanks and tabs before the '^', or anything but blanks after it).
int CaretColumn(const QString& caretLine);

} // namespace datei
