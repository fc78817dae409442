// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/JavacMessage.h"
#include "Erklaerung/Explanation.h"
#include "Erklaerung/MessagePattern.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace erklaerung {

// How javac words a message in one language.
struct TLanguagePatterns {
    // The message's text: any one of these (javac's wording changes
    // between releases).
    QList<TMessagePattern> Message;
    // Each of these must match one of the message's detail lines.
    QList<TMessagePattern> Details;
};

// One explanation of the data file.
struct TExplanationEntry {
    QString Id;
    TLanguagePatterns English;
    TLanguagePatterns German;
    // When set, the entry applies only where javac's caret marks this text.
    QString Marked;
    // German text with `code` and placeholders.
    QString Text;
    // A line of Java (no placeholders) and what it does, or both empty.
    QString ExampleCode;
    QString ExampleText;
};

// Names the explanations may refer to beyond what a pattern captures.
struct TKnownNames {
    // Class name -> its package, for `{klasse.paket}` ("Scanner" -> "java.util").
    QHash<QString, QString> Packages;
    // Names a slip is compared with, for `{name.aehnlich}` ("println", "System").
    QStringList Similar;
    // javac's words for "nothing" in a captured list ("no arguments"):
    // filled in as an empty text, so "{name}({gegeben})" reads "doppelt()".
    QStringList NoValue;
};

// The explanations in the order they are tried. The first entry whose
// patterns match the message (in English or in German) and whose text has a
// value for every placeholder explains it.
//
// Placeholders besides the captured ones, taken from the message itself:
//   {datei}        the file's name ("Hallo.java"),
//   {dateiklasse}  the class that file should hold ("Hallo"),
//   {zeile}        the line number,
//   {stelle}       what the caret marks (a name, a literal or a character),
//   {vorher}       what comes before it on the line;
// and looked up for a captured value x:
//   {x.paket}      the package of class x,
//   {x.aehnlich}   the known name that x is most likely a slip of.
class TExplanationTable {
public:
    TExplanationTable() = default;
    TExplanationTable(QList<TExplanationEntry> entries, TKnownNames known);

    const QList<TExplanationEntry>& Entries() const { return EntryList; }
    const TKnownNames& Known() const { return KnownNames; }

    // The explanation of `message`, or nothing when no entry applies.
    std::optional<TExplanation> Explain(const datei::TJavacMessage& message) const;

private:
    std::optional<TExplanation> Apply(const TExplanationEntry& entry,
                                      const TLanguagePatterns& patterns,
                                      const datei::TJavacMessage& message,
                                      const TCaptures& builtIn) const;
    std::optional<QString> Value(const QString& name, const QString& lookup,
                                 const TCaptures& values) const;
    std::optional<TRichText> Fill(const QString& text, const TCaptures& values) const;

    QList<TExplanationEntry> EntryList;
    TKnownNames KnownNames;
};

// The placeholders every entry may use without capturing them.
const QStringList& BuiltInPlaceholders();

// The lookups a placeholder may name after its dot.
const QStringList& PlaceholderLookups();

} // namespace erklaerung
