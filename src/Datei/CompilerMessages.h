#pragma once

#include "Datei/SourceFile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace datei {

// Where an entry of the error list points: the compiler's 1-based line (-1:
// nowhere, the caret goes to the start of the text) and the 1-based column
// of the character the compiler marked.
struct TErrorPosition {
    int Line = -1;
    int Column = 1;
    bool operator==(const TErrorPosition&) const = default;
};

// The error list made from one compile's output: every entry has its
// position, so entry n always jumps to position n.
struct TCompilerMessages {
    QStringList Entries;
    QList<TErrorPosition> Positions;
    // Raw compiler lines follow the formatted entries: the list shows red.
    bool Raw = false;
};

// Turns what the compiler wrote into error-list entries. A message takes
// three lines: `sourcePath`:line: text, the source line, and a caret line
// with '^' under the marked character; it becomes "Fehler n: text in path".
// Message lines are recognised by the path exactly as it was passed to the
// compiler, so paths with or without a drive letter, with blanks or with
// colons all parse. The summary line after the last message is left out.
// As soon as a message does not have this form (such as a message followed
// by detail lines), every line of the output is appended raw after the
// entries made so far; output that yields no entry at all (notes, a usage
// text) is shown raw as well. Lines end at CR LF, a lone CR or a lone LF.
TCompilerMessages ParseCompilerMessages(const QString& output, const QString& sourcePath);

// The column of a caret line's first '^': every character before it,
// tab or not, is one column, since the compiler repeats the source line's
// own tabs there. 0 when the line holds no '^'.
int CaretLineColumn(const QString& caretLine);

struct TCompilerCall {
    QString Program;
    QStringList Arguments;
};

// The compiler below the JDK directory and what it is given: no warnings
// asked for, the file's own encoding (UTF-8, or ISO-8859-1 for a file that
// is not valid UTF-8), and the source path as one argument.
TCompilerCall CompilerCall(const QString& jdkDir, const QString& sourcePath,
                           TFileEncoding encoding);

} // namespace datei
