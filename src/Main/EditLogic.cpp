// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/EditLogic.h"

#include <algorithm>
#include <vector>

namespace mainform {

QString IndentPrefix(const QString& previousLine) {
    qsizetype n = 0;
    while (n < previousLine.size() && previousLine.at(n).unicode() <= 32)
        ++n;
    if (n == previousLine.size())
        return {};
    return previousLine.left(n);
}

double TabStopDistance(int tabs, int baseUnit) {
    // 64-bit, so an absurd width from the settings cannot overflow.
    const int64_t unit = std::max(baseUnit, 1);
    const int64_t firstStop = int64_t{tabs} * 8 * 4 / unit;
    // Qt treats a distance of 0 as "use the default of 80 pixels", which would
    // make the smallest width the widest; one pixel is the closest it lays out.
    constexpr double largest = 1 << 16;
    return std::clamp(double(firstStop * unit) / 4.0, 1.0, largest);
}

int32_t FindNextOffset(const QString& text, int32_t selStart, int32_t selLength,
                       const QString& what) {
    if (what.isEmpty())
        return -1;
    const int32_t start = selLength > 0 ? selStart + selLength : 0;
    if (start < 0 || start > text.size())
        return -1;
    return int32_t(text.indexOf(what, start, Qt::CaseSensitive));
}

QString WithCrLf(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return result;
}

QString SearchTextNotFound(const QString& what) {
    return QStringLiteral("Der Suchtext \"") + what +
           QStringLiteral("\" konnte nicht gefunden werden.");
}

namespace {

// The text while replace all runs: the part built so far (Done) followed by
// the old text from Rest on, which nothing has touched yet. The built part
// is a row of pieces, each either taken over from the old text or inserted by
// a replacement; every replacement works near the end of that row.
class TReplaceAllPass {
public:
    TReplaceAllPass(const QString& text, const QString& search, const QString& replacement)
        : Old(text), Search(search), Replacement(replacement) {}

    TReplaceAllResult Run() {
        TReplaceAllResult result;
        if (Search.isEmpty())
            return result;
        for (qsizetype at = Next(); at >= 0; at = Next()) {
            Replace(at);
            result.Caret = int32_t(at + Replacement.size());
            ++result.Count;
        }
        result.Edits = Edits();
        return result;
    }

private:
    struct TPiece {
        qsizetype Start;    // in Done
        qsizetype Length;   // never 0
        qsizetype OldStart; // in the old text; -1 for inserted text
    };

    qsizetype DoneSize() const { return Done.size(); }

    // The first occurrence at or after From that holds an original character.
    qsizetype Next() const {
        // Occurrences that begin in the built part: few positions, each checked.
        for (qsizetype at = From; at < DoneSize(); ++at)
            if (MatchesAt(at) && HoldsOriginal(at))
                return at;
        // The untouched rest holds only original characters.
        const qsizetype found = Old.indexOf(Search, Rest);
        return found < 0 ? -1 : DoneSize() + (found - Rest);
    }

    // Whether the search text stands at `at` of the built part and the rest behind it.
    bool MatchesAt(qsizetype at) const {
        const qsizetype inDone = std::min(DoneSize() - at, Search.size());
        const QStringView search(Search);
        return QStringView(Done).mid(at, inDone) == search.left(inDone) &&
               QStringView(Old).mid(Rest).startsWith(search.mid(inDone));
    }

    bool HoldsOriginal(qsizetype at) const {
        const qsizetype end = at + Search.size();
        if (end > DoneSize())
            return true; // reaches into the untouched rest
        for (auto piece = Pieces.rbegin();
             piece != Pieces.rend() && piece->Start + piece->Length > at; ++piece) {
            if (piece->OldStart >= 0 && piece->Start < end)
                return true;
        }
        return false;
    }

    // A piece behind the last one; old text that continues the last piece joins it.
    void Append(qsizetype start, qsizetype length, qsizetype oldStart) {
        if (length == 0)
            return;
        TPiece* last = Pieces.empty() ? nullptr : &Pieces.back();
        if (last && oldStart >= 0 && last->OldStart >= 0 &&
            last->OldStart + last->Length == oldStart)
            last->Length += length;
        else
            Pieces.push_back({start, length, oldStart});
    }

    void Replace(qsizetype at) {
        const qsizetype length = Search.size();
        if (at > DoneSize()) {
            // Take over the untouched text up to the occurrence.
            const qsizetype take = at - DoneSize();
            Append(DoneSize(), take, Rest);
            Done.append(QStringView(Old).mid(Rest, take));
            Rest += take;
        }
        const qsizetype inDone = std::min(DoneSize() - at, length);
        Rest += length - inDone;
        // The pieces from `at` on are cut off and put back behind the replacement.
        std::vector<TPiece>& behind = Behind;
        behind.clear();
        while (!Pieces.empty() && Pieces.back().Start + Pieces.back().Length > at) {
            TPiece piece = Pieces.back();
            Pieces.pop_back();
            if (piece.Start < at) {
                Pieces.push_back({piece.Start, at - piece.Start, piece.OldStart});
                piece.Length -= at - piece.Start;
                if (piece.OldStart >= 0)
                    piece.OldStart += at - piece.Start;
                piece.Start = at;
            }
            behind.push_back(piece);
        }
        Done.replace(at, inDone, Replacement);
        Append(at, Replacement.size(), -1);
        qsizetype start = at + Replacement.size();
        for (auto piece = behind.rbegin(); piece != behind.rend(); ++piece) {
            const qsizetype cut = std::max<qsizetype>(at + inDone - piece->Start, 0);
            if (cut >= piece->Length)
                continue;
            Append(start, piece->Length - cut, piece->OldStart < 0 ? -1 : piece->OldStart + cut);
            start += piece->Length - cut;
        }
        // Text before the replaced occurrence is unchanged: an occurrence that
        // ends there was not to be replaced before, and is not now.
        From = std::max<qsizetype>(0, at - length + 1);
    }

    // The built part against the old text: every stretch of old text between two kept pieces
    // gives way to the inserted text between them.
    std::vector<TReplaceAllResult::TEdit> Edits() const {
        std::vector<TReplaceAllResult::TEdit> edits;
        qsizetype old = 0;
        QString inserted;
        const auto flush = [&](qsizetype oldEnd) {
            if (oldEnd > old || !inserted.isEmpty())
                edits.push_back({int32_t(old), int32_t(oldEnd - old), inserted});
            inserted.clear();
        };
        for (const TPiece& piece : Pieces) {
            if (piece.OldStart < 0) {
                inserted += QStringView(Done).mid(piece.Start, piece.Length);
                continue;
            }
            flush(piece.OldStart);
            old = piece.OldStart + piece.Length;
        }
        flush(Rest);
        return edits;
    }

    const QString& Old;
    const QString& Search;
    const QString& Replacement;
    QString Done;
    std::vector<TPiece> Pieces;
    std::vector<TPiece> Behind; // kept for its room
    qsizetype Rest = 0;         // index into Old where the untouched rest begins
    qsizetype From = 0;         // no occurrence to replace starts before this
};

} // namespace

TReplaceAllResult ReplaceAll(const QString& text, const QString& search,
                             const QString& replacement) {
    return TReplaceAllPass(text, search, replacement).Run();
}

} // namespace mainform
