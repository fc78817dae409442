// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/JavacOutput.h"

#include "Datei/SourceFile.h"

#include <QRegularExpression>

#include <optional>

namespace datei {

namespace {

using TKind = TJavacMessage::TKind;

// javac's kind words in the languages it speaks here (German from JDK 21 on).
const QString KindWords = QStringLiteral("error|warning|Note|Fehler|Warnung|Hinweis");

TKind KindOf(const QString& word) {
    if (word == QLatin1String("warning") || word == QLatin1String("Warnung"))
        return TKind::Warning;
    if (word == QLatin1String("Note") || word == QLatin1String("Hinweis"))
        return TKind::Note;
    return TKind::Error;
}

// What follows the file in a headline: ":12: error: text", or " error: text"
// for a message about a whole file (a class file) without a line.
std::optional<TJavacMessage> ParsePlace(const QString& file, const QString& rest) {
    static const QRegularExpression withLine(
        QStringLiteral("^:(\\d+): (%1):(?: (.*))?$").arg(KindWords));
    static const QRegularExpression withoutLine(
        QStringLiteral("^: (%1):(?: (.*))?$").arg(KindWords));
    TJavacMessage message;
    message.File = file;
    QRegularExpressionMatch match = withLine.match(rest);
    if (match.hasMatch()) {
        bool ok = false;
        message.Line = match.captured(1).toInt(&ok);
        if (!ok)
            return std::nullopt;
        message.Kind = KindOf(match.captured(2));
        message.Text = match.captured(3);
        return message;
    }
    match = withoutLine.match(rest);
    if (!match.hasMatch())
        return std::nullopt;
    message.Kind = KindOf(match.captured(1));
    message.Text = match.captured(2);
    return message;
}

std::optional<TJavacMessage> ParseHeadline(const QString& line, const QString& sourcePath) {
    if (!sourcePath.isEmpty() && line.startsWith(sourcePath)) {
        if (std::optional<TJavacMessage> message =
                ParsePlace(sourcePath, line.mid(sourcePath.size())))
            return message;
    }
    // Placeless first: "Note: Recompile with -Xlint:unchecked" names no file.
    static const QRegularExpression placeless(QStringLiteral("^(%1): (.*)$").arg(KindWords));
    const QRegularExpressionMatch match = placeless.match(line);
    if (match.hasMatch()) {
        TJavacMessage message;
        message.Kind = KindOf(match.captured(1));
        message.Text = match.captured(2);
        return message;
    }
    // The shortest file that is followed by a place, so a colon inside the
    // path does not end it.
    for (qsizetype colon = line.indexOf(QLatin1Char(':')); colon > 0;
         colon = line.indexOf(QLatin1Char(':'), colon + 1)) {
        if (std::optional<TJavacMessage> message = ParsePlace(line.left(colon), line.mid(colon)))
            return message;
    }
    return std::nullopt;
}

// javac's closing lines: "3 errors", "1 Warnung", and the note that it
// stopped early, which names -Xmaxerrs or -Xmaxwarns in every language.
bool TakeSummary(const QString& line, TJavacSummary& summary) {
    static const QRegularExpression count(
        QStringLiteral("^(\\d+) (errors?|Fehler|warnings?|Warnung|Warnungen)$"));
    QRegularExpressionMatch match = count.match(line);
    if (match.hasMatch()) {
        const QString word = match.captured(2);
        TJavacCount& counted = word.startsWith(QLatin1Char('e')) || word == QLatin1String("Fehler")
                                   ? summary.Errors
                                   : summary.Warnings;
        counted.Shown = match.captured(1).toInt();
        counted.Total = std::max(counted.Total, counted.Shown);
        return true;
    }
    const bool errors = line.contains(QLatin1String("-Xmaxerrs"));
    if (line.isEmpty() || line[0].isSpace() || (!errors && !line.contains("-Xmaxwarns")))
        return false;
    static const QRegularExpression number(QStringLiteral("\\d+"));
    QList<int> numbers;
    for (const QRegularExpressionMatch& found : number.globalMatch(line))
        numbers.append(found.captured().toInt());
    if (numbers.size() < 2)
        return false;
    TJavacCount& counted = errors ? summary.Errors : summary.Warnings;
    counted.Shown = std::max(counted.Shown, numbers[0]);
    counted.Total = std::max(counted.Total, numbers[1]);
    return true;
}

// The JVM announces options it picked up from the environment before the
// compiler says anything; such lines are no compiler output.
bool IsLauncherNotice(const QString& line) {
    return line.startsWith(QLatin1String("Picked up _JAVA_OPTIONS:")) ||
           line.startsWith(QLatin1String("Picked up JAVA_TOOL_OPTIONS:"));
}

bool IsDetailLine(const QString& line) {
    return line.startsWith(QLatin1Char(' ')) || line.startsWith(QLatin1Char('\t'));
}

} // namespace

int CaretColumn(const QString& caretLine) {
    const qsizetype caret = caretLine.indexOf(QLatin1Char('^'));
    if (caret < 0)
        return 0;
    for (qsizetype i = 0; i < caret; ++i) {
        if (caretLine[i] != QLatin1Char(' ') && caretLine[i] != QLatin1Char('\t'))
            return 0;
    }
    if (!caretLine.mid(caret + 1).trimmed().isEmpty())
        return 0;
    return int(caret) + 1;
}

TJavacOutput ParseJavacOutput(const QString& output, const QString& sourcePath) {
    TJavacOutput result;
    const QStringList lines = SplitLines(output);
    // Detail lines go to the message before them, as long as nothing else
    // came in between.
    qsizetype open = -1;
    for (qsizetype l = 0; l < lines.size(); ++l) {
        const QString& line = lines[l];
        if (IsLauncherNotice(line) || line.trimmed().isEmpty())
            continue;
        if (std::optional<TJavacMessage> message = ParseHeadline(line, sourcePath)) {
            // A message without a source line may be followed by the next one.
            if (message->Line >= 1 && l + 2 < lines.size() &&
                !ParseHeadline(lines[l + 1], sourcePath)) {
                if (const int column = CaretColumn(lines[l + 2])) {
                    message->SourceLine = lines[l + 1];
                    message->Column = column;
                    l += 2;
                }
            }
            open = result.Messages.size();
            result.Messages.append(*message);
        } else if (TakeSummary(line, result.Summary)) {
            open = -1;
        } else if (open >= 0 && IsDetailLine(line)) {
            result.Messages[open].Details.append(line);
        } else {
            result.RawLines.append(line);
            open = -1;
        }
    }
    return result;
}

} // namespace datei
