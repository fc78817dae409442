#include "Datei/CompilerMessages.h"

#include "Datei/SourceFile.h"

#include <optional>

namespace datei {

namespace {

constexpr qsizetype MaxMessageText = 999;

// What a message line says when it has the form `path`:line: text.
struct TMessageLine {
    int Line = 0;
    QString Text;
};

std::optional<TMessageLine> ParseMessageLine(const QString& line, const QString& sourcePath) {
    const QString prefix = sourcePath + QLatin1Char(':');
    if (sourcePath.isEmpty() || !line.startsWith(prefix))
        return std::nullopt;
    const qsizetype numberStart = prefix.size();
    const qsizetype colon = line.indexOf(QLatin1Char(':'), numberStart);
    // The colon after the line number needs a blank and a text behind it.
    if (colon < 0 || colon + 2 >= line.size())
        return std::nullopt;
    bool ok = false;
    const int number = line.mid(numberStart, colon - numberStart).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return TMessageLine{number, line.mid(colon + 2, MaxMessageText)};
}

// The JVM announces options it picked up from the environment before the
// compiler says anything; such lines are no compiler messages.
bool IsLauncherNotice(const QString& line) {
    return line.startsWith(QLatin1String("Picked up _JAVA_OPTIONS:")) ||
           line.startsWith(QLatin1String("Picked up JAVA_TOOL_OPTIONS:"));
}

} // namespace

int CaretLineColumn(const QString& caretLine) {
    const qsizetype caret = caretLine.indexOf(QLatin1Char('^'));
    return caret < 0 ? 0 : int(caret) + 1;
}

TCompilerMessages ParseCompilerMessages(const QString& output, const QString& sourcePath) {
    TCompilerMessages messages;
    QStringList lines = SplitLines(output);
    while (!lines.isEmpty() && IsLauncherNotice(lines.first()))
        lines.removeFirst();

    bool wellFormed = true;
    for (qsizetype l = 0; l + 2 < lines.size(); l += 3) {
        const std::optional<TMessageLine> message = ParseMessageLine(lines[l], sourcePath);
        const int column = CaretLineColumn(lines[l + 2]);
        if (!message || column == 0) {
            wellFormed = false;
            break;
        }
        messages.Entries.append(QStringLiteral("Fehler %1: %2 in %3")
                                    .arg(messages.Entries.size() + 1)
                                    .arg(message->Text, sourcePath));
        messages.Positions.append({message->Line, column});
    }
    messages.RawFollows = !wellFormed || (messages.Entries.isEmpty() && !lines.isEmpty());
    return messages;
}

QStringList RawCompilerLines(const QString& output) {
    return SplitLines(output);
}

} // namespace datei
