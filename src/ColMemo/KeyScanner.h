// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-editor paint state: scans the region of a paint with every producer (hot spots, tabs,
// caret line, rules, selection), merges the findings by z-order and turns them into runs.

#include "ColMemo/ColorRules.h"
#include "ColMemo/HotSpot.h"
#include "ColMemo/KeywordMatcher.h"
#include "ColMemo/ScanRegion.h"

#include <functional>
#include <span>
#include <string_view>

namespace colmemo {

// Supplies findings for a dtEventDraw rule. FromPos is the scanned text, zero-terminated at the
// region's end; the handler fills A[0], A[1], ... with indices relative to FromPos (a z-order of
// 0 stands for the rule's ZOrder) and sets ItemsCount, which is 0 on entry.
using TDrawEvent = std::function<void(const TColorRule& Sender, const char16_t* FromPos,
                                      std::span<TKeyDescr> A, int32_t& ItemsCount)>;

// What the editor knows at the start of a paint.
struct TScanInput {
    TDrawRules* Rules = nullptr; // may be null: no rules
    THotSpot HotSpot;
    bool CaretLineOnly = false;
    int32_t FirstVisibleLine = 0;
    int32_t CaretLine = 0;
    int32_t CaretLineStart = 0; // start index of the caret's line
    int32_t SelStart = 0;       // also the caret's index
    int32_t SelLength = 0;
    bool WantTabs = false;
    bool RedrawAlways = false;
    TColor Color = clWindow; // the editor's background
    TColor FontColor = clBlack;
};

class TKeyScanner {
public:
    TKeyScanner();

    TDrawEvent OnDraw;

    // Capacity of the buffer handed to OnDraw; 0 releases it and silences dtEventDraw rules.
    int32_t ColorLimMax() const { return EventCapacity; }
    void SetColorLimMax(int32_t count);

    // One paint: prepares the rules (so call it exactly once per paint), computes the region,
    // fetches its lines, collects the findings and builds the runs.
    void Scan(const TScanInput& input, const TLineGeometry& geometry);

    // The steps of Scan, one by one: between CollectKeys and BuildRuns the findings can be read
    // as they were found, before the merge by z-order hides their order and overlaps.
    void LoadRegion(const TScanRegion& region, const TLineGeometry& geometry);
    void CollectKeys(const TScanInput& input); // the rules must be prepared
    void BuildRuns();

    int32_t ScanStart() const { return RegionStart; }
    int32_t ScanEnd() const { return RegionEnd; }

    // After CollectKeys: the findings (up to DescrCount). After BuildRuns: the runs in ascending
    // order, up to the first free record or the end of the list (RunCount of them).
    const TKeyDescrList& KeyList() const { return Keys; }
    int32_t DescrCount() const { return KeysUsed; }
    int32_t RunCount() const { return RunsBuilt; }

private:
    std::u16string_view RegionText() const {
        return {Text.data(), size_t(RegionEnd - RegionStart)};
    }
    void ResetKeys();
    TKeyDescr& AddKey(int32_t first, int32_t last, TColor color, uint8_t zOrder, uint8_t keyWord);
    void ExtendSpan(int32_t first, int32_t last);
    void WithdrawLastKey();

    void CollectHotSpots(const THotSpot& hotSpot);
    void CollectTabs(TColor color);
    void CollectCaretLine(const TScanInput& input);
    void CollectKeywords(const TColorRule& rule, size_t ruleIndex);
    void CollectEvents(const TColorRule& rule);
    void CollectPairs(const TColorRule& rule);
    void CollectLineEnds(const TColorRule& rule);
    template <typename Found> void ForEachBeginMark(const TColorRule& rule, Found found);
    void CollectSelection(const TScanInput& input);
    int32_t FindEarliestBegin(const TKeyPairs& pairs, int32_t from, int& entry);
    std::u16string_view UpperText();

    int32_t Find(char16_t c, int32_t from) const;
    int32_t Find(std::u16string_view mark, int32_t from) const;
    void MergeCells();

    int32_t RegionStart = 0;
    int32_t RegionEnd = 0;
    std::vector<char16_t> Text;  // [RegionStart, RegionEnd) and the zero
    std::vector<char16_t> Upper; // upper-cased copy for rules without KeyCase
    bool UpperValid = false;
    TKeyDescrList Keys;
    int32_t KeysUsed = 0;
    int32_t RunsBuilt = 0;
    int32_t SpanFirst = -1;
    int32_t SpanLast = -1;
    int32_t CoverLast = -1; // the selection mask is cut to RegionStart..CoverLast
    // One cell per index of the span and a spare zero cell after it: the colour, z-order and
    // keyword flag packed into one value (so stretches compare at one go), and whether any
    // finding has been written into the cell.
    std::vector<uint64_t> ColorMap;
    std::vector<uint8_t> Covered;
    std::vector<TKeyDescr> EventBuffer;
    int32_t EventCapacity = 0;
    std::array<int32_t, MaxKeyPairs> NextBegin{};
    std::vector<TKeywordMatcher> Matchers; // one per rule position, each keeps its pattern
};

} // namespace colmemo
