// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Colouring rules, the collection that holds them, the compilation of their ";"-separated
// list properties into lookup tables, and the colour-text parser those lists share.

#include "ColMemo/ColorTypes.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace colmemo {

using TStrings = std::vector<std::u16string>;

enum TKeyDrawingType : uint8_t { dtKeyShow, dtEventDraw, dtBeginEnd, dtBeginLineEnd };

inline constexpr int MaxKeyPairs = 40;
inline constexpr int MaxKeyColors = 41;
inline constexpr int MaxMarkLength = 6;
// The scanner's search buffer holds no longer keyword; longer ones are not compiled.
inline constexpr int MaxKeywordLength = 31;

// One entry of the compiled pair table; an empty begin mark ends the table for the scanner.
struct TKeyPair {
    std::array<char16_t, MaxMarkLength> BeginMark{};
    std::array<char16_t, MaxMarkLength> EndMark{};
    uint8_t BeginLength = 0;
    uint8_t EndLength = 0;
    TColor Color = 0;

    std::u16string_view Begin() const { return {BeginMark.data(), BeginLength}; }
    std::u16string_view End() const { return {EndMark.data(), EndLength}; }
    bool Empty() const { return BeginLength == 0; }
};

using TKeyPairs = std::array<TKeyPair, MaxKeyPairs>;

// Converts the colour part of a list line: one of 16 colour names, or a hexadecimal RRGGBB
// number with an optional "#" or "$"; anything else gives white.
TColor ParseColor(std::u16string_view text);

class TDrawRules;

class TColorRule {
public:
    explicit TColorRule(TDrawRules* collection = nullptr);
    TColorRule(const TColorRule&) = delete;
    TColorRule& operator=(const TColorRule&) = delete;

    // Plain properties; changing them takes effect at the next compile.
    uint8_t ZOrder = 0;
    std::u16string IntChar;   // stored only
    int32_t KeyMaxHeight = 1; // look-back in lines; only the collection's first rule counts
    TKeyDrawingType KeyDrawingType = dtBeginEnd;
    bool KeyCase = false;
    bool Enabled = true;
    bool PartWord = false;
    TColor DefKeyColor = clRed;
    TColor KeySelColor = clYellow;   // stored only, not copied
    TColor KeyBrushColor = clWindow; // stored and copied only

    // Filling a list through these references compiles nothing (as loading a form does);
    // the collection's next compiling PrepareRules picks the lines up.
    TStrings& Keywords() { return KeywordLines; }
    TStrings& KeyBegEndLst() { return BeginEndLines; }
    TStrings& KeyLineEndLst() { return LineEndLines; }
    const TStrings& Keywords() const { return KeywordLines; }
    const TStrings& KeyBegEndLst() const { return BeginEndLines; }
    const TStrings& KeyLineEndLst() const { return LineEndLines; }

    // The setters compile the given lines at once, then take them over. Both pair setters
    // compile into the one KeyPairs table, whatever the rule's kind.
    void SetKeywords(const TStrings& lines);
    void SetKeyBegEndLst(const TStrings& lines);
    void SetKeyLineEndLst(const TStrings& lines);

    // Copies everything but IntChar and KeySelColor and recompiles through the setters.
    void CopyFrom(const TColorRule& source);

    // Recompiles from the rule's own lists; true when the rule has any content.
    bool CompileRule();

    // Compiled tables. KeyPairs is null until the first compile of a pair list.
    const TKeyPairs* KeyPairs() const { return PairTable.get(); }
    const std::array<TColor, MaxKeyColors>& KeyColors() const { return ColorTable; }
    int KeyColorsUsed() const { return ColorsUsed; }
    // "*" then, per keyword, the keyword, "*+", a character whose code is the colour number
    // (1-based index into KeyColors) and "*".
    const std::u16string& KeywordPattern() const { return Pattern; }

    TDrawRules* Collection() const { return Owner; }

private:
    void CompileKeywords(const TStrings& lines);
    void CompileBegEnd(const TStrings& lines);
    void CompileLineEnd(const TStrings& lines);
    TKeyPairs& ClearedKeyPairs();
    int ColorNumber(TColor color);
    TColor ColorOf(std::u16string_view colorPart) const;

    TDrawRules* Owner; // the collection the rule was made in; null outside one
    TStrings KeywordLines;
    TStrings BeginEndLines;
    TStrings LineEndLines;
    std::unique_ptr<TKeyPairs> PairTable;
    std::array<TColor, MaxKeyColors> ColorTable{};
    int ColorsUsed = 0;
    std::u16string Pattern;
};

class TDrawRules {
public:
    TDrawRules() = default;
    TDrawRules(const TDrawRules&) = delete;
    TDrawRules& operator=(const TDrawRules&) = delete;

    // True at creation; after a compile that found content it is false for one call only.
    bool NeedsCompile = true;

    TColorRule& Add();
    void Clear() { Rules.clear(); }
    int Count() const { return static_cast<int>(Rules.size()); }
    TColorRule& Items(int index) { return *Rules.at(index); }
    const TColorRule& Items(int index) const { return *Rules.at(index); }

    // Replaces all rules by copies of the source's rules.
    void CopyFrom(const TDrawRules& source);

    // Compiles every rule when NeedsCompile is set; call at the start of every paint.
    void PrepareRules();

private:
    std::vector<std::unique_ptr<TColorRule>> Rules;
};

} // namespace colmemo
