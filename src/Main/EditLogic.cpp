#include "Main/EditLogic.h"

#include <algorithm>

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

TReplaceAllScan::TReplaceAllScan(QString text, QString search, QString replacement)
    : m_text(std::move(text)), m_search(std::move(search)), m_replacement(std::move(replacement)),
      m_inserted(size_t(m_text.size()), false) {}

bool TReplaceAllScan::HoldsOriginal(int32_t at) const {
    const auto first = m_inserted.begin() + at;
    return std::find(first, first + m_search.size(), false) != first + m_search.size();
}

int32_t TReplaceAllScan::Next() {
    if (m_search.isEmpty())
        return -1;
    for (qsizetype at = m_text.indexOf(m_search, m_from); at >= 0;
         at = m_text.indexOf(m_search, at + 1)) {
        if (HoldsOriginal(int32_t(at)))
            return int32_t(at);
    }
    return -1;
}

void TReplaceAllScan::Replaced(int32_t at) {
    m_text.replace(at, m_search.size(), m_replacement);
    const auto first = m_inserted.begin() + at;
    m_inserted.erase(first, first + m_search.size());
    m_inserted.insert(m_inserted.begin() + at, size_t(m_replacement.size()), true);
    // Text before the replaced occurrence is unchanged: an occurrence that ends
    // there was not to be replaced before, and is not now.
    m_from = std::max<int32_t>(0, at - int32_t(m_search.size()) + 1);
}
