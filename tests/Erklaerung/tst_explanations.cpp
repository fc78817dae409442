// SPDX-License-Identifier: GPL-3.0-or-later
// The explanations on real compiler output: small beginner's files, each
// compiled by every JDK of this machine in English and (JDK 21 and later)
// in German, every message explained with the learner's own names.
#include "Erklaerung/BuiltInExplanations.h"
#include "Erklaerung/ExplanationLoader.h"
#include "JavacOutput.h"
#include "JavacRig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using datei::TJavacMessage;
using erklaerung::TExplanation;

Q_DECLARE_METATYPE(TJavacRun)

namespace {

// Which entry explains the message with this index (0-based) of a sample,
// and which code its explanation holds: the learner's names, filled in.
struct TExpectation {
    QString File;
    int Message = 0;
    QString Id;
    QStringList Code;
};

const QList<TExpectation>& Expectations() {
    static const QList<TExpectation> expectations{
        {"EndOfFile.java", 0, "dateiende", {"EndOfFile.java"}},
        {"Semikolon.java", 0, "semikolon", {"5"}},
        {"SymbolVariable.java", 0, "symbol-variable", {"zahll", "\"zahll\""}},
        {"SymbolMethode.java", 0, "symbol-methode-vertippt", {"prinln(String)", "println"}},
        {"EigeneMethode.java", 0, "symbol-methode", {"rechne(int)"}},
        {"SymbolKlasse.java",
         0,
         "symbol-klasse-import",
         {"Scanner", "java.util", "SymbolKlasse.java", "import java.util.Scanner;"}},
        {"SymbolKlasse.java", 1, "symbol-klasse-import", {"import java.util.Scanner;"}},
        {"EigeneKlasse.java", 0, "symbol-klasse", {"Auto", "Auto.java", "EigeneKlasse.java"}},
        {"Kleinschreibung.java", 0, "paket-vertippt", {"system", "System"}},
        {"Kleinschreibung.java", 1, "symbol-klasse-vertippt", {"string", "String"}},
        {"Kleinschreibung.java", 2, "paket-vertippt", {"Sytem", "System"}},
        {"Paket.java", 0, "paket-vertippt", {"java.utils", "java.util"}},
        {"FremdesPaket.java", 0, "paket", {"acm.program"}},
        {"IllegalStart.java", 0, "ausdruck-erwartet", {")"}},
        {"PublicInMethode.java", 0, "ausdruck-erwartet", {"public"}},
        {"PublicInMethode.java", 1, "klasse-erwartet", {}},
        {"IdentifierExpected.java", 0, "name-erwartet", {}},
        {"IdentifierExpected.java", 1, "typ-erwartet", {}},
        {"NotStatement.java", 0, "keine-anweisung", {}},
        {"ClassExpected.java", 0, "klasse-erwartet", {}},
        {"KlammerZu.java", 0, "runde-klammer-zu", {}},
        {"KlammerAuf.java", 0, "runde-klammer-auf", {}},
        {"KlammerAuf.java", 1, "runde-klammer-zu", {}},
        {"GeschweiftAuf.java", 0, "geschweifte-klammer-auf", {"public class GeschweiftAuf {"}},
        {"Typen.java", 0, "typen-text-zahl", {"String", "int"}},
        {"Typen.java", 1, "typen-text-zeichen", {"String", "char"}},
        {"Typen.java", 2, "typen-zahl-text", {"int", "String"}},
        {"Typen.java", 3, "typen", {"int", "boolean"}},
        {"Verlust.java", 0, "typen-verlust", {"double", "int"}},
        {"Zuweisung.java", 0, "zuweisung-statt-vergleich", {"=", "int", "=="}},
        {"Return.java", 0, "rueckgabe-fehlt", {}},
        {"OhneWert.java", 0, "rueckgabewert-fehlt", {}},
        {"OhneRueckgabe.java", 0, "rueckgabewert-unerwartet", {}},
        {"Anwenden.java",
         0,
         "methode-argumente",
         {"doppelt", "Anwenden", "doppelt(int)", "doppelt(int,int)"}},
        {"Anwenden.java", 1, "methode-argumente", {"doppelt(int)", "doppelt()"}},
        {"Konstruktor.java", 0, "konstruktor-argumente", {"Konto", "Konto(int)", "new Konto()"}},
        {"Passend.java", 0, "keine-passende-methode", {"max", "max(String,int)"}},
        {"KonstruktorPasst.java",
         0,
         "kein-passender-konstruktor",
         {"Punkt", "new Punkt(int,String)"}},
        {"Deklaration.java", 0, "rueckgabetyp-fehlt", {"rechne", "Deklaration"}},
        {"Zeichenkette.java", 0, "text-nicht-geschlossen", {}},
        {"Init.java", 0, "nicht-initialisiert", {"summe"}},
        {"Statisch.java", 0, "nicht-statisch-variable", {"zaehler"}},
        {"StatischMethode.java", 0, "nicht-statisch-methode", {"begruesse()"}},
        {"Doppelt.java", 0, "variable-doppelt", {"main(String[])", "zahl"}},
        {"FeldDoppelt.java", 0, "variable-doppelt-klasse", {"FeldDoppelt", "zahl"}},
        {"MethodeDoppelt.java", 0, "methode-doppelt", {"MethodeDoppelt", "gruss()"}},
        {"Hallo.java", 0, "dateiname", {"Hallo.java", "Welt", "Hallo", "Welt.java"}},
        {"Unerreichbar.java", 0, "unerreichbar", {}},
        {"Else.java", 0, "else-ohne-if", {}},
        {"Operator.java", 0, "operator-typen", {">", "String", "int"}},
        {"Privat.java", 0, "privat", {"stand", "Konto"}},
        {"Gross.java", 0, "zahl-zu-gross", {"3000000000"}},
        {"Rumpf.java", 0, "methodenrumpf-fehlt", {"gruss"}},
        {"Kommentar.java", 0, "kommentar-nicht-geschlossen", {}},
        // javac names no source line here; the file's name still fills in.
        {"Kommentar.java", 1, "dateiende", {"Kommentar.java"}},
        {"Char.java", 0, "einfacher-typ-punkt", {"char"}},
        {"Feld.java", 0, "array-erwartet", {"zahl", "int"}},
        {"VoidHier.java", 0, "void-hier", {}},
        {"DotClass.java", 0, "datentyp-im-aufruf", {"int"}},
        {"DotClass.java", 1, "semikolon", {"zahl"}},
        {"Ausnahme.java", 0, "ausnahme", {"InterruptedException", "throws InterruptedException"}},
        {"Zeichen.java", 0, "zeichen-unzulaessig", {"„", "\\u201e"}},
        {"Zeichen.java", 1, "zeichen-unzulaessig", {"“", "\\u201c"}},
    };
    return expectations;
}

// A sample whose messages no entry explains.
const QString Unexplained = QStringLiteral("OhneErklaerung.java");

QStringList CodeParts(const TExplanation& explanation) {
    QStringList code;
    for (const erklaerung::TTextPart& part : explanation.Text) {
        if (part.Code)
            code.append(part.Text);
    }
    return code;
}

} // namespace

Q_DECLARE_METATYPE(TExpectation)

class TestExplanations : public QObject {
    Q_OBJECT

    QTemporaryDir temporary;
    QString samples;
    // Per run, per sample file name: javac's output and its messages.
    QHash<QString, QHash<QString, QString>> written;
    QHash<QString, QHash<QString, QList<TJavacMessage>>> messages;

    static void RunRows() {
        QTest::addColumn<TJavacRun>("run");
        for (const TJavacRun& run : JavacRuns())
            QTest::newRow(qPrintable(run.Name())) << run;
    }

private slots:
    void initTestCase() {
        QVERIFY(temporary.isValid());
        samples = temporary.filePath(QStringLiteral("samples"));
        QVERIFY(QDir().mkpath(samples));
        QStringList files;
        const QDir source(QStringLiteral(KW_TEST_DATA_DIR "/samples"));
        for (const QString& name : source.entryList({QStringLiteral("*.java")}, QDir::Files)) {
            files.append(QDir(samples).filePath(name));
            QVERIFY(QFile::copy(source.filePath(name), files.last()));
        }
        for (const TJavacRun& run : JavacRuns()) {
            const QHash<QString, QString> output =
                CompileEach(run, files, temporary.filePath(QStringLiteral("classes")));
            for (auto it = output.cbegin(); it != output.cend(); ++it) {
                const QString name = QFileInfo(it.key()).fileName();
                written[run.Name()][name] = it.value();
                messages[run.Name()][name] = SplitJavacOutput(it.value());
            }
        }
    }

    void the_data_file_loads_without_a_fault() {
        const QByteArray data = erklaerung::BuiltInData();
        QVERIFY(!data.isEmpty());
        const erklaerung::TLoadedTable loaded = erklaerung::LoadExplanationTable(data);
        QVERIFY2(loaded.Errors.isEmpty(), qPrintable(loaded.Errors.join(QLatin1Char('\n'))));
        // Every entry is there, with a text and javac's words in both languages.
        const QJsonArray entries =
            QJsonDocument::fromJson(data).object().value(QStringLiteral("entries")).toArray();
        QCOMPARE(erklaerung::BuiltInTable().Entries().size(), entries.size());
        for (const erklaerung::TExplanationEntry& entry : erklaerung::BuiltInTable().Entries()) {
            QVERIFY2(!entry.Text.isEmpty(), qPrintable(entry.Id));
            QVERIFY2(!entry.English.Message.isEmpty(), qPrintable(entry.Id));
            QVERIFY2(!entry.German.Message.isEmpty(), qPrintable(entry.Id));
        }
    }

    void each_compiler_speaks_the_language_asked_for_data() { RunRows(); }
    void each_compiler_speaks_the_language_asked_for() {
        QFETCH(TJavacRun, run);
        const QString kind = run.Language == QStringLiteral("de") ? QStringLiteral("Fehler")
                                                                  : QStringLiteral("error");
        for (auto it = written[run.Name()].cbegin(); it != written[run.Name()].cend(); ++it)
            QVERIFY2(it.value().contains(QStringLiteral(": %1: ").arg(kind)), qPrintable(it.key()));
    }

    void each_message_gets_its_explanation_with_the_learners_names_data() {
        QTest::addColumn<TJavacRun>("run");
        QTest::addColumn<TExpectation>("expected");
        for (const TJavacRun& run : JavacRuns()) {
            for (const TExpectation& expected : Expectations())
                QTest::newRow(qPrintable(QStringLiteral("%1: %2 #%3")
                                             .arg(run.Name(), expected.File)
                                             .arg(expected.Message + 1)))
                    << run << expected;
        }
    }
    void each_message_gets_its_explanation_with_the_learners_names() {
        QFETCH(TJavacRun, run);
        QFETCH(TExpectation, expected);
        const QList<TJavacMessage> found = messages[run.Name()][expected.File];
        QVERIFY2(expected.Message < found.size(), qPrintable(written[run.Name()][expected.File]));
        const TJavacMessage& message = found[expected.Message];
        const TExplanation explanation = erklaerung::Explain(message);
        QVERIFY2(explanation.Id == expected.Id,
                 qPrintable(QStringLiteral("\"%1\" got %2").arg(message.Text, explanation.Id)));
        const QStringList code = CodeParts(explanation);
        for (const QString& name : expected.Code)
            QVERIFY2(code.contains(name),
                     qPrintable(QStringLiteral("%1 not in: %2").arg(name, code.join(" | "))));
    }

    void every_message_of_the_samples_is_explained_data() { RunRows(); }
    void every_message_of_the_samples_is_explained() {
        QFETCH(TJavacRun, run);
        QStringList unexplained;
        for (auto it = messages[run.Name()].cbegin(); it != messages[run.Name()].cend(); ++it) {
            if (it.key() == Unexplained)
                continue;
            QVERIFY2(!it.value().isEmpty(), qPrintable(it.key() + " has no message"));
            for (const TJavacMessage& message : it.value()) {
                if (!erklaerung::Explain(message).IsExplained())
                    unexplained.append(it.key() + ": " + message.Text);
            }
        }
        QVERIFY2(unexplained.isEmpty(), qPrintable(unexplained.join(QLatin1Char('\n'))));
    }

    void a_message_without_explanation_shows_javacs_text_and_details_data() { RunRows(); }
    void a_message_without_explanation_shows_javacs_text_and_details() {
        QFETCH(TJavacRun, run);
        const QList<TJavacMessage> found = messages[run.Name()][Unexplained];
        QCOMPARE(found.size(), 2);
        // "unexpected type" with what javac required and found, then a bare
        // "break outside switch or loop".
        const TExplanation typed = erklaerung::Explain(found[0]);
        QVERIFY(!typed.IsExplained());
        QCOMPARE(found[0].Details.size(), 2);
        QCOMPARE(erklaerung::PlainText(typed), found[0].Text + "\n" +
                                                   found[0].Details[0].trimmed() + "\n" +
                                                   found[0].Details[1].trimmed());
        const TExplanation bare = erklaerung::Explain(found[1]);
        QVERIFY(!bare.IsExplained());
        QCOMPARE(erklaerung::PlainText(bare), found[1].Text);
    }

    // The samples go through the compiler API for speed; what the window
    // sees comes from the javac command. Both must write the same.
    void the_compiler_api_writes_what_the_javac_command_writes_data() { RunRows(); }
    void the_compiler_api_writes_what_the_javac_command_writes() {
        QFETCH(TJavacRun, run);
        for (const QString& name :
             {QStringLiteral("Operator.java"), QStringLiteral("Zeichen.java")}) {
            const QString command = JavacCommand(run, QDir(samples).filePath(name),
                                                 temporary.filePath(QStringLiteral("classes")));
            QCOMPARE(command, written[run.Name()][name]);
        }
    }
};

QTEST_GUILESS_MAIN(TestExplanations)
#include "tst_explanations.moc"
