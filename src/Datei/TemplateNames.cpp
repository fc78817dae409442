// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/TemplateNames.h"

#include "Datei/LaunchFiles.h"
#include "Datei/SourceFile.h"
#include "Datei/Templates.h"

#include <QFileInfo>
#include <QSet>

namespace datei {

namespace {

const QString TemplateName = QStringLiteral("noname");

// The template lines that carry the name: the header comment and the class
// declaration of each template.
QStringList NamedTemplateLines() {
    QStringList named;
    for (const QString& text : {ApplicationTemplate(), AppletTemplate()}) {
        for (const QString& line : SplitLines(text)) {
            if (line.contains(TemplateName))
                named.append(line);
        }
    }
    return named;
}

bool IsJavaLetter(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_Letter:
    case QChar::Symbol_Currency:
    case QChar::Punctuation_Connector:
        return true;
    default:
        return false;
    }
}

bool IsJavaLetterOrDigit(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Number_DecimalDigit:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
        return true;
    default:
        return IsJavaLetter(c);
    }
}

// Where each line of `text` begins and how long it is, line breaks as
// SplitLines counts them.
struct TLineSpan {
    qsizetype Start;
    qsizetype Length;
};

QList<TLineSpan> LineSpans(const QString& text) {
    QList<TLineSpan> spans;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            continue;
        spans.append({start, i - start});
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        spans.append({start, text.size() - start});
    return spans;
}

} // namespace

bool IsJavaClassName(const QString& name) {
    static const QSet<QString> reserved{
        "abstract", "assert", "boolean",    "break",     "byte",       "case",      "catch",
        "char",     "class",  "const",      "continue",  "default",    "do",        "double",
        "else",     "enum",   "extends",    "final",     "finally",    "float",     "for",
        "goto",     "if",     "implements", "import",    "instanceof", "int",       "interface",
        "long",     "native", "new",        "package",   "private",    "protected", "public",
        "return",   "short",  "static",     "strictfp",  "super",      "switch",    "synchronized",
        "this",     "throw",  "throws",     "transient", "try",        "void",      "volatile",
        "while",    "_",      "true",       "false",     "null",       "var",       "yield",
        "record",   "sealed", "permits"};
    const QList<uint> codePoints = name.toUcs4();
    if (codePoints.isEmpty() || reserved.contains(name) || !IsJavaLetter(codePoints.first()))
        return false;
    return std::all_of(codePoints.begin() + 1, codePoints.end(),
                       [](uint c) { return IsJavaLetterOrDigit(c); });
}

QList<TLineChange> TemplateNameChanges(const QString& text, const QString& path) {
    const QString className = ClassName(path);
    if (!QFileInfo(path).fileName().endsWith(QLatin1String(".java")) ||
        !IsJavaClassName(className) || className == TemplateName)
        return {};
    QStringList pending = NamedTemplateLines();
    QList<TLineChange> changes;
    const QStringList lines = SplitLines(text);
    for (qsizetype l = 0; l < lines.size() && !pending.isEmpty(); ++l) {
        if (!pending.removeOne(lines[l]))
            continue;
        QString renamed = lines[l];
        renamed.replace(TemplateName, className);
        changes.append({l, renamed});
    }
    return changes;
}

QString FollowFileName(const QString& text, const QString& path) {
    const QList<TLineChange> changes = TemplateNameChanges(text, path);
    if (changes.isEmpty())
        return text;
    const QList<TLineSpan> spans = LineSpans(text);
    QString changed = text;
    // From the last line up, so the earlier lines' places stay valid.
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        const TLineSpan span = spans[change->Line];
        changed.replace(span.Start, span.Length, change->Text);
    }
    return changed;
}

} // namespace datei
