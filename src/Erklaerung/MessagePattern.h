// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>

namespace erklaerung {

// Values by placeholder name: what a pattern captured from a message.
using TCaptures = QHash<QString, QString>;

// One pattern of javac's words, written as javac writes them, with `{name}`
// where a part of the message is to be captured ("variable {name} might not
// have been initialized"). Every other character stands for itself, except
// that any run of blanks matches any run of white space, so "symbol: variable
// {name}" matches javac's aligned "  symbol:   variable zahll".
class TMessagePattern {
public:
    // The pattern of `text`; on a fault (no text, a placeholder named twice)
    // `error` says why and the pattern matches nothing.
    static TMessagePattern Compile(const QString& text, QString* error);

    // The placeholder names, in the order they appear.
    const QStringList& Names() const { return CaptureNames; }

    // The captures when the whole of `text` (without its surrounding white
    // space) has this form.
    std::optional<TCaptures> Match(const QString& text) const;

private:
    QRegularExpression Expression;
    QStringList CaptureNames;
};

// A placeholder in a pattern or a text: `{name}`, or in a text also
// `{name.lookup}`; names are lower-case ASCII letters and digits.
const QRegularExpression& PlaceholderExpression();

} // namespace erklaerung
