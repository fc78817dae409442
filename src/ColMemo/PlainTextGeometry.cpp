// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/PlainTextGeometry.h"

#include <algorithm>

namespace colmemo {

TPlainTextGeometry::TPlainTextGeometry(std::u16string text) {
    SetText(std::move(text));
}

void TPlainTextGeometry::SetText(std::u16string text) {
    Content = std::move(text);
    Starts.assign(1, 0);
    for (size_t i = 0; i + 1 < Content.size(); ++i)
        if (Content[i] == u'\r' && Content[i + 1] == u'\n')
            Starts.push_back(int32_t(i + 2));
}

void TPlainTextGeometry::SetWindow(int32_t firstVisible, int32_t visibleCount) {
    FirstVisible = firstVisible;
    VisibleCount = visibleCount;
}

void TPlainTextGeometry::ShowAll() {
    SetWindow(0, INT32_MAX);
}

int32_t TPlainTextGeometry::LineFromChar(int32_t index) const {
    const auto next = std::upper_bound(Starts.begin(), Starts.end(), index);
    return int32_t(next - Starts.begin()) - 1;
}

int32_t TPlainTextGeometry::LineCount() const {
    const int32_t lines = int32_t(Starts.size());
    return Starts.back() == int32_t(Content.size()) ? lines - 1 : lines;
}

int32_t TPlainTextGeometry::LineIndex(int32_t line) const {
    if (line < 0 || size_t(line) >= Starts.size())
        return -1;
    return Starts[size_t(line)];
}

int32_t TPlainTextGeometry::LineLength(int32_t line) const {
    if (line < 0 || size_t(line) >= Starts.size())
        return 0;
    const bool last = size_t(line) + 1 == Starts.size();
    const int32_t end = last ? int32_t(Content.size()) : Starts[size_t(line) + 1] - 2;
    return end - Starts[size_t(line)];
}

bool TPlainTextGeometry::LineEntirelyVisible(int32_t line) const {
    return line >= FirstVisible && int64_t(line) < int64_t(FirstVisible) + VisibleCount;
}

void TPlainTextGeometry::FetchText(int32_t first, int32_t last, char16_t* dest) const {
    std::copy(Content.begin() + first, Content.begin() + last, dest);
}

} // namespace colmemo
