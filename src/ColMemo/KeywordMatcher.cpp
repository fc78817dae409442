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
    if (pattern != std::u16string_view(Pattern)) {
        Pattern.assign(pattern);
        Parse();
    }
    return !Keywords.empty();
}

void TKeywordMatcher::Parse() {
    const std::u16string_view pattern(Pattern);
    Keywords.clear();
    KeywordsHaveLetters = false;
    size_t star = pattern.find(u'*');
    while (star != std::u16string_view::npos) {
        const size_t close = pattern.find(u'*', star + 1);
        // Behind the keyword: "*+", the colour character, "*" (which opens the next keyword).
        if (close == std::u16string_view::npos || close + 3 >= pattern.size() ||
            pattern[close + 1] != u'+' || pattern[close + 3] != u'*')
            break;
        if (close > star + 1)
            Keywords.push_back(
                {uint32_t(star + 1), uint32_t(close - star - 1), int(pattern[close + 2])});
        star = close + 3;
    }
    AllKeywords.Clear(Keywords.size());
    WordKeywords.Clear(Keywords.size());
    OtherKeywords.Clear(Keywords.size());
    for (size_t k = 0; k < Keywords.size(); ++k) {
        const std::u16string_view text = Word(int32_t(k));
        AllKeywords.Add(int32_t(k), text.front());
        const bool word = std::all_of(text.begin(), text.end(), IsWordChar);
        (word ? WordKeywords : OtherKeywords).Add(int32_t(k), text.front());
        KeywordsHaveLetters =
            KeywordsHaveLetters || std::any_of(text.begin(), text.end(), IsAsciiLetter);
    }
}

const std::vector<TKeywordMatcher::THit>& TKeywordMatcher::Find(std::u16string_view text,
                                                                bool partWord) {
    Text = text;
    Raw.clear();
    if (partWord) {
        FindEverywhere(AllKeywords, true);
    } else {
        if (!WordKeywords.Empty())
            FindWholeWords();
        if (!OtherKeywords.Empty())
            FindEverywhere(OtherKeywords, false);
    }
    OrderByKeyword();
    return Hits;
}

void TKeywordMatcher::FindEverywhere(const TChains& chains, bool partWord) {
    NextSearch.assign(Keywords.size(), 0);
    const int32_t length = int32_t(Text.size());
    const char16_t* chars = Text.data();
    for (int32_t i = 0; i < length; ++i) {
        const char16_t c = chars[i];
        for (int32_t k = chains.Head(c); k != None; k = chains.Links[size_t(k)]) {
            const std::u16string_view word = Word(k);
            const int32_t wordLength = int32_t(word.size());
            if (word.front() != c || i < NextSearch[size_t(k)] || wordLength > length - i ||
                !SameChars(word, chars + i))
                continue;
            NextSearch[size_t(k)] = i + wordLength;
            if (!partWord && ((i > 0 && IsWordChar(chars[i - 1])) ||
                              (i + wordLength < length && IsWordChar(chars[i + wordLength]))))
                continue;
            Raw.push_back({i, k});
        }
    }
}

void TKeywordMatcher::FindWholeWords() {
    const int32_t length = int32_t(Text.size());
    const char16_t* chars = Text.data();
    for (int32_t i = 0; i < length; ++i) {
        if (!IsWordChar(chars[i]))
            continue;
        const int32_t start = i;
        while (i < length && IsWordChar(chars[i]))
            ++i;
        const int32_t wordLength = i - start;
        for (int32_t k = WordKeywords.Head(chars[start]); k != None;
             k = WordKeywords.Links[size_t(k)]) {
            const std::u16string_view word = Word(k);
            if (int32_t(word.size()) == wordLength && SameChars(word, chars + start))
                Raw.push_back({start, k});
        }
    }
}

// Stable counting sort: positions stay ascending within each keyword.
void TKeywordMatcher::OrderByKeyword() {
    Counts.assign(Keywords.size() + 1, 0);
    for (const TRawHit& hit : Raw)
        ++Counts[size_t(hit.Keyword) + 1];
    for (size_t k = 1; k < Counts.size(); ++k)
        Counts[k] += Counts[k - 1];
    Hits.resize(Raw.size());
    for (const TRawHit& hit : Raw) {
        const TKeyword& keyword = Keywords[size_t(hit.Keyword)];
        Hits[size_t(Counts[size_t(hit.Keyword)]++)] = {hit.Position, int32_t(keyword.Length),
                                                       keyword.ColorNumber};
    }
}

} // namespace colmemo
