// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small splitter of javac's output into messages, for these tests only
// (the program's own parser lives in Datei): a headline
// `path:line: kind: text`, then the source line and the caret line when
// javac wrote them, then the indented detail lines.
#include "Datei/JavacMessage.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

inline QList<datei::TJavacMessage> SplitJavacOutput(const QString& output) {
    static const QRegularExpression headline(
        QStringLiteral(R"(^(.+):(\d+): (error|Fehler|warning|Warnung): (.*)$)"));
    static const QRegularExpression caretLine(QStringLiteral(R"(^[ \t]*\^$)"));
    const QStringList lines = output.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    QList<datei::TJavacMessage> messages;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch head = headline.match(lines[i]);
        if (!head.hasMatch())
            continue;
        datei::TJavacMessage message;
        const QString kind = head.captured(3);
        message.Kind = kind == QStringLiteral("error") || kind == QStringLiteral("Fehler")
                           ? datei::TJavacMessage::TKind::Error
                           : datei::TJavacMessage::TKind::Warning;
        message.File = head.captured(1);
        message.Line = head.captured(2).toInt();
        message.Text = head.captured(4);
        if (i + 2 < lines.size() && caretLine.match(lines[i + 2]).hasMatch()) {
            message.SourceLine = lines[i + 1];
            message.Column = int(lines[i + 2].indexOf(QLatin1Char('^'))) + 1;
            i += 2;
        }
        while (i + 1 < lines.size() && lines[i + 1].startsWith(QLatin1Char(' ')) &&
               !headline.match(lines[i + 1]).hasMatch())
            message.Details.append(lines[++i]);
        messages.append(message);
    }
    return messages;
}
