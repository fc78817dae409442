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

TKeyScanner::TKeyScanner() : Text(InitialTextCapacity, 0) {
    Keys.reserve(InitialKeyRecords);
}

void TKeyScanner::SetColorLimMax(int32_t count) {
    if (count == EventCapacity)
        return;
    std::vector<TKeyDescr>().swap(EventBuffer);
    if (count > 0)
        EventBuffer.resize(size_t(count));
    EventCapacity = count;
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

// Only the region's lines are fetched; indices stay absolute through RegionStart.
void TKeyScanner::LoadRegion(const TScanRegion& region, const TLineGeometry& geometry) {
    const int32_t textLength = std::max(geometry.TextLength(), 0);
    RegionStart = std::clamp(region.ScanStart, 0, textLength);
    RegionEnd = std::clamp(region.ScanEnd, RegionStart, textLength);
    const size_t length = size_t(RegionEnd - RegionStart);
    if (Text.size() < length + 1)
        Text.resize(length + 1 + TextHeadroom);
    geometry.FetchText(RegionStart, RegionEnd, Text.data());
    Text[length] = 0;
    UpperValid = false;
}

void TKeyScanner::CollectKeys(const TScanInput& input) {
    ResetKeys();
    CoverLast = RegionEnd - 1;
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
    for (TKeyDescr& record : Keys)
        record.First = FreeIndex;
    KeysUsed = 0;
    RunsBuilt = 0;
    SpanFirst = -1;
    SpanLast = -1;
}

TKeyDescr& TKeyScanner::AddKey(int32_t first, int32_t last, TColor color, uint8_t zOrder,
                               uint8_t keyWord) {
    if (size_t(KeysUsed) == Keys.size())
        Keys.emplace_back();
    TKeyDescr& record = Keys[size_t(KeysUsed++)];
    record = {first, last, color, zOrder, keyWord};
    ExtendSpan(first, last);
    return record;
}

void TKeyScanner::ExtendSpan(int32_t first, int32_t last) {
    if (SpanFirst < 0 || first < SpanFirst)
        SpanFirst = first;
    SpanLast = std::max(SpanLast, last);
}

// The withdrawn record is the last one added; the next finding takes its place, while the
// span keeps what it had reached.
void TKeyScanner::WithdrawLastKey() {
    Keys[size_t(--KeysUsed)].First = FreeIndex;
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
    const int32_t length = RegionEnd - RegionStart;
    for (int32_t p = 0; p <= length;) {
        const int32_t begin = Find(hotSpot.BeginChar, p);
        if (begin < 0)
            return;
        AddKey(RegionStart + begin, RegionStart + begin, hotSpot.MarkerColor, ZHotSpotMarker, 0);
        const int32_t end = Find(hotSpot.EndChar, begin + 1);
        if (end < 0) {
            WithdrawLastKey();
            return;
        }
        AddKey(RegionStart + begin + 1, RegionStart + end - 1, hotSpot.Color, ZHotSpotText, 0);
        AddKey(RegionStart + end, RegionStart + end, hotSpot.MarkerColor, ZHotSpotMarker, 0);
        p = end + 1;
    }
}

void TKeyScanner::CollectTabs(TColor color) {
    for (int32_t tab = Find(u'\t', 0); tab >= 0; tab = Find(u'\t', tab + 1))
        AddKey(RegionStart + tab, RegionStart + tab, color, ZTabMask, 0);
}

// Only a caret line inside the scanned lines is redrawn: anywhere else the plain colour would
// only cover plain text, and the colour map would have to stretch over the whole distance.
void TKeyScanner::CollectCaretLine(const TScanInput& input) {
    const int32_t first = input.CaretLineStart;
    const int32_t last = input.SelStart;
    if (first < RegionStart || first > RegionEnd || last > RegionEnd)
        return;
    AddKey(first, last, input.FontColor, 0, 0);
    CoverLast = std::max(CoverLast, last);
}

// The mask only matters where other findings can lie, so it is cut to the scanned text; a
// selection of the whole file then costs no more than the window.
void TKeyScanner::CollectSelection(const TScanInput& input) {
    const int64_t first = std::max<int64_t>(input.SelStart, RegionStart);
    const int64_t last =
        std::min<int64_t>(int64_t(input.SelStart) + input.SelLength - 1, CoverLast);
    if (last >= first)
        AddKey(int32_t(first), int32_t(last), input.Color, ZSelectionMask, 0);
}

std::u16string_view TKeyScanner::UpperText() {
    const size_t length = size_t(RegionEnd - RegionStart);
    if (!UpperValid) {
        if (Upper.size() < length + 1)
            Upper.resize(length + 1 + TextHeadroom);
        std::transform(Text.begin(), Text.begin() + length + 1, Upper.begin(),
                       [](char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; });
        UpperValid = true;
    }
    return {Upper.data(), length};
}

void TKeyScanner::CollectKeywords(const TColorRule& rule, size_t ruleIndex) {
    if (Matchers.size() <= ruleIndex)
        Matchers.resize(ruleIndex + 1);
    TKeywordMatcher& matcher = Matchers[ruleIndex];
    if (!matcher.Load(rule.KeywordPattern()))
        return;
    // Without letters in the keywords the upper-case copy would find exactly the same.
    const bool upper = !rule.KeyCase && matcher.HasLetters();
    const std::u16string_view text = upper ? UpperText() : RegionText();
    for (const TKeywordMatcher::THit& hit : matcher.Find(text, rule.PartWord)) {
        if (hit.ColorNumber < 1 || hit.ColorNumber > MaxKeyColors)
            continue;
        AddKey(RegionStart + hit.Position, RegionStart + hit.Position + hit.Length - 1,
               rule.KeyColors()[size_t(hit.ColorNumber - 1)], rule.ZOrder, 1);
    }
}

// Entries are cut to the scanned text: the handler saw nothing else, and an index far outside
// would otherwise blow up the colour map.
void TKeyScanner::CollectEvents(const TColorRule& rule) {
    if (EventBuffer.empty() || !OnDraw)
        return;
    std::fill(EventBuffer.begin(), EventBuffer.end(), TKeyDescr{0, 0, 0, 0, 0});
    int32_t count = 0;
    OnDraw(rule, Text.data(), std::span<TKeyDescr>(EventBuffer), count);
    count = std::clamp(count, 0, int32_t(EventBuffer.size()));
    for (int32_t i = 0; i < count; ++i) {
        const TKeyDescr& entry = EventBuffer[size_t(i)];
        const int64_t first = std::max<int64_t>(int64_t(entry.First) + RegionStart, RegionStart);
        const int64_t last = std::min<int64_t>(int64_t(entry.Last) + RegionStart, RegionEnd - 1);
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
        int32_t& next = NextBegin[size_t(i)];
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
    NextBegin.fill(-1);
    const int32_t length = RegionEnd - RegionStart;
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
        AddKey(RegionStart + begin, RegionStart + begin, 0, rule.ZOrder, 0);
        const int32_t end = pair.EndLength == 0 ? -1 : Find(pair.End(), begin + 1);
        if (end < 0) {
            // An unterminated mark ends this rule's findings for the paint.
            WithdrawLastKey();
            return -1;
        }
        TKeyDescr& record = Keys[size_t(KeysUsed - 1)];
        record.Last = RegionStart + end + pair.EndLength - 1;
        record.Color = pair.Color;
        ExtendSpan(record.First, record.Last);
        return end + 1;
    });
}

void TKeyScanner::CollectLineEnds(const TColorRule& rule) {
    ForEachBeginMark(rule, [&](int32_t begin, const TKeyPair& pair) -> int32_t {
        int32_t lineEnd = Find(u"\r\n", begin);
        if (lineEnd < 0)
            lineEnd = RegionEnd - RegionStart;
        AddKey(RegionStart + begin, RegionStart + lineEnd - 1 + pair.EndLength, pair.Color,
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
    RunsBuilt = 0;
    if (SpanFirst < 0 || SpanLast < SpanFirst) {
        if (!Keys.empty())
            Keys[0].First = FreeIndex;
        return;
    }
    const int32_t cellCount = SpanLast - SpanFirst + 1;
    if (ColorMap.size() < size_t(cellCount) + 1) {
        ColorMap.resize(size_t(cellCount) + 2);
        Covered.resize(size_t(cellCount) + 2);
    }
    std::fill_n(ColorMap.begin(), cellCount + 1, 0);
    std::fill_n(Covered.begin(), cellCount + 1, 0);
    MergeCells();

    // A stretch that runs into the spare cell looks like an uncovered one and is never written.
    const uint64_t* looks = ColorMap.data();
    for (int32_t start = 0; start < cellCount;) {
        const uint64_t look = looks[start];
        int32_t end = start + 1;
        while (end <= cellCount && looks[end] == look)
            ++end;
        if (end <= cellCount && Covered[size_t(end - 1)]) {
            if (size_t(RunsBuilt) == Keys.size())
                Keys.emplace_back();
            Keys[size_t(RunsBuilt++)] = {SpanFirst + start, SpanFirst + end - 1, TColor(look),
                                         ZOrderOf(look), uint8_t(look >> 40)};
        }
        start = end;
    }
    if (size_t(RunsBuilt) < Keys.size())
        Keys[size_t(RunsBuilt)].First = FreeIndex;
}

// The highest z-order wins each cell; among equal ones the finding added later.
void TKeyScanner::MergeCells() {
    for (int32_t r = 0; r < KeysUsed; ++r) {
        const TKeyDescr& key = Keys[size_t(r)];
        if (key.First == FreeIndex || key.Last == FreeIndex || key.Last < key.First)
            continue;
        const uint64_t look = Look(key);
        const size_t first = size_t(key.First - SpanFirst);
        const size_t last = size_t(key.Last - SpanFirst);
        for (size_t i = first; i <= last; ++i) {
            if (ZOrderOf(ColorMap[i]) <= key.ZOrder) {
                ColorMap[i] = look;
                Covered[i] = 1;
            }
        }
    }
}

} // namespace colmemo
