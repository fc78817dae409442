// SPDX-License-Identifier: GPL-3.0-or-later
// Programs in packages and of several files: the package a source declares,
// its root folder, the compiler told where the other sources are, and the
// launch script that runs the class by its full name, really run with the
// machine's JDKs.
#include "Datei/CompilerCall.h"
#include "Datei/JavaPackage.h"
#include "Datei/LaunchFiles.h"
#include "DosCall/RunCaptured.h"
#include "LaunchRig.h"

#include <QTemporaryDir>
#include <QtTest>

using datei::TJavaProgram;
using datei::TLaunchPlatform;

namespace {

TJavaProgram Program(const QString& path, const QString& package) {
    return datei::JavaProgram(path, package.isEmpty() ? QStringLiteral("class X {}")
                                                      : "package " + package + ";\nclass X {}");
}

// Compiles `source` as Kodiwerk does, with its package root as source path.
doscall::TCapture Compile(const QString& jdk, const QString& source, bool withRoot) {
    QFile file(source);
    file.open(QIODevice::ReadOnly);
    const TJavaProgram program = datei::JavaProgram(source, QString::fromUtf8(file.readAll()));
    const datei::TCompilerCall call = datei::CompilerCall(jdk, source, datei::TFileEncoding::Utf8,
                                                          {}, withRoot ? program.Root : QString());
    return doscall::RunCaptured(call.Program, call.Arguments, program.SourceDir);
}

// Writes the launch script beside `source` and runs it as the terminal would.
TProgramOutput Launch(const QString& jdk, const QString& source) {
    QFile file(source);
    file.open(QIODevice::ReadOnly);
    const TJavaProgram program = datei::JavaProgram(source, QString::fromUtf8(file.readAll()));
    const QString script = datei::LaunchScriptName(program.ClassName, TLaunchPlatform::Unix);
    datei::WriteBesideSource(source, script,
                             datei::LaunchScriptLines(jdk, program, true, TLaunchPlatform::Unix),
                             TLaunchPlatform::Unix);
    return RunProgram(program.SourceDir, "/bin/sh", {script});
}

} // namespace

class TestJavaPackage : public QObject {
    Q_OBJECT

private slots:
    void the_declared_package_is_found_after_comments_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("package");
        QTest::newRow("plain") << "package uebung;\nclass A {}"
                               << "uebung";
        QTest::newRow("nested") << "package a.b.c;"
                                << "a.b.c";
        QTest::newRow("comments and blanks everywhere")
            << "// Übung 3\n/* Autor:\n   ich */\n/** Doku */ package  a /* x */ . b\t;"
            << "a.b";
        QTest::newRow("byte-order mark and CR LF")
            << QString(QChar(0xFEFF)) + "\r\npackage uebung;\r\n"
            << "uebung";
        QTest::newRow("umlaut and dollar") << "package übung.$x_1;"
                                           << "übung.$x_1";
        QTest::newRow("none") << "import java.util.*;\nclass A {}"
                              << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("a longer word") << "packages x;"
                                       << "";
        QTest::newRow("in a comment") << "// package uebung;\nclass A {}"
                                      << "";
        QTest::newRow("unclosed comment") << "/* package uebung;"
                                          << "";
        QTest::newRow("no semicolon") << "package uebung\nclass A {}"
                                      << "";
        QTest::newRow("a digit first") << "package 1a;"
                                       << "";
        QTest::newRow("a dot too many") << "package a..b;"
                                        << "";
    }
    void the_declared_package_is_found_after_comments() {
        QFETCH(QString, text);
        QFETCH(QString, package);
        QCOMPARE(datei::DeclaredPackage(text), package);
    }

    void the_root_is_the_folder_the_package_path_starts_in_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("fullName");
        QTest::addColumn<QString>("up");
        QTest::newRow("unnamed") << "/p/Hallo.java"
                                 << ""
                                 << "/p"
                                 << "Hallo"
                                 << ".";
        QTest::newRow("one folder") << "/p/uebung/Paket.java"
                                    << "uebung"
                                    << "/p"
                                    << "uebung.Paket"
                                    << "..";
        QTest::newRow("three folders") << "/p/a/b/c/X.java"
                                       << "a.b.c"
                                       << "/p"
                                       << "a.b.c.X"
                                       << "../../..";
        QTest::newRow("at the top") << "/uebung/Paket.java"
                                    << "uebung"
                                    << "/"
                                    << "uebung.Paket"
                                    << "..";
        QTest::newRow("wrong folder") << "/p/falsch/Paket.java"
                                      << "uebung"
                                      << ""
                                      << "uebung.Paket"
                                      << "..";
        QTest::newRow("a part wrong") << "/p/a/x/c/X.java"
                                      << "a.b.c"
                                      << ""
                                      << "a.b.c.X"
                                      << "../../..";
        QTest::newRow("deeper than the disk") << "/b/X.java"
                                              << "a.b"
                                              << ""
                                              << "a.b.X"
                                              << "../..";
        QTest::newRow("case counts") << "/p/Uebung/Paket.java"
                                     << "uebung"
                                     << ""
                                     << "uebung.Paket"
                                     << "..";
    }
    void the_root_is_the_folder_the_package_path_starts_in() {
        QFETCH(QString, path);
        QFETCH(QString, package);
        QFETCH(QString, root);
        QFETCH(QString, fullName);
        QFETCH(QString, up);
        const TJavaProgram program = Program(path, package);
        QCOMPARE(program.Package, package);
        QCOMPARE(program.Root, root);
        QCOMPARE(program.FolderMatches(), !root.isEmpty());
        QCOMPARE(program.FullName(), fullName);
        QCOMPARE(program.RootFromSourceDir(TLaunchPlatform::Unix), up);
        QCOMPARE(program.SourceDir, QFileInfo(path).path());
    }

    void a_folder_that_does_not_match_is_said_plainly() {
        QCOMPARE(datei::PackageMismatchText(Program("/p/falsch/Paket.java", "uebung")),
                 QStringLiteral("Die Datei Paket.java gehört zum Paket uebung, liegt aber nicht "
                                "in einem Ordner uebung. Legen Sie sie in einen Ordner uebung, "
                                "oder ändern Sie die Zeile „package uebung;“."));
        QVERIFY(datei::PackageMismatchText(Program("/p/X.java", "a.b"))
                    .contains("nicht in einem Ordner a/b."));
    }

    void the_compiler_is_told_the_package_root() {
        const datei::TCompilerCall call = datei::CompilerCall(
            "/opt/jdk", "/p/uebung/Paket.java", datei::TFileEncoding::Utf8, "/k", "/p");
        QCOMPARE(call.Arguments, (QStringList{"-nowarn", "-encoding", "UTF-8", "-d", "/k",
                                              "-sourcepath", "/p", "/p/uebung/Paket.java"}));
    }

    void the_script_runs_a_packaged_class_from_its_root() {
        const TJavaProgram packaged = Program("/p/a/b/X.java", "a.b");
        QCOMPARE(
            datei::LaunchScriptLines("/opt/jdk", packaged, false, TLaunchPlatform::Unix),
            (QStringList{"#!/bin/sh", "cd '../..' && '/opt/jdk/bin/java' 'a.b.X'", "echo", "echo",
                         "printf '%s' 'Weiter mit der Eingabetaste . . . '; read -r _"}));
        QCOMPARE(datei::LaunchScriptLines("C:\\jdk", Program("C:/p/a/b/X.java", "a.b"), true,
                                          TLaunchPlatform::Windows),
                 (QStringList{"@echo off", "cd ..\\.. && C:\\jdk\\bin\\java.exe a.b.X", "echo.",
                              "echo."}));
        // A class in the unnamed package keeps the lines it always had.
        for (const TLaunchPlatform platform : {TLaunchPlatform::Unix, TLaunchPlatform::Windows})
            for (const bool rWinMin : {false, true})
                QCOMPARE(datei::LaunchScriptLines("/opt/jdk", Program("/p/Hallo.java", ""), rWinMin,
                                                  platform),
                         datei::LaunchScriptLines("/opt/jdk", "Hallo", rWinMin, platform));
    }

    void the_page_names_a_packaged_class_below_its_code_base() {
        const QDateTime now(QDate(2004, 3, 15), QTime(9, 41, 7));
        const QLocale german("de_DE");
        const QStringList packaged =
            datei::AppletPageLines(Program("/p/spiele/Ball.java", "spiele"), 640, 480, now, german);
        const QStringList plain = datei::AppletPageLines("Ball", 640, 480, now, german);
        QCOMPARE(packaged[3], QStringLiteral("<APPLET code=spiele/Ball.class codebase=.. "
                                             "width=640 height=480></APPLET>"));
        QCOMPARE(packaged.mid(0, 3), plain.mid(0, 3));
        QCOMPARE(packaged.mid(4), plain.mid(4));
        QCOMPARE(datei::AppletPageLines(Program("/p/Ball.java", ""), 640, 480, now, german), plain);
    }

    void a_packaged_class_using_an_uncompiled_one_compiles_and_runs_data() {
        QTest::addColumn<QString>("jdk");
        for (const QString& jdk : TestJdks())
            QTest::newRow(QFileInfo(jdk).fileName().toUtf8()) << jdk;
    }
    void a_packaged_class_using_an_uncompiled_one_compiles_and_runs() {
        QFETCH(QString, jdk);
        QTemporaryDir tmp;
        const QString root = tmp.filePath("Projekt mit Blank");
        QVERIFY(WriteUtf8(root + "/uebung/Helfer.java",
                          "package uebung;\n\nclass Helfer {\n"
                          "    static String gruss() { return \"Grüße aus dem Paket\"; }\n}\n"));
        const QString source = root + "/uebung/Paket.java";
        QVERIFY(WriteUtf8(source, "/* Übung */\npackage uebung;\n\npublic class Paket {\n"
                                  "    public static void main(String[] a) {\n"
                                  "        System.out.println(Helfer.gruss());\n    }\n}\n"));
        // Without the root javac looks for Helfer beside itself and finds nothing.
        const doscall::TCapture alone = Compile(jdk, source, false);
        QVERIFY2(alone.Text().contains("cannot find symbol"), qPrintable(alone.Text()));
        const doscall::TCapture compiled = Compile(jdk, source, true);
        QVERIFY2(compiled.Succeeded() && compiled.StdErr.isEmpty(), qPrintable(compiled.Text()));
        QVERIFY(QFileInfo::exists(root + "/uebung/Helfer.class"));

        const TProgramOutput run = Launch(jdk, source);
        QVERIFY2(run.Finished, qPrintable(run.Err));
        QCOMPARE(run.Err, QString());
        QCOMPARE(run.Out, QStringLiteral("Grüße aus dem Paket\n\n\n"));
    }

    void a_program_of_two_classes_compiles_and_runs_data() {
        a_packaged_class_using_an_uncompiled_one_compiles_and_runs_data();
    }
    void a_program_of_two_classes_compiles_and_runs() {
        QFETCH(QString, jdk);
        QTemporaryDir tmp;
        QVERIFY(WriteUtf8(tmp.filePath("Zaehler.java"),
                          "class Zaehler {\n    int n;\n    int weiter() { return ++n; }\n}\n"));
        const QString source = tmp.filePath("Haupt.java");
        QVERIFY(WriteUtf8(source,
                          "public class Haupt {\n    public static void main(String[] a) {\n"
                          "        Zaehler z = new Zaehler();\n        z.weiter();\n"
                          "        System.out.println(z.weiter());\n    }\n}\n"));
        // Started from elsewhere, as when the class path does not include the folder.
        qputenv("CLASSPATH", "/nonexistent");
        const doscall::TCapture compiled = Compile(jdk, source, true);
        qunsetenv("CLASSPATH");
        QVERIFY2(compiled.Succeeded() && compiled.StdErr.isEmpty(), qPrintable(compiled.Text()));
        const TProgramOutput run = Launch(jdk, source);
        QVERIFY2(run.Finished, qPrintable(run.Err));
        QCOMPARE(run.Out, QStringLiteral("2\n\n\n"));
    }
};

QTEST_GUILESS_MAIN(TestJavaPackage)
#include "tst_javapackage.moc"
