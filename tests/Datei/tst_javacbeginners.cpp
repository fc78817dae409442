// SPDX-License-Identifier: GPL-3.0-or-later
// The messages beginners meet most often, each from a small file of its own,
// compiled by every javac of the machine in English and, where it has them,
// German messages: one entry per message, whatever detail lines follow, no
// raw line, and the entry points where javac's caret does. javac reports the
// errors of one phase only (syntax, then names and types, then flow, where it
// stops at the first class in error), so the files of the first two phases
// are compiled together, which keeps the test quick.
#include "JavacRig.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using datei::TErrorListEntry;
using datei::TJavacMessage;

namespace {

enum class TPhase { Syntax, Types, Flow };

struct TBeginnerCase {
    TPhase Phase;
    const char* Name;
    const char* File;
    const char* Source;
    int Line;
    int Column;
    // javac's text after "error: " / "Fehler: ", as a pattern, in each language
    // (the wording of some messages changed between JDK 17 and 25).
    const char* English;
    const char* German;
    // The first detail lines, as patterns; the "no suitable method" case has more.
    QStringList EnglishDetails = {};
    QStringList GermanDetails = {};
};

const QList<TBeginnerCase>& Cases() {
    static const QList<TBeginnerCase> cases{
        // The mark stands just past the last character of the file.
        {TPhase::Syntax, "reached end of file", "Eof.java",
         "public class Eof {\n\tvoid f() {\n\t}\n", 3, 3, "reached end of file while parsing",
         "Dateiende beim Parsen erreicht"},
        {TPhase::Syntax, "semicolon expected", "Semi.java", "public class Semi {\n\tint x = 1\n}\n",
         2, 11, "';' expected", "';' erwartet"},
        {TPhase::Types,
         "cannot find a variable",
         "Var.java",
         "public class Var {\n\tvoid f() {\n\t\tint zahl = 1;\n\t\tSystem.out.println(zahll);\n"
         "\t}\n}\n",
         4,
         22,
         "cannot find symbol",
         "Symbol nicht gefunden",
         {"  symbol: +variable zahll", "  location: class Var"},
         {"  Symbol: Variable zahll", "  Ort: Klasse Var"}},
        {TPhase::Types,
         "cannot find a method",
         "Meth.java",
         "public class Meth {\n\tvoid f() {\n\t\tgibAus(3);\n\t}\n}\n",
         3,
         3,
         "cannot find symbol",
         "Symbol nicht gefunden",
         {"  symbol: +method gibAus\\(int\\)", "  location: class Meth"},
         {"  Symbol: Methode gibAus\\(int\\)", "  Ort: Klasse Meth"}},
        {TPhase::Types,
         "cannot find a class",
         "Kla.java",
         "public class Kla {\n\tvoid f() {\n\t\tStrin s = \"x\";\n\t}\n}\n",
         3,
         3,
         "cannot find symbol",
         "Symbol nicht gefunden",
         {"  symbol: +class Strin", "  location: class Kla"},
         {"  Symbol: Klasse Strin", "  Ort: Klasse Kla"}},
        {TPhase::Syntax, "illegal start of expression", "Ill.java",
         "public class Ill {\n\tvoid f() {\n\t\tint x = );\n\t}\n}\n", 3, 11,
         "illegal start of expression", "Unzulässiger Ausdrucksbeginn"},
        {TPhase::Syntax, "identifier expected", "Idf.java",
         "public class Idf {\n\tvoid f(int) {\n\t}\n}\n", 2, 12, "<identifier> expected",
         "<ID> erwartet"},
        {TPhase::Syntax, "not a statement", "Nst.java",
         "public class Nst {\n\tvoid f() {\n\t\tint x = 1;\n\t\tx;\n\t}\n}\n", 4, 3,
         "not a statement", "Keine Anweisung"},
        {TPhase::Syntax, "class, interface, enum, or record expected", "Cie.java",
         "public class Cie {\n}\n}\n", 3, 1,
         "class, interface, (annotation type, )?enum, (or )?record(, method or field)? expected",
         "Klasse, Schnittstelle, Annotationstyp, Enumeration, Datensatz, Methode oder Feld "
         "erwartet"},
        {TPhase::Syntax, "closing parenthesis expected", "Par.java",
         "public class Par {\n\tvoid f(int x) {\n\t\tif (x > 1 {\n\t\t}\n\t}\n}\n", 3, 12,
         "'\\)' expected", "'\\)' erwartet"},
        {TPhase::Types, "incompatible types", "Typ.java",
         "public class Typ {\n\tint x = \"eins\";\n}\n", 2, 10,
         "incompatible types: String cannot be converted to int",
         "Inkompatible Typen: String kann nicht in int konvertiert werden"},
        {TPhase::Flow, "missing return statement", "Ret.java",
         "public class Ret {\n\tint f() {\n\t}\n}\n", 3, 2, "missing return statement",
         "Rückgabeanweisung fehlt"},
        {TPhase::Types,
         "cannot be applied to given types",
         "App.java",
         "public class App {\n\tvoid f(int a) {}\n\tvoid g() { f(); }\n}\n",
         3,
         13,
         "method f in class App cannot be applied to given types;",
         "Methode f in Klasse App kann nicht auf die angegebenen Typen angewendet werden\\.",
         {"  required: int", "  found: +no arguments",
          "  reason: actual and formal argument lists differ in length"},
         {"  Erforderlich: int", "  Ermittelt: +keine Argumente", "  Grund: Liste der .*"}},
        {TPhase::Types,
         "no suitable method found",
         "Max.java",
         "public class Max {\n\tvoid f() {\n\t\tMath.max(\"a\");\n\t}\n}\n",
         3,
         7,
         "no suitable method found for max\\(String\\)",
         "Methode für max\\(String\\) nicht geeignet",
         {"    method Math.max\\(int,int\\) is not applicable",
          "      \\(actual and formal argument lists differ in length\\)"},
         {"    Methode Math.max\\(int,int\\) ist nicht anwendbar", "      \\(Liste der .*\\)"}},
        {TPhase::Syntax, "invalid method declaration", "Inv.java",
         "public class Inv {\n\tf() {}\n}\n", 2, 2,
         "invalid method declaration; return type required",
         "Ungültige Methodendeklaration\\. Rückgabetyp erforderlich"},
        {TPhase::Types, "package does not exist", "Pkg.java",
         "import java.utill.List;\npublic class Pkg {\n}\n", 1, 18,
         "package java.utill does not exist", "Package java.utill ist nicht vorhanden"},
        {TPhase::Syntax, "unclosed string literal", "Str.java",
         "public class Str {\n\tString s = \"offen;\n}\n", 2, 13, "unclosed string literal",
         "Nicht geschlossenes Zeichenfolgenliteral"},
        {TPhase::Flow, "might not have been initialized", "Ini.java",
         "public class Ini {\n\tvoid f() {\n\t\tint x;\n\t\tx++;\n\t}\n}\n", 4, 3,
         "variable x might not have been initialized",
         "Variable x wurde möglicherweise nicht initialisiert"},
        {TPhase::Types, "non-static variable from a static context", "Sta.java",
         "public class Sta {\n\tint n;\n\tpublic static void main(String[] a) {\n\t\tn = "
         "1;\n\t}\n}\n",
         4, 3, "non-static variable n cannot be referenced from a static context",
         "Variable n ist nicht statisch und kann nicht aus einem statischen Kontext referenziert "
         "werden"},
        {TPhase::Types, "non-static method from a static context", "Stm.java",
         "public class Stm {\n\tvoid g() {}\n\tpublic static void main(String[] a) {\n\t\tg();\n"
         "\t}\n}\n",
         4, 3, "non-static method g\\(\\) cannot be referenced from a static context",
         "Methode g\\(\\) ist nicht statisch und kann nicht aus einem statischen Kontext "
         "referenziert werden"},
    };
    return cases;
}

bool Matches(const char* pattern, const QString& text) {
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QString::fromUtf8(pattern)))
        .match(text)
        .hasMatch();
}

} // namespace

class TestJavacBeginners : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QStringList paths;
    QHash<QString, TJavacRun> compiles;

    // The compile of the case's file with the others of its phase, made once
    // per JDK and language; a flow case is compiled alone.
    const TJavacRun& PhaseCompile(const TJdk& jdk, const QString& language, int index) {
        const TPhase phase = Cases()[index].Phase;
        const int group = phase == TPhase::Flow ? index : -1 - int(phase);
        const QString key = QStringLiteral("%1 %2 %3").arg(jdk.Dir, language).arg(group);
        if (!compiles.contains(key)) {
            QStringList others = JavacLanguage(language);
            QString first;
            for (int i = 0; i < Cases().size(); ++i) {
                if (Cases()[i].Phase != phase || (phase == TPhase::Flow && i != index))
                    continue;
                if (first.isEmpty())
                    first = paths[i];
                else
                    others << paths[i];
            }
            compiles.insert(key, CompileWith(jdk, first, others));
        }
        return compiles[key];
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        for (const TBeginnerCase& beginner : Cases())
            paths << WriteFile(dir.path(), beginner.File, beginner.Source);
    }

    void each_beginner_message_is_one_entry_at_javacs_mark_data() {
        QTest::addColumn<TJdk>("jdk");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("index");
        for (const TJdk& jdk : InstalledJdks()) {
            for (const QString& language : {QStringLiteral("en"), QStringLiteral("de")}) {
                if (language == QLatin1String("de") && !SpeaksGerman(jdk))
                    continue;
                for (int i = 0; i < Cases().size(); ++i)
                    QTest::newRow(qPrintable(QStringLiteral("JDK %1 %2: %3")
                                                 .arg(jdk.Major)
                                                 .arg(language, Cases()[i].Name)))
                        << jdk << language << i;
            }
        }
    }
    void each_beginner_message_is_one_entry_at_javacs_mark() {
        QFETCH(TJdk, jdk);
        QFETCH(QString, language);
        QFETCH(int, index);
        const TBeginnerCase& beginner = Cases()[index];
        const QString path = paths[index];
        const bool german = language == QLatin1String("de");
        const TJavacRun& compile = PhaseCompile(jdk, language, index);
        const QString shown = compile.Run.Text();
        QVERIFY2(compile.Output.RawLines.isEmpty(), qPrintable(shown));

        // Exactly one message names this file, and one entry shows it.
        qsizetype found = -1;
        for (qsizetype m = 0; m < compile.Output.Messages.size(); ++m) {
            if (compile.Output.Messages[m].File == path) {
                QVERIFY2(found < 0, qPrintable(shown));
                found = m;
            }
        }
        QVERIFY2(found >= 0, qPrintable(shown));
        const TJavacMessage& message = compile.Output.Messages[found];
        QCOMPARE(message.Kind, TJavacMessage::TKind::Error);
        QVERIFY2(Matches(german ? beginner.German : beginner.English, message.Text),
                 qPrintable(message.Text));
        const QStringList details = german ? beginner.GermanDetails : beginner.EnglishDetails;
        QVERIFY2(message.Details.size() >= details.size(), qPrintable(shown));
        // Only the candidate list of "no suitable method" is longer than given here.
        if (message.Details.size() > details.size())
            QCOMPARE(beginner.Name, "no suitable method found");
        for (int d = 0; d < details.size(); ++d)
            QVERIFY2(Matches(qPrintable(details[d]), message.Details[d]),
                     qPrintable(message.Details[d]));

        // Messages and entries match one to one, errors numbered in order.
        QCOMPARE(compile.List.Entries.size(), compile.Output.Messages.size());
        const datei::TErrorListEntry& entry = compile.List.Entries[found];
        QCOMPARE(entry.Text,
                 QStringLiteral("Fehler %1: ").arg(found + 1) + message.Text + " in " + path);
        QCOMPARE(entry.File, path);
        QCOMPARE(entry.Line, beginner.Line);
        QCOMPARE(entry.Column, beginner.Column);
        QCOMPARE(compile.Output.Summary.Errors.Total, compile.Output.Messages.size());
        QVERIFY(compile.List.Failed);
        QCOMPARE(compile.List.JumpTarget, 0);
    }
};

QTEST_GUILESS_MAIN(TestJavacBeginners)
#include "tst_javacbeginners.moc"
