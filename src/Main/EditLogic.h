#pragma once

// Widget-free rules behind the editing commands: indentation, tab stops,
// find and replace over a text in the CR LF index model.
#include <QString>
#include <cstdint>
#include <vector>

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

// Replace all, one replacement at a time, always searching from the start of
// the changed text. Only occurrences that still hold a character of the text
// as it was are replaced; those lying wholly in inserted replacement text are
// passed over. So it ends even when the replacement contains the search text
// (each replacement uses up at least one original character), and an
// occurrence a replacement creates together with the text around it is
// still found ("ab" -> "b" on "aab" gives "b").
class TReplaceAllScan {
public:
    TReplaceAllScan(QString text, QString search, QString replacement);

    // Offset of the first occurrence still to replace; -1 when none is left.
    int32_t Next();
    // Records that the occurrence at `at` (as returned by Next) was replaced.
    void Replaced(int32_t at);
    const QString& Text() const { return m_text; }

private:
    bool HoldsOriginal(int32_t at) const;

    QString m_text;
    QString m_search;
    QString m_replacement;
    std::vector<bool> m_inserted; // per character of m_text
    int32_t m_from = 0;           // no occurrence to replace starts before this
};
