#include "ColMemo/TextModel.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

// The format property that names the real character of a stand-in.
constexpr int RealCharProperty = QTextFormat::UserProperty + 0x2028;

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
    return BlockText(m_doc->findBlockByNumber(line));
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
    return FromDocument(m_doc->toRawText(), 0, QStringLiteral("\r\n"));
}

bool TTextModel::NeedsStandIn(QChar c) {
    const char16_t u = c.unicode();
    return u == 0x2028 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1;
}

QString TTextModel::ToDocument(const QString& text, QList<TMarked>& marked) {
    QString doc;
    doc.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            doc += QLatin1Char('\n');
            if (i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (NeedsStandIn(c)) {
            marked.append({static_cast<int>(doc.size()), c.unicode()});
            doc += QChar(StandIn);
        } else {
            doc += c;
        }
    }
    return doc;
}

void TTextModel::Mark(int start, const QList<TMarked>& marked) {
    QTextCursor c(m_doc);
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
    QTextCursor c(m_doc);
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
    if (!raw.contains(QChar(StandIn))) {
        QString text = raw;
        text.replace(QChar::ParagraphSeparator, lineEnd);
        text.replace(QChar::LineSeparator, lineEnd);
        return text;
    }
    QString text;
    text.reserve(raw.size() + raw.size() / 8);
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            text += lineEnd;
        else if (c.unicode() == StandIn)
            text += QChar(RealCharAt(from + static_cast<int>(i)));
        else
            text += c;
    }
    return text;
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
