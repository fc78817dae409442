// SPDX-License-Identifier: GPL-3.0-or-later
#include "Option/OptionRules.h"

#include <algorithm>

namespace option {

namespace {

// An optional sign and at least one ASCII digit, nothing else.
bool IsDecimal(const QString& text) {
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    if (i == text.size())
        return false;
    for (qsizetype k = i; k < text.size(); ++k)
        if (text[k] < u'0' || text[k] > u'9')
            return false;
    return true;
}

} // namespace

std::optional<int32_t> ParseInt32(const QString& text) {
    if (!IsDecimal(text))
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return int32_t{value};
}

TFieldNumber ReadNumberField(const QString& text, const QString& label, int min, int max) {
    if (!IsDecimal(text))
        return {std::nullopt, NotAnIntegerText(text)};
    const std::optional<int32_t> value = ParseInt32(text);
    if (!value || *value < min || *value > max)
        return {std::nullopt, OutOfRangeText(label, min, max)};
    return {value, QString()};
}

bool PassesNumberKey(QChar key) {
    // A half of a character beyond the basic plane is no control character:
    // the whole character is printable.
    return (key >= u'0' && key <= u'9') || (!key.isPrint() && !key.isSurrogate());
}

QString DirectoryPart(const QString& path) {
    qsizetype last = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    last = std::max(last, path.lastIndexOf(u'\\'));
#endif
    return last < 0 ? QString() : path.left(last + 1);
}

QString NotAnIntegerText(const QString& text) {
    return QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text);
}

QString OutOfRangeText(const QString& label, int min, int max) {
    return QStringLiteral("Für „%1“ sind nur Zahlen von %2 bis %3 erlaubt.")
        .arg(label)
        .arg(min)
        .arg(max);
}

} // namespace option
