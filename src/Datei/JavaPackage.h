// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/LaunchFiles.h"

#include <QString>

namespace datei {

// The package a Java source declares: "uebung" for `package uebung;`,
// "a.b.c" for `package a.b.c;`, "" for the unnamed package. The declaration
// must be the first thing after comments and white space; one that is not
// well formed counts as none (javac then says what is wrong with it).
QString DeclaredPackage(const QString& sourceText);

// Where the class of a source file lives and how it is named from outside.
struct TJavaProgram {
    QString Package;   // "" for the unnamed package
    QString ClassName; // the file name without its extension, see ClassName()
    QString SourceDir; // the file's folder
    // The folder the package path starts in (SourceDir for the unnamed
    // package); "" when the file's folders do not spell out its package.
    QString Root;

    bool InPackage() const { return !Package.isEmpty(); }
    bool FolderMatches() const { return !Root.isEmpty(); }
    // "uebung.Paket", or "Paket" in the unnamed package.
    QString FullName() const;
    // The root seen from SourceDir: "..", "../..", "." for the unnamed package.
    QString RootFromSourceDir(TLaunchPlatform platform = NativeLaunchPlatform()) const;
};

// The program of the file `sourcePath` with the text `sourceText`.
TJavaProgram JavaProgram(const QString& sourcePath, const QString& sourceText);

// What the user reads when the folder of `program` does not match its package.
QString PackageMismatchText(const TJavaProgram& program);

} // namespace datei
