#include "Option/OptionRules.h"

#include <algorithm>

namespace option {

std::optional<int32_t> ParseInt32(const QString& text) {
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    if (i == text.size())
        return std::nullopt;
    for (qsizetype k = i; k < text.size(); ++k)
        if (text[k] < u'0' || text[k] > u'9')
            return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return int32_t{value};
}

bool PassesNumberKey(QChar key) {
    return (key >= u'0' && key <= u'9') || key.unicode() < 32;
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

} // namespace option
