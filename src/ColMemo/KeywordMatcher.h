#pragma once

// Finds the keywords of a compiled keyword pattern in a stretch of text.

#include <array>
#include <cstdint>
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

    // Takes the keywords of a pattern ("*" keyword "*+" colour-number "*" ...); the pattern must
    // outlive the following Find calls. False when the pattern holds no keyword.
    bool Load(std::u16string_view pattern);

    // True when some keyword holds an ASCII letter; otherwise letter case cannot matter.
    bool HasLetters() const { return HasLetters_; }

    // Hits come in the order of one left-to-right search per keyword, keyword after keyword:
    // each search goes on behind every occurrence, accepted or not, so a keyword never overlaps
    // itself. Without partWord an occurrence needs a non-word character (or the text's edge) on
    // both sides. All keywords are found in a single pass over the text.
    const std::vector<THit>& Find(std::u16string_view text, bool partWord);

private:
    struct TKeyword {
        std::u16string_view Text;
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

        void Clear(size_t keywords);
        void Add(int32_t keyword, char16_t first);
        int32_t Head(char16_t c) const { return c < Heads.size() ? Heads[c] : Wide; }
    };

    void OrderByKeyword();

    std::vector<TKeyword> Keywords_;
    bool HasLetters_ = false;
    TChains All_;
    // Only keywords holding a non-word character. Inside a word a keyword of word characters
    // alone is never accepted, and passing over such an occurrence cannot hide a later one (its
    // successor would need a non-word character before it, inside the passed occurrence), so
    // whole-word searches look at these alone there.
    TChains InsideWord_;
    std::vector<int32_t> NextSearch_;
    std::vector<TRawHit> Raw_;
    std::vector<int32_t> Counts_;
    std::vector<THit> Hits_;
};

} // namespace colmemo
