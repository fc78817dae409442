// SPDX-License-Identifier: GPL-3.0-or-later
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
    Count = 0;
}

void TKeywordMatcher::TChains::Add(int32_t keyword, char16_t first) {
    int32_t& head = first < Heads.size() ? Heads[first] : Wide;
    Links[size_t(keyword)] = head;
    head = keyword;
    ++Count;
}

bool TKeywordMatcher::Load(std::u16string_view pattern) {
    // Rules are recompiled every other paint, mostly into the very same pattern.
    if (pattern != std::u16string_view(Pattern_)) {
        Pattern_.assign(pattern);
        Parse();
    }
    return !Keywords_.empty();
}

void TKeywordMatcher::Parse() {
    const std::u16string_view pattern(Pattern_);
    Keywords_.clear();
    HasLetters_ = false;
    size_t star = pattern.find(u'*');
    while (star != std::u16string_view::npos) {
        const size_t close = pattern.find(u'*', star + 1);
        // Behind the keyword: "*+", the colour character, "*" (which opens the next keyword).
        if (close == std::u16string_view::npos || close + 3 >= pattern.size() ||
            pattern[close + 1] != u'+' || pattern[close + 3] != u'*')
            break;
        if (close > star + 1)
            Keywords_.push_back(
                {uint32_t(star + 1), uint32_t(close - star - 1), int(pattern[close + 2])});
        star = close + 3;
    }
    All_.Clear(Keywords_.size());
    WordKeywords_.Clear(Keywords_.size());
    OtherKeywords_.Clear(Keywords_.size());
    for (size_t k = 0; k < Keywords_.size(); ++k) {
        const std::u16string_view text = Word(int32_t(k));
        All_.Add(int32_t(k), text.front());
        const bool word = std::all_of(text.begin(), text.end(), IsWordChar);
        (word ? WordKeywords_ : OtherKeywords_).Add(int32_t(k), text.front());
        HasLetters_ = HasLetters_ || std::any_of(text.begin(), text.end(), IsAsciiLetter);
    }
}

const std::vector<TKeywordMatcher::THit>& TKeywordMatcher::Find(std::u16string_view text,
                                                                bool partWord) {
    Text_ = text;
    Raw_.clear();
    if (partWord) {
        FindEverywhere(All_, true);
    } else {
        if (!WordKeywords_.Empty())
            FindWholeWords();
        if (!OtherKeywords_.Empty())
            FindEverywhere(OtherKeywords_, false);
    }
    OrderByKeyword();
    return Hits_;
}

void TKeywordMatcher::FindEverywhere(const TChains& chains, bool partWord) {
    NextSearch_.assign(Keywords_.size(), 0);
    const int32_t length = int32_t(Text_.size());
    const char16_t* chars = Text_.data();
    for (int32_t i = 0; i < length; ++i) {
        const char16_t c = chars[i];
        for (int32_t k = chains.Head(c); k != None; k = chains.Links[size_t(k)]) {
            const std::u16string_view word = Word(k);
            const int32_t wordLength = int32_t(word.size());
            if (word.front() != c || i < NextSearch_[size_t(k)] || wordLength > length - i ||
                !SameChars(word, chars + i))
                continue;
            NextSearch_[size_t(k)] = i + wordLength;
            if (!partWord && ((i > 0 && IsWordChar(chars[i - 1])) ||
                              (i + wordLength < length && IsWordChar(chars[i + wordLength]))))
                continue;
            Raw_.push_back({i, k});
        }
    }
}

void TKeywordMatcher::FindWholeWords() {
    const int32_t length = int32_t(Text_.size());
    const char16_t* chars = Text_.data();
    for (int32_t i = 0; i < length; ++i) {
        if (!IsWordChar(chars[i]))
            continue;
        const int32_t start = i;
        while (i < length && IsWordChar(chars[i]))
            ++i;
        const int32_t wordLength = i - start;
        for (int32_t k = WordKeywords_.Head(chars[start]); k != None;
             k = WordKeywords_.Links[size_t(k)]) {
            const std::u16string_view word = Word(k);
            if (int32_t(word.size()) == wordLength && SameChars(word, chars + start))
                Raw_.push_back({start, k});
        }
    }
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
        Hits_[size_t(Counts_[size_t(hit.Keyword)]++)] = {hit.Position, int32_t(keyword.Length),
                                                         keyword.ColorNumber};
    }
}

} // namespace colmemo
