// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/ErrorListRows.h"

#include <QDir>

namespace datei {

namespace {

using TKind = TErrorListEntry::TKind;

constexpr qsizetype MaxMessageText = 999;

QString AbsoluteFile(const QString& file, const QString& compileDir) {
    return file.isEmpty() ? QString() : QDir::cleanPath(QDir(compileDir).absoluteFilePath(file));
}

TErrorListEntry MessageEntry(const TJavacMessage& message, const QString& label,
                             const QString& compileDir) {
    TErrorListEntry entry;
    entry.Message = message;
    entry.File = AbsoluteFile(message.File, compileDir);
    entry.Line = entry.File.isEmpty() ? -1 : message.Line;
    entry.Column = message.Column;
    entry.Text = label + message.Text.left(MaxMessageText);
    if (!entry.File.isEmpty())
        entry.Text += QStringLiteral(" in ") + entry.File;
    entry.ToolTip = entry.Text;
    for (const QString& detail : message.Details)
        entry.ToolTip += QLatin1Char('\n') + detail;
    return entry;
}

TErrorListEntry Remark(const QString& text) {
    TErrorListEntry entry;
    entry.Text = text;
    entry.ToolTip = text;
    return entry;
}

// Our own lines after javac's: that it stopped showing messages, and how a
// compile ended that failed without saying why.
QStringList Remarks(const TJavacOutput& output, const doscall::TCapture& run, bool namedAnError) {
    QStringList remarks;
    const TJavacSummary& summary = output.Summary;
    if (summary.Errors.Truncated())
        remarks << QStringLiteral("javac zeigt nur die ersten %1 von insgesamt %2 Fehlern.")
                       .arg(summary.Errors.Shown)
                       .arg(summary.Errors.Total);
    if (summary.Warnings.Truncated())
        remarks << QStringLiteral("javac zeigt nur die ersten %1 von insgesamt %2 Warnungen.")
                       .arg(summary.Warnings.Shown)
                       .arg(summary.Warnings.Total);
    if (!run.Ran || run.Succeeded())
        return remarks;
    const bool silent = output.Messages.isEmpty() && output.RawLines.isEmpty() &&
                        summary.Errors.Shown == 0 && summary.Warnings.Shown == 0;
    if (!run.Exited && run.Signal > 0)
        remarks << (silent ? QStringLiteral("javac wurde ohne Meldung beendet (Signal %1).")
                           : QStringLiteral("javac wurde vorzeitig beendet (Signal %1)."))
                       .arg(run.Signal);
    else if (!run.Exited)
        remarks << QStringLiteral("javac wurde abgebrochen.");
    else if (silent)
        remarks << QStringLiteral("javac hat sich ohne Meldung beendet (Exit-Status %1).")
                       .arg(run.ExitCode);
    else if (!namedAnError && output.RawLines.isEmpty())
        remarks << QStringLiteral(
                       "javac hat sich mit Exit-Status %1 beendet, ohne einen Fehler zu nennen.")
                       .arg(run.ExitCode);
    return remarks;
}

} // namespace

TErrorRows ErrorListRows(const TJavacOutput& output, const doscall::TCapture& run,
                         const QString& compileDir) {
    TErrorRows list;
    int errors = 0;
    int warnings = 0;
    for (const TJavacMessage& message : output.Messages) {
        switch (message.Kind) {
        case TJavacMessage::TKind::Error:
            if (list.JumpTarget < 0)
                list.JumpTarget = int(list.Entries.size());
            list.Entries.append(
                MessageEntry(message, QStringLiteral("Fehler %1: ").arg(++errors), compileDir));
            list.Entries.last().Kind = TKind::Error;
            break;
        case TJavacMessage::TKind::Warning:
            list.Entries.append(
                MessageEntry(message, QStringLiteral("Warnung %1: ").arg(++warnings), compileDir));
            list.Entries.last().Kind = TKind::Warning;
            break;
        case TJavacMessage::TKind::Note:
            list.Entries.append(MessageEntry(message, QStringLiteral("Hinweis: "), compileDir));
            list.Entries.last().Kind = TKind::Note;
            break;
        }
    }
    // An error fails the compile whatever the exit status says.
    list.Failed = !run.Succeeded() || errors > 0;
    for (const QString& line : output.RawLines) {
        TErrorListEntry raw = Remark(line);
        raw.Kind = TKind::Raw;
        list.Entries.append(raw);
    }
    for (const QString& text : Remarks(output, run, errors > 0))
        list.Entries.append(Remark(text));
    return list;
}

} // namespace datei
