#include "ColMemo/KeywordMatcher.h"

#include <algorithm>

namespace colmemo {

namespace {

// Keywords are short: an inline loop beats a library compare call by far.
bool SameChars(std::u16string_view word, const char16_t* text) {
    for (size_t j = 1; j < word.size(); ++j)
        if (text[j] != word[j])
            return false;
    return true;
}

bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

void TKeywordMatcher::TChains::Clear(size_t keywords) {
    Heads.fill(None);
    Wide = None;
    Links.assign(keywords, None);
}

void TKeywordMatcher::TChains::Add(int32_t keyword, char16_t first) {
    int32_t& head = first < Heads.size() ? Heads[first] : Wide;
    Links[size_t(keyword)] = head;
    head = keyword;
}

bool TKeywordMatcher::Load(std::u16string_view pattern) {
    Keywords_.clear();
    HasLetters_ = false;
    size_t star = pattern.find(u'*');
    while (star != std::u16string_view::npos) {
        const size_t close = pattern.find(u'*', star + 1);
        // Behind the keyword: "*+", the colour character, "*" (which opens the next keyword).
        if (close == std::u16string_view::npos || close + 3 >= pattern.size() ||
            pattern[close + 1] != u'+' || pattern[close + 3] != u'*')
            break;
        const std::u16string_view text = pattern.substr(star + 1, close - star - 1);
        if (!text.empty())
            Keywords_.push_back({text, int(pattern[close + 2])});
        star = close + 3;
    }
    All_.Clear(Keywords_.size());
    InsideWord_.Clear(Keywords_.size());
    for (size_t k = 0; k < Keywords_.size(); ++k) {
        const std::u16string_view text = Keywords_[k].Text;
        All_.Add(int32_t(k), text.front());
        if (!std::all_of(text.begin(), text.end(), IsWordChar))
            InsideWord_.Add(int32_t(k), text.front());
        HasLetters_ = HasLetters_ || std::any_of(text.begin(), text.end(), IsAsciiLetter);
    }
    return !Keywords_.empty();
}

const std::vector<TKeywordMatcher::THit>& TKeywordMatcher::Find(std::u16string_view text,
                                                                bool partWord) {
    Raw_.clear();
    NextSearch_.assign(Keywords_.size(), 0);
    const int32_t length = int32_t(text.size());
    const char16_t* chars = text.data();
    for (int32_t i = 0; i < length; ++i) {
        const char16_t c = chars[i];
        const bool afterWordChar = i > 0 && IsWordChar(chars[i - 1]);
        const TChains& chains = !partWord && afterWordChar ? InsideWord_ : All_;
        for (int32_t k = chains.Head(c); k != None; k = chains.Links[size_t(k)]) {
            const std::u16string_view word = Keywords_[size_t(k)].Text;
            const int32_t wordLength = int32_t(word.size());
            if (word.front() != c || i < NextSearch_[size_t(k)] || wordLength > length - i ||
                !SameChars(word, chars + i))
                continue;
            NextSearch_[size_t(k)] = i + wordLength;
            if (!partWord &&
                (afterWordChar || (i + wordLength < length && IsWordChar(chars[i + wordLength]))))
                continue;
            Raw_.push_back({i, k});
        }
    }
    OrderByKeyword();
    return Hits_;
}

// Stable counting sort: positions stay ascending within each keyword.
void TKeywordMatcher::OrderByKeyword() {
    Counts_.assign(Keywords_.size() + 1, 0);
    for (const TRawHit& hit : Raw_)
        ++Counts_[size_t(hit.Keyword) + 1];
    for (size_t k = 1; k < Counts_.size(); ++k)
        Counts_[k] += Counts_[k - 1];
    Hits_.resize(Raw_.size());
    for (const TRawHit& hit : Raw_) {
        const TKeyword& keyword = Keywords_[size_t(hit.Keyword)];
        Hits_[size_t(Counts_[size_t(hit.Keyword)]++)] = {hit.Position, int32_t(keyword.Text.size()),
                                                         keyword.ColorNumber};
    }
}

} // namespace colmemo
