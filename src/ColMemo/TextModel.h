#pragma once

#include <QString>
#include <cstdint>

class QTextDocument;

// The character-index view of a QTextDocument: every line break counts as two
// characters (CR LF), while the document counts a block break as one. Index =
// document position + block number. Every look-up is a tree search in the
// document (logarithmic), never a walk over the text, so it stays cheap on
// every paint and keystroke of a very long file.
class TTextModel {
public:
    explicit TTextModel(QTextDocument* doc) : m_doc(doc) {}

    // Length of the whole text in the index model.
    int32_t Length() const;
    // Number of lines, not counting an empty last line (empty text: 0).
    int32_t LineCount() const;
    // Number of document blocks, including an empty last line.
    int32_t BlockCount() const;
    // Text of a line without its break; "" out of range.
    QString LineText(int32_t line) const;
    // Start index of a line; -1 when the line does not exist.
    int32_t LineStart(int32_t line) const;
    // Line containing an index, the index clamped to [0, Length()].
    int32_t LineOf(int32_t index) const;
    // Length of a line without its break; 0 out of range.
    int32_t LineTextLength(int32_t line) const;
    // Length (without the break) of the line containing an index.
    int32_t LineLengthAt(int32_t index) const;

    int32_t IndexOf(int pos) const;
    // The LF of a break has no document position of its own: it maps to the
    // end of its line, or with roundUp to the start of the next line, so a
    // selection never holds half a break.
    int PosOf(int32_t index, bool roundUp = false) const;

    // Whole text, breaks as CR LF.
    QString Text() const;
    // A text as the document should receive it: separators that would break a
    // line inside a block become ordinary line ends.
    static QString ToDocument(const QString& text);
    // Raw document text (U+2029 between blocks) with the given line end.
    static QString FromDocument(QString raw, const QString& lineEnd);

    // Called for every contentsChange of the document: true when text was
    // inserted or removed, false when only formats changed. Keeps a text hash
    // per touched block to tell an equal-length replacement from a format change.
    bool NoteChange(int pos, int removed, int added);

private:
    int32_t BlockStartIndex(int block) const;

    QTextDocument* m_doc;
};
