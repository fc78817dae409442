// SPDX-License-Identifier: GPL-3.0-or-later
#include "Erklaerung/SimilarName.h"

#include <QList>

#include <algorithm>

namespace erklaerung {

namespace {

// Edits (insert, delete, replace, swap two neighbours) that turn a into b.
int EditDistance(const QString& a, const QString& b) {
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    QList<QList<int>> d(n + 1, QList<int>(m + 1, 0));
    for (qsizetype i = 0; i <= n; ++i)
        d[i][0] = int(i);
    for (qsizetype j = 0; j <= m; ++j)
        d[0][j] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        for (qsizetype j = 1; j <= m; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[n][m];
}

} // namespace

QString SimilarName(const QString& name, const QStringList& known) {
    if (name.size() < 3 || known.contains(name))
        return {};
    for (const QString& candidate : known) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    const int allowed = name.size() > 5 ? 2 : 1;
    QString best;
    int bestDistance = allowed + 1;
    for (const QString& candidate : known) {
        const int distance = EditDistance(name, candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace erklaerung
