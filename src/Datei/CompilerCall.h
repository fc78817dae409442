// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/SourceFile.h"

#include <QString>
#include <QStringList>

namespace datei {

struct TCompilerCall {
    QString Program;
    QStringList Arguments;
};

// The compiler below the JDK directory and what it is given: no warnings
// asked for, the file's own encoding (UTF-8, or ISO-8859-1 for a file that
// is not valid UTF-8), the class directory when one is given, the folder the
// program's other sources are found in (its package root) when one is given,
// and the source path as one argument.
TCompilerCall CompilerCall(const QString& jdkDir, const QString& sourcePath, TFileEncoding encoding,
                           const QString& classDir = QString(),
                           const QString& sourceRoot = QString());

// The compiler reads a UTF-8 byte-order mark as an illegal character, yet the
// file keeps it. Writes the file without it under the same name into
// `directory`, for the compiler to read instead; empty when that fails.
QString CopyWithoutByteOrderMark(const QString& sourcePath, const QString& directory);

} // namespace datei
