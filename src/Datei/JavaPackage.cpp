// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/JavaPackage.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace datei {

namespace {

bool IsIdentifierPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Reads a Java text token by token as far as a package declaration goes.
class TDeclarationReader {
public:
    explicit TDeclarationReader(const QString& text) : Text(text) {
        if (Text.startsWith(QChar(0xFEFF)))
            At = 1;
    }

    // The next word, "." or ";" after white space and comments; "" at the
    // end or at anything else.
    QString Next() {
        SkipSpaceAndComments();
        if (At >= Text.size())
            return QString();
        const QChar c = Text[At];
        if (c == QLatin1Char('.') || c == QLatin1Char(';')) {
            ++At;
            return QString(c);
        }
        const qsizetype start = At;
        while (At < Text.size() && IsIdentifierPart(Text[At]))
            ++At;
        return Text.mid(start, At - start);
    }

private:
    void SkipSpaceAndComments() {
        while (At < Text.size()) {
            if (Text[At].isSpace()) {
                ++At;
            } else if (Text.mid(At, 2) == QStringLiteral("//")) {
                while (At < Text.size() && Text[At] != QLatin1Char('\n') &&
                       Text[At] != QLatin1Char('\r'))
                    ++At;
            } else if (Text.mid(At, 2) == QStringLiteral("/*")) {
                const qsizetype end = Text.indexOf(QStringLiteral("*/"), At + 2);
                At = end < 0 ? Text.size() : end + 2;
            } else {
                return;
            }
        }
    }

    const QString& Text;
    qsizetype At = 0;
};

bool IsIdentifier(const QString& word) {
    return !word.isEmpty() && !word[0].isDigit() && IsIdentifierPart(word[0]);
}

Qt::CaseSensitivity FolderCase() {
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

} // namespace

QString DeclaredPackage(const QString& sourceText) {
    TDeclarationReader reader(sourceText);
    if (reader.Next() != QStringLiteral("package"))
        return QString();
    QStringList names;
    for (;;) {
        const QString name = reader.Next();
        if (!IsIdentifier(name))
            return QString();
        names << name;
        const QString after = reader.Next();
        if (after == QStringLiteral(";"))
            return names.join(QLatin1Char('.'));
        if (after != QStringLiteral("."))
            return QString();
    }
}

QString TJavaProgram::FullName() const {
    return InPackage() ? Package + QLatin1Char('.') + ClassName : ClassName;
}

QString TJavaProgram::RootFromSourceDir(TLaunchPlatform platform) const {
    if (!InPackage())
        return QStringLiteral(".");
    QStringList ups;
    for (qsizetype i = Package.count(QLatin1Char('.')); i >= 0; --i)
        ups << QStringLiteral("..");
    return ups.join(platform == TLaunchPlatform::Windows ? QLatin1Char('\\') : QLatin1Char('/'));
}

TJavaProgram JavaProgram(const QString& sourcePath, const QString& sourceText) {
    TJavaProgram program;
    program.Package = DeclaredPackage(sourceText);
    program.ClassName = ClassName(sourcePath);
    program.SourceDir = QFileInfo(sourcePath).absolutePath();
    QString folder = QDir::cleanPath(program.SourceDir);
    const QStringList names = program.Package.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    for (auto name = names.crbegin(); name != names.crend(); ++name) {
        const QFileInfo info(folder);
        if (info.fileName().compare(*name, FolderCase()) != 0)
            return program;
        folder = info.path();
    }
    program.Root = folder;
    return program;
}

QString PackageMismatchText(const TJavaProgram& program) {
    const QString folders = QDir::toNativeSeparators(
        QString(program.Package).replace(QLatin1Char('.'), QLatin1Char('/')));
    return QStringLiteral("Die Datei %1.java gehört zum Paket %2, liegt aber nicht in einem "
                          "Ordner %3. Legen Sie sie in einen Ordner %3, oder ändern Sie die "
                          "Zeile „package %2;“.")
        .arg(program.ClassName, program.Package, folders);
}

} // namespace datei
