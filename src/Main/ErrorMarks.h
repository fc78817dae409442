// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ColMemo/ColorMemoMarks.h"
#include "Datei/ErrorListRows.h"

#include <QString>
#include <vector>

class TColorMemo;

namespace mainform {

// The marks a compile's entries put into the editor of `file`: one on the
// character each error or warning of that file points at, its tool tip the
// entry and its explanation.
std::vector<TMark> ErrorMarks(const datei::TErrorRows& rows, const QString& file,
                              const TColorMemo& memo);

// Whether an entry points into `file` (both absolute paths, spelt as the user opened them).
bool PointsInto(const datei::TErrorListEntry& entry, const QString& file);

} // namespace mainform
