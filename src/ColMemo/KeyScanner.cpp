// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/KeyScanner.h"

#include <algorithm>

namespace colmemo {

namespace {

constexpr size_t InitialTextCapacity = 2048;
constexpr size_t TextHeadroom = 1024;
constexpr size_t InitialKeyRecords = 100;
// A begin mark that does not occur behind the position last searched from never will.
constexpr int32_t NotFound = INT32_MAX;

} // namespace

TKeyScanner::TKeyScanner() : Text_(InitialTextCapacity, 0) {
    KeyList_.reserve(InitialKeyRecords);
}

void TKeyScanner::SetColorLimMax(int32_t count) {
    if (count == ColorLimMax_)
        return;
    std::vector<TKeyDescr>().swap(EventBuffer_);
    if (count > 0)
        EventBuffer_.resize(size_t(count));
    ColorLimMax_ = count;
}

void TKeyScanner::Scan(const TScanInput& input, const TLineGeometry& geometry) {
    if (input.Rules)
        input.Rules->PrepareRules();
    LoadRegion(ComputeScanRegion(input.Rules, input.CaretLineOnly, input.FirstVisibleLine,
                                 input.CaretLine, geometry),
               geometry);
    CollectKeys(input);
    BuildRuns();
}

// Only the region's lines are fetched; indices stay absolute through ScanStart_.
void TKeyScanner::LoadRegion(const TScanRegion& region, const TLineGeometry& geometry) {
    const int32_t textLength = std::max(geometry.TextLength(), 0);
    ScanStart_ = std::clamp(region.ScanStart, 0, textLength);
    ScanEnd_ = std::clamp(region.ScanEnd, ScanStart_, textLength);
    const size_t length = size_t(ScanEnd_ - ScanStart_);
    if (Text_.size() < length + 1)
        Text_.resize(length + 1 + TextHeadroom);
    geometry.FetchText(ScanStart_, ScanEnd_, Text_.data());
    Text_[length] = 0;
    UpperValid_ = false;
}

void TKeyScanner::CollectKeys(const TScanInput& input) {
    ResetKeys();
    CoverLast_ = ScanEnd_ - 1;
    if (input.HotSpot.Active && input.HotSpot.BeginChar != 0)
        CollectHotSpots(input.HotSpot);
    if (input.WantTabs)
        CollectTabs(input.Color);
    if (input.RedrawAlways)
        CollectCaretLine(input);
    if (input.Rules) {
        for (int i = 0; i < input.Rules->Count(); ++i) {
            const TColorRule& rule = input.Rules->Items(i);
            if (!rule.Enabled)
                continue;
            switch (rule.KeyDrawingType) {
            case dtKeyShow:
                CollectKeywords(rule, size_t(i));
                break;
            case dtEventDraw:
                CollectEvents(rule);
                break;
            case dtBeginEnd:
                CollectPairs(rule);
                break;
            case dtBeginLineEnd:
                CollectLineEnds(rule);
                break;
            }
        }
    }
    if (input.SelLength > 0)
        CollectSelection(input);
}

void TKeyScanner::ResetKeys() {
    for (TKeyDescr& record : KeyList_)
        record.First = FreeIndex;
    Used_ = 0;
    RunCount_ = 0;
    SpanFirst_ = -1;
    SpanLast_ = -1;
}

TKeyDescr& TKeyScanner::AddKey(int32_t first, int32_t last, TColor color, uint8_t zOrder,
                               uint8_t keyWord) {
    if (size_t(Used_) == KeyList_.size())
        KeyList_.emplace_back();
    TKeyDescr& record = KeyList_[size_t(Used_++)];
    record = {first, last, color, zOrder, keyWord};
    ExtendSpan(first, last);
    return record;
}

void TKeyScanner::ExtendSpan(int32_t first, int32_t last) {
    if (SpanFirst_ < 0 || first < SpanFirst_)
        SpanFirst_ = first;
    SpanLast_ = std::max(SpanLast_, last);
}

// The withdrawn record is the last one added; the next finding takes its place, while the
// span keeps what it had reached.
void TKeyScanner::WithdrawLastKey() {
    KeyList_[size_t(--Used_)].First = FreeIndex;
}

int32_t TKeyScanner::Find(char16_t c, int32_t from) const {
    const size_t found = RegionText().find(c, size_t(from));
    return found == std::u16string_view::npos ? -1 : int32_t(found);
}

int32_t TKeyScanner::Find(std::u16string_view mark, int32_t from) const {
    const size_t found = RegionText().find(mark, size_t(from));
    return found == std::u16string_view::npos ? -1 : int32_t(found);
}

void TKeyScanner::CollectHotSpots(const THotSpot& hotSpot) {
    const int32_t length = ScanEnd_ - ScanStart_;
    for (int32_t p = 0; p <= length;) {
        const int32_t begin = Find(hotSpot.BeginChar, p);
        if (begin < 0)
            return;
        AddKey(ScanStart_ + begin, ScanStart_ + begin, hotSpot.MarkerColor, ZHotSpotMarker, 0);
        const int32_t end = Find(hotSpot.EndChar, begin + 1);
        if (end < 0) {
            WithdrawLastKey();
            return;
        }
        AddKey(ScanStart_ + begin + 1, ScanStart_ + end - 1, hotSpot.Color, ZHotSpotText, 0);
        AddKey(ScanStart_ + end, ScanStart_ + end, hotSpot.MarkerColor, ZHotSpotMarker, 0);
        p = end + 1;
    }
}

void TKeyScanner::CollectTabs(TColor color) {
    for (int32_t tab = Find(u'\t', 0); tab >= 0; tab = Find(u'\t', tab + 1))
        AddKey(ScanStart_ + tab, ScanStart_ + tab, color, ZTabMask, 0);
}

// Only a caret line inside the scanned lines is redrawn: anywhere else the plain colour would
// only cover plain text, and the colour map would have to stretch over the whole distance.
void TKeyScanner::CollectCaretLine(const TScanInput& input) {
    const int32_t first = input.CaretLineStart;
    const int32_t last = input.SelStart;
    if (first < ScanStart_ || first > ScanEnd_ || last > ScanEnd_)
        return;
    AddKey(first, last, input.FontColor, 0, 0);
    CoverLast_ = std::max(CoverLast_, last);
}

// The mask only matters where other findings can lie, so it is cut to the scanned text; a
// selection of the whole file then costs no more than the window.
void TKeyScanner::CollectSelection(const TScanInput& input) {
    const int64_t first = std::max<int64_t>(input.SelStart, ScanStart_);
    const int64_t last =
        std::min<int64_t>(int64_t(input.SelStart) + input.SelLength - 1, CoverLast_);
    if (last >= first)
        AddKey(int32_t(first), int32_t(last), input.Color, ZSelectionMask, 0);
}

std::u16string_view TKeyScanner::UpperText() {
    const size_t length = size_t(ScanEnd_ - ScanStart_);
    if (!UpperValid_) {
        if (Upper_.size() < length + 1)
            Upper_.resize(length + 1 + TextHeadroom);
        std::transform(Text_.begin(), Text_.begin() + length + 1, Upper_.begin(),
                       [](char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; });
        UpperValid_ = true;
    }
    return {Upper_.data(), length};
}

void TKeyScanner::CollectKeywords(const TColorRule& rule, size_t ruleIndex) {
    if (Matchers_.size() <= ruleIndex)
        Matchers_.resize(ruleIndex + 1);
    TKeywordMatcher& matcher = Matchers_[ruleIndex];
    if (!matcher.Load(rule.KeywordPattern()))
        return;
    // Without letters in the keywords the upper-case copy would find exactly the same.
    const bool upper = !rule.KeyCase && matcher.HasLetters();
    const std::u16string_view text = upper ? UpperText() : RegionText();
    for (const TKeywordMatcher::THit& hit : matcher.Find(text, rule.PartWord)) {
        if (hit.ColorNumber < 1 || hit.ColorNumber > MaxKeyColors)
            continue;
        AddKey(ScanStart_ + hit.Position, ScanStart_ + hit.Position + hit.Length - 1,
               rule.KeyColors()[size_t(hit.ColorNumber - 1)], rule.ZOrder, 1);
    }
}

// Entries are cut to the scanned text: the handler saw nothing else, and an index far outside
// would otherwise blow up the colour map.
void TKeyScanner::CollectEvents(const TColorRule& rule) {
    if (EventBuffer_.empty() || !OnDraw)
        return;
    std::fill(EventBuffer_.begin(), EventBuffer_.end(), TKeyDescr{0, 0, 0, 0, 0});
    int32_t count = 0;
    OnDraw(rule, Text_.data(), std::span<TKeyDescr>(EventBuffer_), count);
    count = std::clamp(count, 0, int32_t(EventBuffer_.size()));
    for (int32_t i = 0; i < count; ++i) {
        const TKeyDescr& entry = EventBuffer_[size_t(i)];
        const int64_t first = std::max<int64_t>(int64_t(entry.First) + ScanStart_, ScanStart_);
        const int64_t last = std::min<int64_t>(int64_t(entry.Last) + ScanStart_, ScanEnd_ - 1);
        if (last < first)
            continue;
        AddKey(int32_t(first), int32_t(last), entry.Color,
               entry.ZOrder != 0 ? entry.ZOrder : rule.ZOrder, 0);
    }
}

// The next occurrence of every begin mark is remembered, so that a scan stays one pass over
// the region however many marks the table holds.
int32_t TKeyScanner::FindEarliestBegin(const TKeyPairs& pairs, int32_t from, int& entry) {
    int32_t best = -1;
    for (int i = 0; i < MaxKeyPairs && !pairs[size_t(i)].Empty(); ++i) {
        int32_t& next = NextBegin_[size_t(i)];
        if (next < from) {
            next = Find(pairs[size_t(i)].Begin(), from);
            if (next < 0)
                next = NotFound;
        }
        if (next != NotFound && (best < 0 || next < best)) {
            best = next;
            entry = i;
        }
    }
    return best;
}

// Walks the begin marks of a rule's pair table from the region's start: `found` gets each
// earliest mark and its entry and answers where the walk goes on, or a negative value to stop.
template <typename Found> void TKeyScanner::ForEachBeginMark(const TColorRule& rule, Found found) {
    if (!rule.KeyPairs())
        return;
    const TKeyPairs& pairs = *rule.KeyPairs();
    NextBegin_.fill(-1);
    const int32_t length = ScanEnd_ - ScanStart_;
    for (int32_t p = 0; p >= 0 && p <= length;) {
        int entry = 0;
        const int32_t begin = FindEarliestBegin(pairs, p, entry);
        if (begin < 0)
            return;
        p = found(begin, pairs[size_t(entry)]);
    }
}

void TKeyScanner::CollectPairs(const TColorRule& rule) {
    ForEachBeginMark(rule, [&](int32_t begin, const TKeyPair& pair) -> int32_t {
        AddKey(ScanStart_ + begin, ScanStart_ + begin, 0, rule.ZOrder, 0);
        const int32_t end = pair.EndLength == 0 ? -1 : Find(pair.End(), begin + 1);
        if (end < 0) {
            // An unterminated mark ends this rule's findings for the paint.
            WithdrawLastKey();
            return -1;
        }
        TKeyDescr& record = KeyList_[size_t(Used_ - 1)];
        record.Last = ScanStart_ + end + pair.EndLength - 1;
        record.Color = pair.Color;
        ExtendSpan(record.First, record.Last);
        return end + 1;
    });
}

void TKeyScanner::CollectLineEnds(const TColorRule& rule) {
    ForEachBeginMark(rule, [&](int32_t begin, const TKeyPair& pair) -> int32_t {
        int32_t lineEnd = Find(u"\r\n", begin);
        if (lineEnd < 0)
            lineEnd = ScanEnd_ - ScanStart_;
        AddKey(ScanStart_ + begin, ScanStart_ + lineEnd - 1 + pair.EndLength, pair.Color,
               rule.ZOrder, 0);
        return lineEnd + 1;
    });
}

namespace {

uint64_t Look(const TKeyDescr& key) {
    return uint64_t(key.Color) | uint64_t(key.ZOrder) << 32 | uint64_t(key.KeyWord) << 40;
}

uint8_t ZOrderOf(uint64_t look) {
    return uint8_t(look >> 32);
}

} // namespace

void TKeyScanner::BuildRuns() {
    RunCount_ = 0;
    if (SpanFirst_ < 0 || SpanLast_ < SpanFirst_) {
        if (!KeyList_.empty())
            KeyList_[0].First = FreeIndex;
        return;
    }
    const int32_t cellCount = SpanLast_ - SpanFirst_ + 1;
    if (ColorMap_.size() < size_t(cellCount) + 1) {
        ColorMap_.resize(size_t(cellCount) + 2);
        Covered_.resize(size_t(cellCount) + 2);
    }
    std::fill_n(ColorMap_.begin(), cellCount + 1, 0);
    std::fill_n(Covered_.begin(), cellCount + 1, 0);
    MergeCells();

    // A stretch that runs into the spare cell looks like an uncovered one and is never written.
    const uint64_t* looks = ColorMap_.data();
    for (int32_t start = 0; start < cellCount;) {
        const uint64_t look = looks[start];
        int32_t end = start + 1;
        while (end <= cellCount && looks[end] == look)
            ++end;
        if (end <= cellCount && Covered_[size_t(end - 1)]) {
            if (size_t(RunCount_) == KeyList_.size())
                KeyList_.emplace_back();
            KeyList_[size_t(RunCount_++)] = {SpanFirst_ + start, SpanFirst_ + end - 1, TColor(look),
                                             ZOrderOf(look), uint8_t(look >> 40)};
        }
        start = end;
    }
    if (size_t(RunCount_) < KeyList_.size())
        KeyList_[size_t(RunCount_)].First = FreeIndex;
}

// The highest z-order wins each cell; among equal ones the finding added later.
void TKeyScanner::MergeCells() {
    for (int32_t r = 0; r < Used_; ++r) {
        const TKeyDescr& key = KeyList_[size_t(r)];
        if (key.First == FreeIndex || key.Last == FreeIndex || key.Last < key.First)
            continue;
        const uint64_t look = Look(key);
        const size_t first = size_t(key.First - SpanFirst_);
        const size_t last = size_t(key.Last - SpanFirst_);
        for (size_t i = first; i <= last; ++i) {
            if (ZOrderOf(ColorMap_[i]) <= key.ZOrder) {
                ColorMap_[i] = look;
                Covered_[i] = 1;
            }
        }
    }
}

} // namespace colmemo
