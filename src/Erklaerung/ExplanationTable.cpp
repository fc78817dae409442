// SPDX-License-Identifier: GPL-3.0-or-later
#include "Erklaerung/ExplanationTable.h"

#include "Erklaerung/SimilarName.h"
#include "Erklaerung/SourceTokens.h"

#include <QFileInfo>

namespace erklaerung {

namespace {

const QString Datei = QStringLiteral("datei");
const QString DateiKlasse = QStringLiteral("dateiklasse");
const QString Zeile = QStringLiteral("zeile");
const QString Stelle = QStringLiteral("stelle");
const QString Vorher = QStringLiteral("vorher");
const QString Paket = QStringLiteral("paket");
const QString Aehnlich = QStringLiteral("aehnlich");

// The placeholders that come from the message's place rather than its words;
// one that cannot be worked out is left out.
TCaptures BuiltInValues(const datei::TJavacMessage& message) {
    TCaptures values;
    const QString fileName = QFileInfo(message.File).fileName();
    if (!fileName.isEmpty()) {
        values.insert(Datei, fileName);
        values.insert(DateiKlasse, fileName.endsWith(QStringLiteral(".java"))
                                       ? fileName.chopped(5)
                                       : QFileInfo(fileName).completeBaseName());
    }
    if (message.Line > 0)
        values.insert(Zeile, QString::number(message.Line));
    const QString marked = MarkedToken(message.SourceLine, message.Column);
    if (!marked.isEmpty())
        values.insert(Stelle, marked);
    const QString before = TokenBefore(message.SourceLine, message.Column);
    if (!before.isEmpty())
        values.insert(Vorher, before);
    return values;
}

// The captures when one of `patterns` matches the whole of `text`.
std::optional<TCaptures> MatchAny(const QList<TMessagePattern>& patterns, const QString& text) {
    for (const TMessagePattern& pattern : patterns) {
        if (std::optional<TCaptures> captures = pattern.Match(text))
            return captures;
    }
    return std::nullopt;
}

} // namespace

const QStringList& BuiltInPlaceholders() {
    static const QStringList names{Datei, DateiKlasse, Zeile, Stelle, Vorher};
    return names;
}

const QStringList& PlaceholderLookups() {
    static const QStringList lookups{Paket, Aehnlich};
    return lookups;
}

TExplanationTable::TExplanationTable(QList<TExplanationEntry> entries, TKnownNames known)
    : EntryList(std::move(entries)), KnownNames(std::move(known)) {}

std::optional<TExplanation> TExplanationTable::Explain(const datei::TJavacMessage& message) const {
    const TCaptures builtIn = BuiltInValues(message);
    for (const TExplanationEntry& entry : EntryList) {
        if (!entry.Marked.isEmpty() && builtIn.value(Stelle) != entry.Marked)
            continue;
        for (const TLanguagePatterns* patterns : {&entry.English, &entry.German}) {
            if (std::optional<TExplanation> explanation = Apply(entry, *patterns, message, builtIn))
                return explanation;
        }
    }
    return std::nullopt;
}

std::optional<TExplanation> TExplanationTable::Apply(const TExplanationEntry& entry,
                                                     const TLanguagePatterns& patterns,
                                                     const datei::TJavacMessage& message,
                                                     const TCaptures& builtIn) const {
    std::optional<TCaptures> values = MatchAny(patterns.Message, message.Text);
    if (!values)
        return std::nullopt;
    for (const TMessagePattern& detail : patterns.Details) {
        std::optional<TCaptures> captures;
        for (const QString& line : message.Details) {
            if ((captures = detail.Match(line)))
                break;
        }
        if (!captures)
            return std::nullopt;
        values->insert(*captures);
    }
    for (auto it = values->begin(); it != values->end(); ++it) {
        if (KnownNames.NoValue.contains(it.value()))
            it.value().clear();
    }
    for (auto it = builtIn.cbegin(); it != builtIn.cend(); ++it)
        values->insert(it.key(), it.value());

    TExplanation explanation{entry.Id, {}, {}};
    std::optional<TRichText> text = Fill(entry.Text, *values);
    if (!text)
        return std::nullopt;
    explanation.Text = *text;
    if (!entry.ExampleCode.isEmpty()) {
        std::optional<TRichText> what = Fill(entry.ExampleText, *values);
        if (!what)
            return std::nullopt;
        explanation.Example = TRichText{{QStringLiteral("Beispiel: "), false},
                                        {entry.ExampleCode, true},
                                        {QStringLiteral(" "), false}} +
                              *what;
    }
    return explanation;
}

std::optional<QString> TExplanationTable::Value(const QString& name, const QString& lookup,
                                                const TCaptures& values) const {
    const auto value = values.constFind(name);
    if (value == values.cend())
        return std::nullopt;
    if (lookup.isEmpty())
        return *value;
    QString found;
    if (lookup == Paket)
        found = KnownNames.Packages.value(*value);
    else if (lookup == Aehnlich)
        found = SimilarName(*value, KnownNames.Similar);
    return found.isEmpty() ? std::nullopt : std::optional<QString>(found);
}

// The text split at its backquotes into words and code, every placeholder
// replaced; nothing when a placeholder has no value.
std::optional<TRichText> TExplanationTable::Fill(const QString& text,
                                                 const TCaptures& values) const {
    TRichText rich;
    const QStringList pieces = text.split(QLatin1Char('`'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString& piece = pieces[i];
        QString filled;
        qsizetype from = 0;
        for (auto it = PlaceholderExpression().globalMatch(piece); it.hasNext();) {
            const QRegularExpressionMatch placeholder = it.next();
            const std::optional<QString> value =
                Value(placeholder.captured(1), placeholder.captured(2), values);
            if (!value)
                return std::nullopt;
            filled += piece.mid(from, placeholder.capturedStart() - from) + *value;
            from = placeholder.capturedEnd();
        }
        filled += piece.mid(from);
        if (!filled.isEmpty())
            rich.append({filled, i % 2 == 1});
    }
    return rich;
}

} // namespace erklaerung
