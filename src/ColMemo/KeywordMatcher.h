// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Finds the keywords of a compiled keyword pattern in a stretch of text.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace colmemo {

// "@", A..Z and a..z; digits, "_", "$" and everything else end a word.
inline bool IsWordChar(char16_t c) {
    return (c >= 64 && c <= 90) || (c >= 97 && c <= 122);
}

class TKeywordMatcher {
public:
    struct THit {
        int32_t Position; // relative to the searched text
        int32_t Length;
        int ColorNumber; // 1-based, as carried by the pattern
    };

    // Takes the keywords of a pattern ("*" keyword "*+" colour-number "*" ...), keeping a copy:
    // the same pattern again costs one comparison. False when the pattern holds no keyword.
    bool Load(std::u16string_view pattern);

    // True when some keyword holds an ASCII letter; otherwise letter case cannot matter.
    bool HasLetters() const { return KeywordsHaveLetters; }

    // Hits come in the order of one left-to-right search per keyword, keyword after keyword:
    // each search goes on behind every occurrence, accepted or not, so a keyword never overlaps
    // itself. Without partWord an occurrence needs a non-word character (or the text's edge) on
    // both sides.
    const std::vector<THit>& Find(std::u16string_view text, bool partWord);

private:
    struct TKeyword {
        uint32_t Offset; // into Pattern, which may move
        uint32_t Length;
        int ColorNumber;
    };
    struct TRawHit {
        int32_t Position;
        int32_t Keyword;
    };
    static constexpr int32_t None = -1;
    // Keywords by their first character: ASCII characters have a chain each, all others share
    // one; Links continues each chain.
    struct TChains {
        std::array<int32_t, 128> Heads{};
        int32_t Wide = None;
        std::vector<int32_t> Links;
        int32_t Count = 0;

        void Clear(size_t keywords);
        void Add(int32_t keyword, char16_t first);
        bool Empty() const { return Count == 0; }
        int32_t Head(char16_t c) const { return c < Heads.size() ? Heads[c] : Wide; }
    };

    std::u16string_view Word(int32_t keyword) const {
        const TKeyword& entry = Keywords[size_t(keyword)];
        return {Pattern.data() + entry.Offset, entry.Length};
    }
    void Parse();
    void FindEverywhere(const TChains& chains, bool partWord);
    void FindWholeWords();
    void OrderByKeyword();

    std::u16string Pattern;
    std::vector<TKeyword> Keywords;
    bool KeywordsHaveLetters = false;
    TChains AllKeywords;
    // Whole-word searches split the keywords. One made of word characters alone can only be
    // accepted as a whole word of the text, and passing over an occurrence of it inside a word
    // never hides a later one (that one would need a non-word character before it, inside the
    // passed occurrence); so these are looked up word by word. The others are searched at every
    // position.
    TChains WordKeywords;
    TChains OtherKeywords;
    std::u16string_view Text;
    std::vector<int32_t> NextSearch;
    std::vector<TRawHit> Raw;
    std::vector<int32_t> Counts;
    std::vector<THit> Hits;
};

} // namespace colmemo
