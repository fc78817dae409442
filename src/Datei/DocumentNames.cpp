// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/DocumentNames.h"

#include <algorithm>

namespace datei {

namespace {

// Where the file name starts; on Windows a backslash separates too.
qsizetype FileNameStart(const QString& path) {
    qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    slash = std::max(slash, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return slash + 1;
}

// Index of the extension's dot in path, or -1.
qsizetype ExtensionStart(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= FileNameStart(path) ? dot : -1;
}

} // namespace

QString FileExtension(const QString& path) {
    const qsizetype dot = ExtensionStart(path);
    return dot < 0 ? QString() : path.mid(dot);
}

QString BackupName(const QString& path) {
    const qsizetype dot = ExtensionStart(path);
    return (dot < 0 ? path : path.left(dot)) + QStringLiteral(".jav_");
}

QString CompleteJavaExtension(const QString& path) {
    return FileExtension(path) == QStringLiteral(".jav") ? path + QLatin1Char('a') : path;
}

bool IsJavaSourceArgument(const QString& argument) {
    return FileExtension(argument) == QStringLiteral(".java");
}

QStringList SourceFileFilters() {
    return {QStringLiteral("Java Files (*.java)"), QStringLiteral("Alle Files(*.*)")};
}

void AddRecentFile(std::array<QString, 5>& files, const QString& path) {
    if (std::find(files.begin(), files.end(), path) != files.end())
        return;
    std::move_backward(files.begin(), files.end() - 1, files.end());
    files.front() = path;
}

} // namespace datei
