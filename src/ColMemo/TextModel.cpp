#include "ColMemo/TextModel.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace {

// Block user states hold a text hash; -1 is Qt's "no state".
int TextHash(const QTextBlock& block) {
    return static_cast<int>(qHash(block.text()) & 0x7fffffff);
}

} // namespace

int32_t TTextModel::Length() const {
    // characterCount() includes the document's closing separator.
    return m_doc->characterCount() - 1 + m_doc->blockCount() - 1;
}

int32_t TTextModel::BlockCount() const {
    return m_doc->blockCount();
}

int32_t TTextModel::LineCount() const {
    const int blocks = m_doc->blockCount();
    return m_doc->lastBlock().length() == 1 ? blocks - 1 : blocks;
}

QString TTextModel::LineText(int32_t line) const {
    if (line < 0 || line >= m_doc->blockCount())
        return {};
    return m_doc->findBlockByNumber(line).text();
}

int32_t TTextModel::BlockStartIndex(int block) const {
    return m_doc->findBlockByNumber(block).position() + block;
}

int32_t TTextModel::LineStart(int32_t line) const {
    if (line < 0 || line >= m_doc->blockCount())
        return -1;
    return BlockStartIndex(line);
}

int32_t TTextModel::LineOf(int32_t index) const {
    index = std::clamp(index, 0, Length());
    const int docEnd = m_doc->characterCount() - 1;
    // A block's start index is at least its position, so the block holding
    // position `index` is an upper bound; binary search below it.
    int hi = m_doc->findBlock(std::min(index, docEnd)).blockNumber();
    int lo = std::max(0, m_doc->findBlock(std::max(0, index - hi)).blockNumber() - 1);
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
    if (line < 0 || line >= m_doc->blockCount())
        return 0;
    return m_doc->findBlockByNumber(line).length() - 1;
}

int32_t TTextModel::LineLengthAt(int32_t index) const {
    return m_doc->findBlockByNumber(LineOf(index)).length() - 1;
}

int32_t TTextModel::IndexOf(int pos) const {
    pos = std::clamp(pos, 0, m_doc->characterCount() - 1);
    return pos + m_doc->findBlock(pos).blockNumber();
}

int TTextModel::PosOf(int32_t index, bool roundUp) const {
    const int32_t line = LineOf(index);
    const QTextBlock block = m_doc->findBlockByNumber(line);
    const int textLength = block.length() - 1;
    const int32_t col = std::clamp(index, 0, Length()) - (block.position() + line);
    if (col <= textLength)
        return block.position() + col;
    return block.position() + textLength + (roundUp ? 1 : 0);
}

QString TTextModel::Text() const {
    return FromDocument(m_doc->toRawText(), QStringLiteral("\r\n"));
}

QString TTextModel::ToDocument(const QString& text) {
    QString result = text;
    // A line separator would make two visual lines of one block and break the
    // one-block-one-line rule every index conversion relies on.
    result.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return result;
}

QString TTextModel::FromDocument(QString raw, const QString& lineEnd) {
    // toRawText() keeps non-breaking spaces, which toPlainText() would turn
    // into blanks and so change bytes of a file nobody edited.
    raw.replace(QChar::ParagraphSeparator, lineEnd);
    raw.replace(QChar::LineSeparator, lineEnd);
    return raw;
}

bool TTextModel::NoteChange(int pos, int removed, int added) {
    const int docEnd = m_doc->characterCount() - 1;
    bool changed = removed != added;
    QTextBlock block = m_doc->findBlock(std::clamp(pos, 0, docEnd));
    const int last = std::clamp(pos + added, 0, docEnd);
    while (block.isValid() && block.position() <= last) {
        const int hash = TextHash(block);
        if (block.userState() != hash) {
            changed = true;
            block.setUserState(hash);
        }
        block = block.next();
    }
    return changed;
}
