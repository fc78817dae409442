// SPDX-License-Identifier: GPL-3.0-or-later
// The error list made from the real compilers of this machine (every JDK
// below /usr/lib/jvm, 17 and 25 here), in a directory whose name has a blank
// and an umlaut: where the entries point, several messages and their details,
// warnings and errors, other files of the program, javac stopping early, the
// compiler answering in German, the JVM's notice before it, and stand-in
// compilers that end without a word.
#include "Datei/Templates.h"
#include "ErrorRowsText.h"
#include "JavacRig.h"

#include <QTemporaryDir>

using datei::TErrorListEntry;
using datei::TErrorRows;
using datei::TFileEncoding;
using datei::TJavacMessage;
using TKind = datei::TErrorListEntry::TKind;

class TestJavacMessages : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> temporary;
    QString dir;

    QString Write(const QString& name, const QByteArray& bytes) {
        return WriteFile(dir, name, bytes);
    }

    // A stand-in for javac below a JDK directory of its own.
    QString StandInJdk(const QByteArray& script) {
        const QString jdk = temporary->filePath(QStringLiteral("Stand-in JDK"));
        QDir().mkpath(jdk + QStringLiteral("/bin"));
        QFile javac(jdk + QStringLiteral("/bin/javac"));
        if (!javac.open(QIODevice::WriteOnly) || javac.write(script) != script.size())
            qFatal("cannot write the stand-in compiler");
        javac.close();
        javac.setPermissions(javac.permissions() | QFileDevice::ExeOwner);
        return jdk;
    }

private slots:
    void init() {
        temporary = std::make_unique<QTemporaryDir>();
        dir = temporary->filePath(QStringLiteral("Ordner mit Ü"));
        QVERIFY(QDir().mkdir(dir));
    }
    void cleanup() { temporary.reset(); }

    void each_error_points_at_the_character_javac_marked_data() { JdkRows(); }
    void each_error_points_at_the_character_javac_marked() {
        QFETCH(TJdk, jdk);
        // Indented with tabs, blanks and both; each marks the string literal.
        const QStringList source{"class Uebung {", "\t\tint a = \"eins\";", "    int b = \"zwei\";",
                                 "\t  \t int c = \"drei\";", "}"};
        const QString path = Write(QStringLiteral("Übung eins.java"), source.join('\n').toUtf8());
        const TJavacRun compile = CompileWith(jdk, path, JavacLanguage("en"));
        QVERIFY(compile.Run.Ran);
        QVERIFY(compile.Output.RawLines.isEmpty());
        QCOMPARE(compile.List.Entries.size(), 3);
        for (int n = 1; n <= 3; ++n) {
            const TErrorListEntry& entry = compile.List.Entries[n - 1];
            QCOMPARE(entry.Text, QStringLiteral("Fehler %1: incompatible types: String cannot be "
                                                "converted to int in ")
                                         .arg(n) +
                                     path);
            QCOMPARE(entry.Line, n + 1);
            QCOMPARE(Marked(source, entry), QLatin1Char('"'));
        }
        QVERIFY(compile.List.Failed);
        QCOMPARE(compile.List.JumpTarget, 0);
    }

    void several_messages_in_one_file_keep_their_details_data() { JdkLanguageRows(); }
    void several_messages_in_one_file_keep_their_details() {
        QFETCH(TJdk, jdk);
        QFETCH(QString, language);
        const QStringList source{"public class Viel {",
                                 "\tvoid f(int a) {}",
                                 "\tvoid g() {",
                                 "\t\tint zahl = 1;",
                                 "\t\tSystem.out.println(zahll);",
                                 "\t\tf();",
                                 "\t\tString s = 3;",
                                 "\t}",
                                 "}"};
        const QString path = Write(QStringLiteral("Viel.java"), source.join('\n').toUtf8());
        const TJavacRun compile = CompileWith(jdk, path, JavacLanguage(language));
        QVERIFY2(compile.Output.RawLines.isEmpty(), qPrintable(compile.Run.Text()));
        const QList<TJavacMessage>& messages = compile.Output.Messages;
        QCOMPARE(messages.size(), 3);
        // The variable javac did not find, the arguments f wants, no details.
        QCOMPARE(messages[0].Details.size(), 2);
        QVERIFY(messages[0].Details[0].contains(QLatin1String("zahll")));
        QCOMPARE(messages[1].Details.size(), 3);
        QVERIFY(messages[1].Details[0].contains(QLatin1String("int")));
        QVERIFY(messages[2].Details.isEmpty());
        QCOMPARE(Kinds(compile.List), (QList<TKind>{TKind::Error, TKind::Error, TKind::Error}));
        const QList<QChar> marked{'z', 'f', '3'};
        for (int n = 0; n < 3; ++n) {
            const TErrorListEntry& entry = compile.List.Entries[n];
            QVERIFY2(entry.Text.startsWith(QStringLiteral("Fehler %1: ").arg(n + 1)),
                     qPrintable(entry.Text));
            QCOMPARE(entry.Line, n + 5);
            QCOMPARE(Marked(source, entry), marked[n]);
            QVERIFY(entry.ToolTip.endsWith(messages[n].Details.join('\n')));
        }
        QCOMPARE(compile.Output.Summary.Errors, (datei::TJavacCount{3, 3}));
    }

    void a_warning_before_an_error_has_its_own_kind_data() { JdkLanguageRows(); }
    void a_warning_before_an_error_has_its_own_kind() {
        QFETCH(TJdk, jdk);
        QFETCH(QString, language);
        const QString path = Write(QStringLiteral("Warn.java"),
                                   "public class Warn {\n\tvoid f() {\n\t\tnew Integer(3);\n"
                                   "\t\tint x = \"a\";\n\t}\n}\n");
        // Lint on: javac 25 no longer warns of this by default.
        const TJavacRun compile =
            CompileWith(jdk, path, JavacLanguage(language) + QStringList{"-Xlint:all"});
        QVERIFY2(compile.Output.RawLines.isEmpty(), qPrintable(compile.Run.Text()));
        QCOMPARE(Kinds(compile.List), (QList<TKind>{TKind::Warning, TKind::Error}));
        QVERIFY2(compile.List.Entries[0].Text.startsWith(QLatin1String("Warnung 1: [")),
                 qPrintable(compile.List.Entries[0].Text));
        QVERIFY2(compile.List.Entries[1].Text.startsWith(QLatin1String("Fehler 1: ")),
                 qPrintable(compile.List.Entries[1].Text));
        QCOMPARE(compile.List.Entries[0].Line, 3);
        QCOMPARE(compile.List.Entries[1].Line, 4);
        QCOMPARE(compile.List.JumpTarget, 1);
        QVERIFY(compile.List.Failed);
        QCOMPARE(compile.Output.Summary.Warnings, (datei::TJavacCount{1, 1}));
    }

    void warnings_alone_make_a_neutral_list_data() { JdkRows(); }
    void warnings_alone_make_a_neutral_list() {
        QFETCH(TJdk, jdk);
        const QString path = Write(QStringLiteral("Alt.java"),
                                   "public class Alt {\n\tObject o = new Integer(3);\n}\n");
        const TJavacRun compile = CompileWith(jdk, path, {QStringLiteral("-Xlint:all")});
        QVERIFY(compile.Run.Succeeded());
        QCOMPARE(Kinds(compile.List), QList<TKind>{TKind::Warning});
        QCOMPARE(compile.List.Entries[0].Line, 2);
        QVERIFY(!compile.List.Failed);
        QCOMPARE(compile.List.JumpTarget, -1);
    }

    void the_applet_template_compiles_with_a_neutral_list_data() { JdkRows(); }
    void the_applet_template_compiles_with_a_neutral_list() {
        QFETCH(TJdk, jdk);
        QString text = datei::AppletTemplate();
        text.replace(QStringLiteral("noname"), QStringLiteral("Hallo"));
        const QString path = Write(QStringLiteral("Hallo.java"), text.toUtf8());
        const TJavacRun compile = CompileWith(jdk, path);
        QVERIFY2(compile.Run.Succeeded(), qPrintable(compile.Run.Text()));
        QVERIFY(!compile.List.Failed);
        QCOMPARE(compile.List.JumpTarget, -1);
        QVERIFY(compile.Output.RawLines.isEmpty());
        // javac 17 mentions the deprecated applet in notes, 25 warns of its removal.
        for (const TErrorListEntry& entry : compile.List.Entries)
            QVERIFY(entry.Kind == TKind::Note || entry.Kind == TKind::Warning);
        if (jdk.Major >= 25) {
            QCOMPARE(Kinds(compile.List), QList<TKind>{TKind::Warning});
            QVERIFY2(compile.List.Entries[0].Text.startsWith("Warnung 1: [removal] Applet"),
                     qPrintable(compile.List.Entries[0].Text));
            QCOMPARE(compile.List.Entries[0].Line, 7);
        }
    }

    void an_error_in_another_file_of_the_program_points_into_it_data() { JdkLanguageRows(); }
    void an_error_in_another_file_of_the_program_points_into_it() {
        QFETCH(TJdk, jdk);
        QFETCH(QString, language);
        const QString haupt = Write(QStringLiteral("Haupt.java"),
                                    "public class Haupt {\n\tpublic static void main(String[] a) "
                                    "{\n\t\tnew Auto().fahre();\n\t}\n}\n");
        const QStringList auto_{"public class Auto {", "\tvoid fahre() {", "\t\tint x = 1", "\t}",
                                "}"};
        const QString autoPath = Write(QStringLiteral("Auto.java"), auto_.join('\n').toUtf8());
        const TJavacRun compile = CompileWith(jdk, haupt, JavacLanguage(language));
        QVERIFY2(compile.Output.RawLines.isEmpty(), qPrintable(compile.Run.Text()));
        QCOMPARE(compile.Output.Messages.size(), 1);
        // javac names it relative to the directory it runs in.
        QCOMPARE(compile.Output.Messages[0].File, QStringLiteral("./Auto.java"));
        QCOMPARE(compile.List.Entries.size(), 1);
        const TErrorListEntry& entry = compile.List.Entries[0];
        QVERIFY2(entry.Text.startsWith(QLatin1String("Fehler 1: ';' ")), qPrintable(entry.Text));
        QVERIFY2(entry.Text.endsWith(" in " + autoPath), qPrintable(entry.Text));
        QCOMPARE(entry.File, autoPath);
        QCOMPARE(entry.Line, 3);
        QCOMPARE(entry.Column, auto_[2].size() + 1);
        QCOMPARE(compile.List.JumpTarget, 0);
    }

    void javac_stopping_after_100_errors_is_said_data() { JdkLanguageRows(); }
    void javac_stopping_after_100_errors_is_said() {
        QFETCH(TJdk, jdk);
        QFETCH(QString, language);
        QByteArray source("public class Viele {\n");
        for (int i = 1; i <= 150; ++i)
            source += "\tint a" + QByteArray::number(i) + " = \"x\";\n";
        const QString path = Write(QStringLiteral("Viele.java"), source + "}\n");
        const TJavacRun compile = CompileWith(jdk, path, JavacLanguage(language));
        QVERIFY(compile.Output.RawLines.isEmpty());
        QCOMPARE(compile.Output.Messages.size(), 100);
        QCOMPARE(compile.Output.Summary.Errors, (datei::TJavacCount{100, 150}));
        QCOMPARE(compile.List.Entries.size(), 101);
        QVERIFY(compile.List.Entries[99].Text.startsWith(QLatin1String("Fehler 100: ")));
        QCOMPARE(compile.List.Entries[99].Line, 101);
        QCOMPARE(compile.List.Entries[100].Kind, TKind::Remark);
        QCOMPARE(compile.List.Entries[100].Text,
                 QStringLiteral("javac zeigt nur die ersten 100 von insgesamt 150 Fehlern."));
    }

    void german_messages_make_the_same_entries_data() { JdkRows(); }
    void german_messages_make_the_same_entries() {
        QFETCH(TJdk, jdk);
        const QString path = Write(QStringLiteral("Fehlt.java"), "class Fehlt {\n\tint x = 1\n}\n");
        const TJavacRun english = CompileWith(jdk, path, JavacLanguage("en"));
        const TJavacRun german = CompileWith(jdk, path, JavacLanguage("de"));
        QCOMPARE(german.List.Entries.size(), 1);
        QCOMPARE(english.List.Entries.size(), 1);
        QCOMPARE(german.List.Entries[0].Line, 2);
        QCOMPARE(german.List.Entries[0].Column, 11);
        QCOMPARE(german.List.Entries[0].Column, english.List.Entries[0].Column);
        QCOMPARE(english.List.Entries[0].Text, "Fehler 1: ';' expected in " + path);
        // German came with JDK 21.
        if (SpeaksGerman(jdk))
            QCOMPARE(german.List.Entries[0].Text, "Fehler 1: ';' erwartet in " + path);
    }

    void the_launchers_notice_is_no_message_data() { JdkRows(); }
    void the_launchers_notice_is_no_message() {
        QFETCH(TJdk, jdk);
        const QString path = Write(QStringLiteral("Fehlt.java"), "class Fehlt {\n\tint x = 1\n}\n");
        qputenv("JAVA_TOOL_OPTIONS", "-Dkodiwerk.test=1");
        const TJavacRun compile = CompileWith(jdk, path);
        qunsetenv("JAVA_TOOL_OPTIONS");
        QVERIFY(compile.Run.Text().startsWith(QStringLiteral("Picked up JAVA_TOOL_OPTIONS")));
        QVERIFY(compile.Output.RawLines.isEmpty());
        QCOMPARE(compile.List.Entries.size(), 1);
        QCOMPARE(compile.List.Entries[0].Line, 2);
        QCOMPARE(compile.List.Entries[0].Column, 11);
    }

    void umlauts_in_a_string_compile_in_the_file_encoding_data() {
        QTest::addColumn<TJdk>("jdk");
        QTest::addColumn<TFileEncoding>("encoding");
        for (const TJdk& jdk : InstalledJdks()) {
            QTest::newRow(qPrintable(QStringLiteral("JDK %1, UTF-8").arg(jdk.Major)))
                << jdk << TFileEncoding::Utf8;
            QTest::newRow(qPrintable(QStringLiteral("JDK %1, Latin-1").arg(jdk.Major)))
                << jdk << TFileEncoding::Latin1;
        }
    }
    void umlauts_in_a_string_compile_in_the_file_encoding() {
        QFETCH(TJdk, jdk);
        QFETCH(TFileEncoding, encoding);
        const QString text =
            QStringLiteral("public class Gruss { public static void main(String[] a) {"
                           " System.err.print(\"Grüße\".equals(\"Gr\\u00fc\\u00dfe\")); } }\n");
        const QByteArray bytes =
            encoding == TFileEncoding::Latin1 ? text.toLatin1() : text.toUtf8();
        const QString path = Write(QStringLiteral("Gruss.java"), bytes);
        // In an ASCII locale, too.
        const bool hadLocale = qEnvironmentVariableIsSet("LC_ALL");
        const QByteArray savedLocale = qgetenv("LC_ALL");
        qputenv("LC_ALL", "C");
        const TJavacRun compile = CompileWith(jdk, path, {}, encoding);
        const doscall::TCapture run = doscall::RunCaptured(
            jdk.Dir + "/bin/java", {QStringLiteral("-cp"), dir, QStringLiteral("Gruss")});
        if (hadLocale)
            qputenv("LC_ALL", savedLocale);
        else
            qunsetenv("LC_ALL");
        QVERIFY2(compile.Run.Succeeded(), qPrintable(compile.Run.Text()));
        QVERIFY(compile.List.Entries.isEmpty());
        QCOMPARE(run.Text(), QStringLiteral("true"));
    }

    void a_compiler_that_ends_without_a_word_is_named_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("text");
        QTest::newRow("exit status 1") << QByteArray("#!/bin/sh\nexit 1\n")
                                       << "javac hat sich ohne Meldung beendet (Exit-Status 1).";
        QTest::newRow("killed") << QByteArray("#!/bin/sh\nkill -9 $$\n")
                                << "javac wurde ohne Meldung beendet (Signal 9).";
    }
    void a_compiler_that_ends_without_a_word_is_named() {
        QFETCH(QByteArray, script);
        QFETCH(QString, text);
        const QString path = Write(QStringLiteral("Hallo.java"), "public class Hallo {}\n");
        const TJavacRun compile = CompileWith(TJdk{StandInJdk(script), 0}, path);
        QVERIFY(compile.Run.Ran);
        QVERIFY(compile.Run.StdErr.isEmpty());
        QCOMPARE(Texts(compile.List), QStringList{text});
        QCOMPARE(compile.List.Entries[0].Kind, TKind::Remark);
        QVERIFY(compile.List.Failed);
        QCOMPARE(compile.List.JumpTarget, -1);
    }
};

QTEST_GUILESS_MAIN(TestJavacMessages)
#include "tst_javacmessages.moc"
