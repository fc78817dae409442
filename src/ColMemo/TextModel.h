// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QTextBlock>
#include <cstdint>

class QTextCharFormat;
class QTextCursor;
class QTextDocument;

// The character-index view of a QTextDocument: every line break counts as two
// characters (CR LF), while the document counts a block break as one. Index =
// document position + block number. Every look-up is a tree search in the
// document (logarithmic), never a walk over the text, so it stays cheap on
// every paint and keystroke of a very long file.
class TTextModel {
public:
    explicit TTextModel(QTextDocument* doc) : Doc(doc) {}

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

    // Document positions of many indices, each at least the one before, in one walk over the
    // blocks from the first: a long row of look-ups then costs about one walk, not one search
    // of the whole document each. PosOf's rules apply.
    class TPositionWalk {
    public:
        TPositionWalk(const TTextModel& model, int32_t firstIndex);
        int PosOf(int32_t index, bool roundUp = false);

    private:
        const TTextModel& Model;
        QTextBlock Block;
        int32_t Start = 0; // index of Block's first character
    };

    // Whole text, breaks as CR LF.
    QString Text() const;

    // Characters the document cannot hold as themselves: U+2029 and Qt's frame
    // marks U+FDD0/U+FDD1 would split the block, U+2028 would break the line
    // inside it. Each is held as a stand-in character whose format names the
    // real one, so the text hands it back exactly and indices count it once.
    static constexpr char16_t StandIn = 0xFFFD;
    struct TMarked {
        int Offset;    // document position relative to where the text goes
        char16_t Real; // the character the stand-in there holds
    };
    // A text as the document takes it: line ends as LF, so that every
    // character and every break is one position; stand-ins listed in `marked`.
    // Converted in place: a text handed over by move is not copied.
    static QString ToDocument(QString text, QList<TMarked>& marked);
    // Drops a stand-in's real character from a format that text is about to be
    // typed in; true when there was one.
    static bool DropRealChar(QTextCharFormat& format);
    // Gives the stand-ins of a text just put in at `start` their real characters.
    void Mark(int start, const QList<TMarked>& marked);
    // Inserts a text at the cursor (replacing its selection) as one edit:
    // CR LF, CR and LF end lines, every other character stays what it is.
    void Insert(QTextCursor& cursor, const QString& text);
    // Raw document text from position `from` on (U+2029 between blocks) as
    // the text it stands for: stand-ins restored, breaks as lineEnd.
    QString FromDocument(const QString& raw, int from, const QString& lineEnd) const;
    // A block's text with its stand-ins restored.
    QString BlockText(const QTextBlock& block) const;

private:
    // One of the characters above, which the document holds as a stand-in.
    static bool NeedsStandIn(QChar c);
    char16_t RealCharAt(int pos) const;
    int32_t BlockStartIndex(int block) const;

    QTextDocument* Doc;
};
