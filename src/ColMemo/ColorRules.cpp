// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorRules.h"

#include <algorithm>

namespace colmemo {

namespace {

bool IsBlankChar(char16_t c) {
    return c <= u' ';
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsBlankChar(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlankChar(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsBlank(std::u16string_view text) {
    return Trimmed(text).empty();
}

char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// Reads an integer whose "$" prefix means hexadecimal, as the runtime's integer conversion
// does: leading blanks, an optional sign, "$", digits and nothing after them.
bool ReadDollarNumber(std::u16string_view text, uint32_t& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    if (i >= text.size() || text[i] != u'$')
        return false;
    ++i;
    if (i >= text.size())
        return false;
    uint64_t number = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            return false;
        number = number * 16 + uint64_t(digit);
        if (number > 0xFFFFFFFFu)
            return false;
    }
    value = negative ? uint32_t(0u - uint32_t(number)) : uint32_t(number);
    return true;
}

struct TColorName {
    std::u16string_view Name;
    TColor Color;
};

constexpr TColorName ColorNames[] = {
    {u"BLACK", 0x000000},   {u"MAROON", 0x000080}, {u"GREEN", 0x008000},  {u"OLIVE", 0x008080},
    {u"NAVY", 0x800000},    {u"PURPLE", 0x800080}, {u"TEAL", 0x808000},   {u"GRAY", 0x808080},
    {u"RED", 0x0000FF},     {u"LIME", 0x00FF00},   {u"YELLOW", 0x00FFFF}, {u"BLUE", 0xFF0000},
    {u"FUCHSIA", 0xFF00FF}, {u"AQUA", 0xFFFF00},   {u"WHITE", 0xFFFFFF},  {u"SILVER", 0xC0C0C0},
};

void StoreMark(std::u16string_view mark, std::array<char16_t, MaxMarkLength>& dest,
               uint8_t& length) {
    mark = mark.substr(0, MaxMarkLength);
    std::copy(mark.begin(), mark.end(), dest.begin());
    length = static_cast<uint8_t>(mark.size());
}

} // namespace

TColor ParseColor(std::u16string_view text) {
    constexpr size_t MaxColorText = 10;
    // One more than the cut, for the "$" that may be put in front.
    std::array<char16_t, MaxColorText + 1> buffer{};
    std::u16string_view trimmed = Trimmed(text).substr(0, MaxColorText);
    size_t length = 0;
    buffer[length++] = u'$';
    for (char16_t c : trimmed)
        buffer[length++] = UpperAscii(c);
    std::u16string_view upper(buffer.data() + 1, length - 1);

    for (const TColorName& entry : ColorNames)
        if (upper == entry.Name)
            return entry.Color;

    const size_t hash = upper.find(u'#');
    if (hash != std::u16string_view::npos) {
        std::copy(buffer.begin() + 1 + hash + 1, buffer.begin() + length,
                  buffer.begin() + 1 + hash);
        --length;
    }
    std::u16string_view number(buffer.data() + 1, length - 1);
    if (number.find(u'$') == std::u16string_view::npos)
        number = std::u16string_view(buffer.data(), length);

    uint32_t value = 0;
    if (!ReadDollarNumber(number, value))
        return clWhite;
    const uint32_t red = (value >> 16) & 0xFF;
    const uint32_t green = (value >> 8) & 0xFF;
    const uint32_t blue = value & 0xFF;
    return (blue << 16) | (green << 8) | red;
}

TColorRule::TColorRule(TDrawRules* collection) : Owner(collection) {}

void TColorRule::SetKeywords(const TStrings& lines) {
    CompileKeywords(lines);
    if (&lines != &KeywordLines)
        KeywordLines = lines;
}

void TColorRule::SetKeyBegEndLst(const TStrings& lines) {
    CompileBegEnd(lines);
    if (&lines != &BeginEndLines)
        BeginEndLines = lines;
}

void TColorRule::SetKeyLineEndLst(const TStrings& lines) {
    CompileLineEnd(lines);
    if (&lines != &LineEndLines)
        LineEndLines = lines;
}

void TColorRule::CopyFrom(const TColorRule& source) {
    KeyDrawingType = source.KeyDrawingType;
    ZOrder = source.ZOrder;
    KeyMaxHeight = source.KeyMaxHeight;
    KeyCase = source.KeyCase;
    Enabled = source.Enabled;
    PartWord = source.PartWord;
    DefKeyColor = source.DefKeyColor;
    KeyBrushColor = source.KeyBrushColor;
    // The setters compile with the DefKeyColor and KeyCase just copied.
    SetKeywords(source.KeywordLines);
    SetKeyLineEndLst(source.LineEndLines);
    SetKeyBegEndLst(source.BeginEndLines);
}

bool TColorRule::CompileRule() {
    const bool hasPairs = !BeginEndLines.empty();
    CompileBegEnd(BeginEndLines);
    if (KeyDrawingType == dtKeyShow) {
        CompileKeywords(KeywordLines);
        return hasPairs || !KeywordLines.empty();
    }
    if (KeyDrawingType == dtBeginLineEnd) {
        CompileLineEnd(LineEndLines);
        return hasPairs || !LineEndLines.empty();
    }
    return hasPairs;
}

TColor TColorRule::ColorOf(std::u16string_view colorPart) const {
    return IsBlank(colorPart) ? DefKeyColor : ParseColor(colorPart);
}

// Only the colours in use count as matches: the unused cells hold zero, which would otherwise
// pass for black and later be overwritten by the next new colour.
int TColorRule::ColorNumber(TColor color) {
    for (int i = 0; i < ColorsUsed; ++i)
        if (ColorTable[i] == color)
            return i + 1;
    if (ColorsUsed < MaxKeyColors) {
        ColorTable[ColorsUsed++] = color;
        return ColorsUsed;
    }
    // No room for a 42nd colour: such keywords share the last one.
    return MaxKeyColors;
}

void TColorRule::CompileKeywords(const TStrings& lines) {
    Pattern.clear();
    Pattern.push_back(u'*');
    ColorTable.fill(0);
    ColorsUsed = 0;
    for (const std::u16string& line : lines) {
        if (IsBlank(line))
            continue;
        const std::u16string_view text(line);
        const size_t semicolon = text.find(u';');
        const std::u16string_view keyword = text.substr(0, semicolon);
        const std::u16string_view colorPart = semicolon == std::u16string_view::npos
                                                  ? std::u16string_view()
                                                  : text.substr(semicolon + 1);
        if (IsBlank(keyword))
            continue;
        // A "*" would split the keyword in the pattern, and the search buffer holds no more
        // than MaxKeywordLength characters; such a keyword cannot be searched as written.
        if (keyword.size() > size_t(MaxKeywordLength) ||
            keyword.find(u'*') != std::u16string_view::npos)
            continue;
        const int number = ColorNumber(ColorOf(colorPart));
        for (char16_t c : keyword)
            Pattern.push_back(KeyCase ? c : UpperAscii(c));
        Pattern.append(u"*+");
        Pattern.push_back(char16_t(number));
        Pattern.push_back(u'*');
    }
}

TKeyPairs& TColorRule::ClearedKeyPairs() {
    if (!PairTable)
        PairTable = std::make_unique<TKeyPairs>();
    PairTable->fill(TKeyPair{});
    return *PairTable;
}

void TColorRule::CompileBegEnd(const TStrings& lines) {
    TKeyPairs& pairs = ClearedKeyPairs();
    const size_t count = std::min(lines.size(), size_t(MaxKeyPairs));
    for (size_t i = 0; i < count; ++i) {
        const std::u16string_view line(lines[i]);
        const size_t first = line.find(u';');
        if (first == std::u16string_view::npos || first == 0)
            continue;
        const std::u16string_view rest = line.substr(first + 1);
        const size_t second = rest.find(u';');
        TKeyPair& pair = pairs[i];
        StoreMark(line.substr(0, first), pair.BeginMark, pair.BeginLength);
        StoreMark(rest.substr(0, second), pair.EndMark, pair.EndLength);
        pair.Color = ColorOf(second == std::u16string_view::npos ? std::u16string_view()
                                                                 : rest.substr(second + 1));
    }
}

void TColorRule::CompileLineEnd(const TStrings& lines) {
    TKeyPairs& pairs = ClearedKeyPairs();
    const size_t count = std::min(lines.size(), size_t(MaxKeyPairs));
    for (size_t i = 0; i < count; ++i) {
        const std::u16string_view line(lines[i]);
        const size_t first = line.find(u';');
        std::u16string_view mark = line;
        std::u16string_view colorPart;
        if (first != std::u16string_view::npos && first >= 1) {
            mark = line.substr(0, first);
            colorPart = line.substr(first + 1);
        } else if (line.starts_with(u";;")) {
            mark = line.substr(0, 1);
            colorPart = line.substr(2);
        }
        TKeyPair& pair = pairs[i];
        StoreMark(mark, pair.BeginMark, pair.BeginLength);
        pair.Color = ColorOf(colorPart);
    }
}

TColorRule& TDrawRules::Add() {
    Rules.push_back(std::make_unique<TColorRule>(this));
    return *Rules.back();
}

void TDrawRules::CopyFrom(const TDrawRules& source) {
    if (&source == this)
        return;
    Rules.clear();
    for (const auto& rule : source.Rules)
        Add().CopyFrom(*rule);
}

void TDrawRules::PrepareRules() {
    bool content = false;
    if (NeedsCompile)
        for (const auto& rule : Rules)
            content = rule->CompileRule() || content;
    NeedsCompile = !content;
}

} // namespace colmemo
