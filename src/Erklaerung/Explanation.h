// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/JavacMessage.h"

#include <QList>
#include <QString>

namespace erklaerung {

// A stretch of an explanation: plain words, or Java code (a name, a type,
// a statement) that a window shows in the editor's style.
struct TTextPart {
    QString Text;
    bool Code = false;
    bool operator==(const TTextPart&) const = default;
};

// Text with code in it; "\n" in a part starts a new line.
using TRichText = QList<TTextPart>;

// What the window shows for one compiler message.
struct TExplanation {
    // The entry of the explanations that matched; empty when this is
    // javac's own text and detail lines (the message has no explanation).
    QString Id;
    // The explanation with the message's names filled in, or javac's words.
    TRichText Text;
    // "Beispiel: " with a line of Java and what it does; empty when the
    // entry has no example.
    TRichText Example;

    bool IsExplained() const { return !Id.isEmpty(); }
    bool operator==(const TExplanation&) const = default;
};

// Plain text for a screen reader or a plain pane: paragraphs separated by
// an empty line, code as it is.
QString PlainText(const TExplanation& explanation);

// The same as a small HTML fragment for a rich-text pane or a tooltip:
// one <p> per paragraph, code in <code>, everything else escaped.
QString Html(const TExplanation& explanation);

// javac's own words for a message without an explanation: its text, then
// each detail line as code on a line of its own, so nothing is hidden.
TExplanation FallbackExplanation(const datei::TJavacMessage& message);

} // namespace erklaerung
