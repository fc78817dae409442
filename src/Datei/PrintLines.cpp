// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/PrintLines.h"

namespace datei {

QString PrintMargin(const QString& field) {
    bool ok = false;
    const int number = field.toInt(&ok, 10);
    if (!ok)
        return {};
    return QString(number & 0xFF, QLatin1Char(' '));
}

QString PrintLineNumber(int line) {
    return QString::asprintf("%.4d", line);
}

void PrintLines(const QStringList& lines, const TPrintOptions& options, TTextChannel& target) {
    try {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QString line;
            if (options.LineNumbers && options.LineNumbers())
                line = PrintLineNumber(int(i + 1));
            line += options.Margin;
            line += lines[i];
            target.Write(line);
            target.WriteLineEnd();
        }
    } catch (...) {
        // The first failure is the one to report, not a second one on closing.
        try {
            target.Close();
        } catch (...) {
        }
        throw;
    }
    target.Close();
}

} // namespace datei
