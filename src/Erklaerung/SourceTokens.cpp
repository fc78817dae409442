// SPDX-License-Identifier: GPL-3.0-or-later
#include "Erklaerung/SourceTokens.h"

namespace erklaerung {

namespace {

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool IsQuote(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// The word around index i.
QString WordAt(const QString& line, qsizetype i) {
    qsizetype start = i;
    qsizetype end = i + 1;
    while (start > 0 && IsWordChar(line[start - 1]))
        --start;
    while (end < line.size() && IsWordChar(line[end]))
        ++end;
    return line.mid(start, end - start);
}

} // namespace

QString MarkedToken(const QString& sourceLine, int column) {
    const qsizetype i = column - 1;
    if (i < 0 || i >= sourceLine.size() || IsBlank(sourceLine[i]))
        return {};
    const QChar c = sourceLine[i];
    if (IsWordChar(c))
        return WordAt(sourceLine, i);
    if (IsQuote(c)) {
        const qsizetype close = sourceLine.indexOf(c, i + 1);
        if (close > i)
            return sourceLine.mid(i, close - i + 1);
    }
    return QString(c);
}

QString TokenBefore(const QString& sourceLine, int column) {
    qsizetype i = qMin<qsizetype>(column - 1, sourceLine.size()) - 1;
    while (i >= 0 && IsBlank(sourceLine[i]))
        --i;
    if (i < 0)
        return {};
    const QChar c = sourceLine[i];
    if (IsWordChar(c))
        return WordAt(sourceLine, i);
    if (IsQuote(c) && i > 0) {
        const qsizetype open = sourceLine.lastIndexOf(c, i - 1);
        if (open >= 0)
            return sourceLine.mid(open, i - open + 1);
    }
    return QString(c);
}

} // namespace erklaerung
