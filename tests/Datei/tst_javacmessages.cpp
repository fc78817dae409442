// Compiler messages from the real compilers of this machine (every JDK below
// /usr/lib/jvm, 17 and 25 here), in a directory whose name has a blank and
// an umlaut: where the entries point, encodings in an ASCII locale, the
// compiler answering in German, and the JVM's own notice before it.
#include "Datei/CompilerCall.h"
#include "Datei/CompilerMessages.h"
#include "DosCall/RunCaptured.h"
#include "JdkRig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using datei::TCompilerMessages;
using datei::TErrorPosition;
using datei::TFileEncoding;

Q_DECLARE_METATYPE(TJdk)

namespace {

struct TCompile {
    doscall::TCapture Run;
    TCompilerMessages Messages;
};

} // namespace

class TestJavacMessages : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> temporary;
    QString dir;

    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(QDir(dir).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a test file");
        return file.fileName();
    }

    static TCompile Compile(const TJdk& jdk, const QString& path,
                            TFileEncoding encoding = TFileEncoding::Utf8,
                            const QStringList& extra = {}) {
        const datei::TCompilerCall call = datei::CompilerCall(jdk.Dir, path, encoding);
        TCompile compile;
        compile.Run =
            doscall::RunCaptured(call.Program, extra + call.Arguments, QFileInfo(path).path());
        compile.Messages = datei::ParseCompilerMessages(compile.Run.Text(), path);
        return compile;
    }

    // The character an entry's position marks in the source lines.
    static QChar Marked(const QStringList& source, const TErrorPosition& position) {
        const QString line = source.value(position.Line - 1);
        return position.Column >= 1 && position.Column <= line.size() ? line[position.Column - 1]
                                                                      : QChar();
    }

    static void JdkRows() {
        QTest::addColumn<TJdk>("jdk");
        for (const TJdk& jdk : InstalledJdks())
            QTest::newRow(qPrintable(QStringLiteral("JDK %1").arg(jdk.Major))) << jdk;
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
        const TCompile compile = Compile(jdk, path);
        QVERIFY(compile.Run.Ran);
        QVERIFY(!compile.Run.Succeeded());
        QVERIFY(!compile.Messages.RawFollows);
        QCOMPARE(compile.Messages.Entries.size(), 3);
        for (int n = 1; n <= 3; ++n) {
            const QString entry = compile.Messages.Entries[n - 1];
            QVERIFY2(
                entry.startsWith(QStringLiteral("Fehler %1: error: incompatible types").arg(n)),
                qPrintable(entry));
            QVERIFY2(entry.endsWith(" in " + path), qPrintable(entry));
            const TErrorPosition position = compile.Messages.Positions[n - 1];
            QCOMPARE(position.Line, n + 1);
            QCOMPARE(Marked(source, position), QLatin1Char('"'));
        }
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
        const TCompile compile = Compile(jdk, path, encoding);
        const doscall::TCapture run = doscall::RunCaptured(
            jdk.Dir + "/bin/java", {QStringLiteral("-cp"), dir, QStringLiteral("Gruss")});
        if (hadLocale)
            qputenv("LC_ALL", savedLocale);
        else
            qunsetenv("LC_ALL");
        QVERIFY2(compile.Run.Succeeded(), qPrintable(compile.Run.Text()));
        QCOMPARE(run.Text(), QStringLiteral("true"));
    }

    void german_messages_make_the_same_entries_data() { JdkRows(); }
    void german_messages_make_the_same_entries() {
        QFETCH(TJdk, jdk);
        const QString path = Write(QStringLiteral("Fehlt.java"), "class Fehlt {\n\tint x = 1\n}\n");
        const TCompile english = Compile(jdk, path, TFileEncoding::Utf8, {"-J-Duser.language=en"});
        const TCompile german = Compile(jdk, path, TFileEncoding::Utf8, {"-J-Duser.language=de"});
        QCOMPARE(german.Messages.Positions, english.Messages.Positions);
        QCOMPARE(german.Messages.Positions, (QList<TErrorPosition>{{2, 11}}));
        QVERIFY(!german.Messages.RawFollows);
        QVERIFY(german.Messages.Entries.first().endsWith(" in " + path));
        // German came with JDK 21.
        if (jdk.Major >= 21)
            QCOMPARE(german.Messages.Entries.first(), "Fehler 1: Fehler: ';' erwartet in " + path);
    }

    void the_launchers_notice_is_no_message_data() { JdkRows(); }
    void the_launchers_notice_is_no_message() {
        QFETCH(TJdk, jdk);
        const QString path = Write(QStringLiteral("Fehlt.java"), "class Fehlt {\n\tint x = 1\n}\n");
        qputenv("JAVA_TOOL_OPTIONS", "-Dkodiwerk.test=1");
        const TCompile compile = Compile(jdk, path);
        qunsetenv("JAVA_TOOL_OPTIONS");
        QVERIFY(compile.Run.Text().startsWith(QStringLiteral("Picked up JAVA_TOOL_OPTIONS")));
        QVERIFY(!compile.Messages.RawFollows);
        QCOMPARE(compile.Messages.Positions, (QList<TErrorPosition>{{2, 11}}));
    }
};

QTEST_GUILESS_MAIN(TestJavacMessages)
#include "tst_javacmessages.moc"
