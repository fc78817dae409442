// SPDX-License-Identifier: GPL-3.0-or-later
#include "Erklaerung/MessagePattern.h"

namespace erklaerung {

const QRegularExpression& PlaceholderExpression() {
    static const QRegularExpression placeholder(
        QStringLiteral(R"(\{([a-z][a-z0-9]*)(?:\.([a-z][a-z0-9]*))?\})"));
    return placeholder;
}

namespace {

// The literal stretch of a pattern as a regular expression.
QString Literal(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral(R"(\s+)"));
    QString expression;
    qsizetype from = 0;
    for (auto it = blanks.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch blank = it.next();
        expression += QRegularExpression::escape(text.mid(from, blank.capturedStart() - from));
        expression += QStringLiteral(R"(\s+)");
        from = blank.capturedEnd();
    }
    return expression + QRegularExpression::escape(text.mid(from));
}

} // namespace

TMessagePattern TMessagePattern::Compile(const QString& text, QString* error) {
    TMessagePattern pattern;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *error = QStringLiteral("empty pattern");
        return pattern;
    }
    QString expression = QStringLiteral("^");
    qsizetype from = 0;
    for (auto it = PlaceholderExpression().globalMatch(trimmed); it.hasNext();) {
        const QRegularExpressionMatch placeholder = it.next();
        const QString name = placeholder.captured(1);
        if (placeholder.capturedLength(2) > 0) {
            *error = QStringLiteral("pattern \"%1\": a lookup belongs in the text, not in a "
                                    "pattern")
                         .arg(text);
            return pattern;
        }
        if (pattern.CaptureNames.contains(name)) {
            *error = QStringLiteral("pattern \"%1\" captures {%2} twice").arg(text, name);
            return pattern;
        }
        pattern.CaptureNames.append(name);
        expression += Literal(trimmed.mid(from, placeholder.capturedStart() - from));
        expression += QStringLiteral("(?<%1>.*?)").arg(name);
        from = placeholder.capturedEnd();
    }
    expression += Literal(trimmed.mid(from)) + QStringLiteral("$");
    pattern.Expression.setPattern(expression);
    error->clear();
    return pattern;
}

std::optional<TCaptures> TMessagePattern::Match(const QString& text) const {
    if (Expression.pattern().isEmpty())
        return std::nullopt;
    const QRegularExpressionMatch match = Expression.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    TCaptures captures;
    for (const QString& name : CaptureNames)
        captures.insert(name, match.captured(name));
    return captures;
}

} // namespace erklaerung
