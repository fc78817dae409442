// SPDX-License-Identifier: GPL-3.0-or-later
#include "Erklaerung/Explanation.h"

#include <QStringList>

#include <algorithm>

namespace erklaerung {

namespace {

QString PlainParagraph(const TRichText& text) {
    QString plain;
    for (const TTextPart& part : text)
        plain += part.Text;
    return plain;
}

// Code keeps its indentation and aligned columns: blanks at a line's start
// and every blank after another one stay as non-breaking spaces.
QString HtmlCode(const QString& code) {
    QString html;
    bool lineStart = true;
    QChar previous;
    for (const QChar c : code) {
        if (c == QLatin1Char(' ') && (lineStart || previous == QLatin1Char(' ')))
            html += QStringLiteral("&nbsp;");
        else if (c == QLatin1Char('\n'))
            html += QStringLiteral("<br>");
        else
            html += QString(c).toHtmlEscaped();
        lineStart = c == QLatin1Char('\n') || (lineStart && c == QLatin1Char(' '));
        previous = c;
    }
    return QStringLiteral("<code>") + html + QStringLiteral("</code>");
}

QString HtmlParagraph(const TRichText& text) {
    QString html;
    for (const TTextPart& part : text) {
        if (part.Code)
            html += HtmlCode(part.Text);
        else
            html += part.Text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    }
    return QStringLiteral("<p>") + html + QStringLiteral("</p>");
}

QList<TRichText> Paragraphs(const TExplanation& explanation) {
    QList<TRichText> paragraphs{explanation.Text};
    if (!explanation.Example.isEmpty())
        paragraphs.append(explanation.Example);
    return paragraphs;
}

} // namespace

QString PlainText(const TExplanation& explanation) {
    QStringList paragraphs;
    for (const TRichText& paragraph : Paragraphs(explanation))
        paragraphs.append(PlainParagraph(paragraph));
    return paragraphs.join(QStringLiteral("\n\n"));
}

QString Html(const TExplanation& explanation) {
    QString html;
    for (const TRichText& paragraph : Paragraphs(explanation))
        html += HtmlParagraph(paragraph);
    return html;
}

TExplanation FallbackExplanation(const datei::TJavacMessage& message) {
    TExplanation fallback;
    fallback.Text.append({message.Text.trimmed(), false});
    // The detail lines keep their indentation relative to each other (the
    // candidates of "no suitable method" and their reasons).
    qsizetype indent = -1;
    for (const QString& detail : message.Details) {
        if (detail.trimmed().isEmpty())
            continue;
        const auto first =
            std::find_if(detail.cbegin(), detail.cend(), [](QChar c) { return !c.isSpace(); });
        const qsizetype leading = first - detail.cbegin();
        indent = indent < 0 ? leading : std::min(indent, leading);
    }
    for (const QString& detail : message.Details) {
        if (detail.trimmed().isEmpty())
            continue;
        fallback.Text.append({QStringLiteral("\n"), false});
        QString line = detail.mid(indent);
        while (line.back().isSpace())
            line.chop(1);
        fallback.Text.append({line, true});
    }
    return fallback;
}

} // namespace erklaerung
