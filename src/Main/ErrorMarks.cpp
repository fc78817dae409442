// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/ErrorMarks.h"

#include "ColMemo/ColorMemo.h"
#include "Main/ErrorList.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace mainform {

namespace {

QString Clean(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

bool PointsInto(const datei::TErrorListEntry& entry, const QString& file) {
    return entry.HasPlace() && !file.isEmpty() && Clean(entry.File) == Clean(file);
}

std::vector<TMark> ErrorMarks(const datei::TErrorRows& rows, const QString& file,
                              const TColorMemo& memo) {
    using TKind = datei::TErrorListEntry::TKind;
    std::vector<TMark> marks;
    for (const datei::TErrorListEntry& entry : rows.Entries) {
        if ((entry.Kind != TKind::Error && entry.Kind != TKind::Warning) ||
            !PointsInto(entry, file))
            continue;
        // Lines counted from 1, the marked character's column too.
        const int32_t lineStart = memo.LineIndex(entry.Line - 1);
        if (lineStart < 0)
            continue;
        const int32_t length = int32_t(memo.LineText(entry.Line - 1).size());
        const int32_t column = std::clamp(entry.Column - 1, 0, length);
        const QString explanation = TErrorList::ExplanationText(entry);
        marks.push_back({lineStart + column, 1, entry.Kind == TKind::Warning,
                         explanation.isEmpty()
                             ? entry.ToolTip
                             : entry.ToolTip + QStringLiteral("\n\n") + explanation});
    }
    return marks;
}

} // namespace mainform
