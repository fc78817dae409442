// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/LaunchFiles.h"

#include "Datei/JavaPackage.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace datei {

TLaunchPlatform NativeLaunchPlatform() {
#ifdef Q_OS_WIN
    return TLaunchPlatform::Windows;
#else
    return TLaunchPlatform::Unix;
#endif
}

QString ClassName(const QString& sourcePath) {
    const QString name = QFileInfo(sourcePath).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString JdkProgram(const QString& jdkDir, const QString& name, TLaunchPlatform platform) {
    if (platform == TLaunchPlatform::Windows)
        return jdkDir + QStringLiteral("\\bin\\") + name + QStringLiteral(".exe");
    return jdkDir + QStringLiteral("/bin/") + name;
}

QString LaunchScriptName(const QString& className, TLaunchPlatform platform) {
    return className +
           (platform == TLaunchPlatform::Windows ? QStringLiteral(".bat") : QStringLiteral(".sh"));
}

QString ShellQuote(const QString& argument) {
    QString quoted = argument;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QStringList LaunchScriptLines(const QString& jdkDir, const QString& className, bool rWinMin,
                              TLaunchPlatform platform) {
    const QString java = JdkProgram(jdkDir, QStringLiteral("java"), platform);
    QStringList lines;
    if (platform == TLaunchPlatform::Windows) {
        lines << QStringLiteral("@echo off") << java + QLatin1Char(' ') + className
              << QStringLiteral("echo.") << QStringLiteral("echo.");
        if (!rWinMin)
            lines << QStringLiteral("pause");
        return lines;
    }
    // The shell echoes no commands, so the first line can say who runs the rest.
    lines << QStringLiteral("#!/bin/sh")
          << ShellQuote(java) + QLatin1Char(' ') + ShellQuote(className) << QStringLiteral("echo")
          << QStringLiteral("echo");
    // The prompt stays ASCII: it must read right whatever the terminal's encoding.
    if (!rWinMin)
        lines << QStringLiteral("printf '%s' 'Weiter mit der Eingabetaste . . . '; read -r _");
    return lines;
}

QStringList LaunchScriptLines(const QString& jdkDir, const TJavaProgram& program, bool rWinMin,
                              TLaunchPlatform platform) {
    QStringList lines = LaunchScriptLines(jdkDir, program.FullName(), rWinMin, platform);
    if (!program.InPackage())
        return lines;
    // Changing there and starting in one line: if the change fails, the
    // window shows why and still waits.
    const QString root = program.RootFromSourceDir(platform);
    lines[1] = platform == TLaunchPlatform::Windows
                   ? QStringLiteral("cd ") + root + QStringLiteral(" && ") + lines[1]
                   : QStringLiteral("cd ") + ShellQuote(root) + QStringLiteral(" && ") + lines[1];
    return lines;
}

QString AppletPageName(const QString& className) {
    return className + QStringLiteral(".html");
}

QString LongTimeFormat(const QLocale& locale) {
    // Qt's long formats name the time zone ("t", "tttt"); the page shows the time only.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t')) {
            kept += c;
            continue;
        }
        while (!kept.isEmpty() && kept.back().isSpace())
            kept.chop(1);
    }
    return kept.trimmed();
}

QStringList AppletPageLines(const QString& className, int appletWidth, int appletHeight,
                            const QDateTime& now, const QLocale& locale) {
    const QString signature = locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                              locale.toString(now.time(), LongTimeFormat(locale));
    return {
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD><TITLE>") + className + QStringLiteral("</TITLE></HEAD>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<APPLET code=") + className + QStringLiteral(".class width=") +
            QString::number(appletWidth) + QStringLiteral(" height=") +
            QString::number(appletHeight) + QStringLiteral("></APPLET>"),
        QStringLiteral("<HR>"),
        QStringLiteral("<A HREF=\"") + className + QStringLiteral(".java\">Java-Klasse</A> vom ") +
            signature,
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>"),
    };
}

QStringList AppletPageLines(const TJavaProgram& program, int appletWidth, int appletHeight,
                            const QDateTime& now, const QLocale& locale) {
    QStringList lines = AppletPageLines(program.ClassName, appletWidth, appletHeight, now, locale);
    if (program.InPackage())
        lines[3] = QStringLiteral("<APPLET code=") +
                   QString(program.FullName()).replace(QLatin1Char('.'), QLatin1Char('/')) +
                   QStringLiteral(".class codebase=") +
                   program.RootFromSourceDir(TLaunchPlatform::Unix) + QStringLiteral(" width=") +
                   QString::number(appletWidth) + QStringLiteral(" height=") +
                   QString::number(appletHeight) + QStringLiteral("></APPLET>");
    return lines;
}

QString ViewerCommandLine(const QString& jdkDir, const QString& className,
                          TLaunchPlatform platform) {
    return JdkProgram(jdkDir, QStringLiteral("appletviewer"), platform) + QLatin1Char(' ') +
           AppletPageName(className);
}

QString CommandLineText(const QString& program, const QStringList& arguments) {
    QStringList words;
    for (const QString& word : QStringList{program} + arguments)
        words << (word.contains(QLatin1Char(' ')) ? QLatin1Char('"') + word + QLatin1Char('"')
                                                  : word);
    return words.join(QLatin1Char(' '));
}

TLaunchFileResult WriteBesideSource(const QString& sourcePath, const QString& fileName,
                                    const QStringList& lines, TLaunchPlatform platform) {
    if (!QDir::setCurrent(QFileInfo(sourcePath).absolutePath()))
        return TLaunchFileResult::ChangeDirFailed;
    const QString lineEnd =
        platform == TLaunchPlatform::Windows ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    for (const QString& line : lines)
        text += line + lineEnd;
    // Both interpreters read a script bit by bit while it runs; rewriting an
    // earlier launch's script in place would hand it the new file's bytes.
    QSaveFile file(QDir::current().filePath(fileName));
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return TLaunchFileResult::WriteFailed;
    const QByteArray bytes = text.toLocal8Bit();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return TLaunchFileResult::WriteFailed;
    return TLaunchFileResult::Written;
}

} // namespace datei
