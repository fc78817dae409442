// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/CompilerCall.h"

#include "Datei/FileStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace datei {

TCompilerCall CompilerCall(const QString& jdkDir, const QString& sourcePath, TFileEncoding encoding,
                           const QString& classDir, const QString& sourceRoot) {
#ifdef Q_OS_WIN
    const QString program = QDir::cleanPath(jdkDir + QStringLiteral("/bin/javac.exe"));
#else
    const QString program = QDir::cleanPath(jdkDir + QStringLiteral("/bin/javac"));
#endif
    const QString charset =
        encoding == TFileEncoding::Latin1 ? QStringLiteral("ISO-8859-1") : QStringLiteral("UTF-8");
    TCompilerCall call{program, {QStringLiteral("-nowarn"), QStringLiteral("-encoding"), charset}};
    if (!classDir.isEmpty())
        call.Arguments << QStringLiteral("-d") << classDir;
    // A class the program uses is compiled from its source there when it has no class file yet.
    if (!sourceRoot.isEmpty())
        call.Arguments << QStringLiteral("-sourcepath") << sourceRoot;
    call.Arguments << sourcePath;
    return call;
}

QString CopyWithoutByteOrderMark(const QString& sourcePath, const QString& directory) {
    static const QByteArray mark("\xEF\xBB\xBF");
    TFileContent content = ReadRegularFile(sourcePath);
    if (content.Status != TReadStatus::Read)
        return {};
    if (content.Bytes.startsWith(mark))
        content.Bytes.remove(0, mark.size());
    const QString copy = QDir(directory).filePath(QFileInfo(sourcePath).fileName());
    QFile file(copy);
    if (!file.open(QIODevice::WriteOnly) || file.write(content.Bytes) != content.Bytes.size())
        return {};
    return copy;
}

} // namespace datei
