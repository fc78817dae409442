// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace datei {

// The left margin from the margin field's text: as many blanks as the low
// byte of the number (300 gives 44, -1 gives 255). Text that is no decimal
// integer, an empty field included, gives no margin.
QString PrintMargin(const QString& field);

// A line number as printed: at least four digits, zero-padded ("0042").
QString PrintLineNumber(int line);

// Where printed lines go: a text file or a printer. Write never sees a line
// end; each output line is followed by one WriteLineEnd. Failures throw
// EKodiwerkError.
class TTextChannel {
public:
    virtual ~TTextChannel() = default;
    virtual void Write(const QString& text) = 0;
    virtual void WriteLineEnd() = 0;
    // Completes the file or ends the print job; a second call does nothing.
    virtual void Close() = 0;
};

struct TPrintOptions {
    QString Margin; // blanks, see PrintMargin
    // Asked once per line, so the answer is always the box's current state.
    std::function<bool()> LineNumbers;
};

// Writes every line, numbered from 1, as number (when asked for), margin and
// the line's text, then closes the target. The target is closed also when
// writing fails; the failure then goes on to the caller.
void PrintLines(const QStringList& lines, const TPrintOptions& options, TTextChannel& target);

} // namespace datei
