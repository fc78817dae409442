// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/TextModel.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

// The format property that names the real character of a stand-in.
constexpr int RealCharProperty = QTextFormat::UserProperty + 0x2028;

} // namespace

int32_t TTextModel::Length() const {
    // characterCount() includes the document's closing separator.
    return Doc->characterCount() - 1 + Doc->blockCount() - 1;
}

int32_t TTextModel::BlockCount() const {
    return Doc->blockCount();
}

int32_t TTextModel::LineCount() const {
    const int blocks = Doc->blockCount();
    return Doc->lastBlock().length() == 1 ? blocks - 1 : blocks;
}

QString TTextModel::LineText(int32_t line) const {
    if (line < 0 || line >= Doc->blockCount())
        return {};
    return BlockText(Doc->findBlockByNumber(line));
}

int32_t TTextModel::BlockStartIndex(int block) const {
    return Doc->findBlockByNumber(block).position() + block;
}

int32_t TTextModel::LineStart(int32_t line) const {
    if (line < 0 || line >= Doc->blockCount())
        return -1;
    return BlockStartIndex(line);
}

int32_t TTextModel::LineOf(int32_t index) const {
    index = std::clamp(index, 0, Length());
    const int docEnd = Doc->characterCount() - 1;
    // A block's start index is at least its position, so the block holding
    // position `index` is an upper bound; binary search below it.
    int hi = Doc->findBlock(std::min(index, docEnd)).blockNumber();
    int lo = std::max(0, Doc->findBlock(std::max(0, index - hi)).blockNumber() - 1);
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (BlockStartIndex(mid) <= index)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int32_t TTextModel::LineTextLength(int32_t line) const {
    if (line < 0 || line >= Doc->blockCount())
        return 0;
    return Doc->findBlockByNumber(line).length() - 1;
}

int32_t TTextModel::LineLengthAt(int32_t index) const {
    return Doc->findBlockByNumber(LineOf(index)).length() - 1;
}

int32_t TTextModel::IndexOf(int pos) const {
    pos = std::clamp(pos, 0, Doc->characterCount() - 1);
    return pos + Doc->findBlock(pos).blockNumber();
}

namespace {

// The position of a character index in a block that starts at index `start`: the CR of its
// break maps to the end of the line, the LF there too or (roundUp) to the next line's start.
int PosInBlock(const QTextBlock& block, int32_t start, int32_t index, bool roundUp) {
    const int textLength = block.length() - 1;
    const int32_t col = index - start;
    if (col <= textLength)
        return block.position() + col;
    return block.position() + textLength + (roundUp ? 1 : 0);
}

// Further ahead than this a walk searches instead of stepping block by block.
constexpr int32_t WalkReach = 1 << 16;

} // namespace

int TTextModel::PosOf(int32_t index, bool roundUp) const {
    const int32_t line = LineOf(index);
    const QTextBlock block = Doc->findBlockByNumber(line);
    return PosInBlock(block, block.position() + line, std::clamp(index, 0, Length()), roundUp);
}

TTextModel::TPositionWalk::TPositionWalk(const TTextModel& model, int32_t firstIndex)
    : Model(model) {
    const int32_t line = model.LineOf(firstIndex);
    Block = model.Doc->findBlockByNumber(line);
    Start = Block.position() + line;
}

int TTextModel::TPositionWalk::PosOf(int32_t index, bool roundUp) {
    index = std::clamp(index, 0, Model.Length());
    if (index - Start > WalkReach) {
        const int32_t line = Model.LineOf(index);
        Block = Model.Doc->findBlockByNumber(line);
        Start = Block.position() + line;
    }
    // A line's indices run up to its LF; the next line starts behind it.
    for (QTextBlock next = Block.next(); next.isValid() && index >= Start + Block.length() + 1;
         next = Block.next()) {
        Start += Block.length() + 1;
        Block = next;
    }
    return PosInBlock(Block, Start, index, roundUp);
}

QString TTextModel::Text() const {
    return FromDocument(Doc->toRawText(), 0, QStringLiteral("\r\n"));
}

bool TTextModel::NeedsStandIn(QChar c) {
    const char16_t u = c.unicode();
    return u == 0x2028 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1;
}

QString TTextModel::ToDocument(QString text, QList<TMarked>& marked) {
    // The result is never longer than the text, so it is written over the text itself as the
    // pass goes (out never gets ahead of in): a long file goes through in one pass, with no
    // second copy of it in memory.
    QChar* const begin = text.data();
    QChar* out = begin;
    const QChar* in = begin;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = in[i];
        if (c == QLatin1Char('\r')) {
            *out++ = QLatin1Char('\n');
            if (i + 1 < n && in[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (NeedsStandIn(c)) {
            marked.append({static_cast<int>(out - begin), c.unicode()});
            *out++ = QChar(StandIn);
        } else {
            *out++ = c;
        }
    }
    text.truncate(out - begin);
    return text;
}

void TTextModel::Mark(int start, const QList<TMarked>& marked) {
    QTextCursor c(Doc);
    for (const TMarked& m : marked) {
        c.setPosition(start + m.Offset);
        c.setPosition(start + m.Offset + 1, QTextCursor::KeepAnchor);
        QTextCharFormat real;
        real.setProperty(RealCharProperty, static_cast<int>(m.Real));
        c.mergeCharFormat(real);
    }
}

bool TTextModel::DropRealChar(QTextCharFormat& format) {
    if (!format.hasProperty(RealCharProperty))
        return false;
    format.clearProperty(RealCharProperty);
    return true;
}

void TTextModel::Insert(QTextCursor& cursor, const QString& text) {
    QList<TMarked> marked;
    const QString doc = ToDocument(text, marked);
    // Inserted text takes the format of the character before it; a stand-in's
    // meaning must not spread to it.
    QTextCharFormat format = cursor.charFormat();
    DropRealChar(format);
    cursor.beginEditBlock();
    const int start = cursor.selectionStart();
    cursor.insertText(doc, format);
    Mark(start, marked);
    cursor.endEditBlock();
}

char16_t TTextModel::RealCharAt(int pos) const {
    QTextCursor c(Doc);
    c.setPosition(pos + 1); // the format of the character before the cursor
    const QVariant real = c.charFormat().property(RealCharProperty);
    return real.isValid() ? static_cast<char16_t>(real.toInt()) : StandIn;
}

QString TTextModel::BlockText(const QTextBlock& block) const {
    QString text = block.text();
    for (qsizetype i = text.indexOf(QChar(StandIn)); i >= 0;
         i = text.indexOf(QChar(StandIn), i + 1))
        text[i] = QChar(RealCharAt(block.position() + static_cast<int>(i)));
    return text;
}

QString TTextModel::FromDocument(const QString& raw, int from, const QString& lineEnd) const {
    // toRawText() keeps non-breaking spaces, which toPlainText() would turn
    // into blanks and so change bytes of a file nobody edited. A line
    // separator can only have come in past Insert; it shows as a break.
    const auto isBreak = [](QChar c) {
        return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
    };
    const qsizetype breaks = std::count_if(raw.cbegin(), raw.cend(), isBreak);
    // One pass into a text of the final length: replacing break by break would move the
    // rest of a long text again and again.
    QString text(raw.size() + breaks * (lineEnd.size() - 1), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (isBreak(c))
            out = std::copy(lineEnd.cbegin(), lineEnd.cend(), out);
        else if (c.unicode() == StandIn)
            *out++ = QChar(RealCharAt(from + static_cast<int>(i)));
        else
            *out++ = c;
    }
    return text;
}
