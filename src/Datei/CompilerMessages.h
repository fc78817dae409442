#pragma once

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

// The entries made from one compile's output, each with its position.
struct TCompilerMessages {
    QStringList Entries;
    QList<TErrorPosition> Positions;
    // The output is not all messages: every line of it is to follow the
    // entries, raw (see RawCompilerLines).
    bool RawFollows = false;
};

// The first compilers' three lines per message. ParseJavacOutput and
// ErrorListRows read today's javac (detail lines, warnings, other files);
// this stays only until the error list is made with them.
//
// Turns what the compiler wrote into error-list entries. A message takes
// three lines: `sourcePath`:line: text, the source line, and a caret line
// with '^' under the marked character; it becomes "Fehler n: text in path".
// Message lines are recognised by the path exactly as it was passed to the
// compiler, so paths with or without a drive letter, with blanks or with
// colons all parse. The summary line after the last message is left out.
// Parsing stops at the first message that does not have this form (such as
// a message followed by detail lines): the raw lines are to follow. Output
// that yields no entry at all (notes, a usage text) is to be shown raw too.
// Lines end at CR LF, a lone CR or a lone LF.
TCompilerMessages ParseCompilerMessages(const QString& output, const QString& sourcePath);

// The lines of the output as the error list shows them raw: every line,
// also a last one without a line break; each points nowhere.
QStringList RawCompilerLines(const QString& output);

// The column of a caret line's first '^': every character before it,
// tab or not, is one column, since the compiler repeats the source line's
// own tabs there. 0 when the line holds no '^'.
int CaretLineColumn(const QString& caretLine);

} // namespace datei
