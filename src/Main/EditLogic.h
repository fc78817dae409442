// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Widget-free rules behind the editing commands: indentation, tab stops,
// find and replace over a text in the CR LF index model.
#include <QString>
#include <cstdint>
#include <vector>

namespace mainform {

// What auto-indent repeats from the line Enter was pressed in: its leading
// characters up to code 32 (blanks, tabs, control characters). Empty when
// the line holds nothing else.
QString IndentPrefix(const QString& previousLine);

// Pixel distance between tab stops for a tab width of `tabs` and the dialog
// base unit `baseUnit` (pixels): the first of the stops in dialog units,
// (tabs * 32) / baseUnit truncated, converted back to pixels. Never below one
// pixel, so a zero or negative width still lays out.
double TabStopDistance(int tabs, int baseUnit);

// Where find next selects `what` in `text`: searched from just after a
// selection, or from the start when nothing is selected; exact case, no
// wrap-around. -1 when not found or `what` is empty.
int32_t FindNextOffset(const QString& text, int32_t selStart, int32_t selLength,
                       const QString& what);

// A text from an entry field as the editors count it: every line break as
// CR LF, so a search or replacement never splits one.
QString WithCrLf(const QString& text);

// The error text of replace when the search text does not occur.
QString SearchTextNotFound(const QString& what);

// Replace all. The rule is that of replacing one occurrence at a time and
// searching again from the start of the changed text: only occurrences that
// still hold a character of the text as it was are replaced; those lying
// wholly in inserted replacement text are passed over. So it ends even when
// the replacement contains the search text (each replacement uses up at least
// one original character), and an occurrence a replacement creates together
// with the text around it is still found ("ab" -> "b" on "aab" gives "b").
// The new text is built in one pass, however many occurrences there are, and
// comes as the stretches of the old text that change.
struct TReplaceAllResult {
    struct TEdit {
        int32_t Start = 0; // in the old text
        int32_t Length = 0;
        QString Text; // what takes the stretch's place
    };
    int32_t Count = 0; // replacements made
    // Ascending and apart: between two edits the old text stays.
    std::vector<TEdit> Edits;
    // Just after the last replacement, in the new text.
    int32_t Caret = 0;
};
TReplaceAllResult ReplaceAll(const QString& text, const QString& search,
                             const QString& replacement);

} // namespace mainform
