// SPDX-License-Identifier: GPL-3.0-or-later
// Every example of the explanations is correct Java: each is compiled by
// every JDK of this machine, as an import, as a statement in a method or as
// a member of a class, and must compile cleanly at least one of these ways.
#include "Erklaerung/BuiltInExplanations.h"
#include "JavacRig.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

// The variables the statement examples may use; a statement that declares
// one of them shadows the field, which Java allows.
const QString Variables = QStringLiteral(
    "    static int zahl = 5;\n    static int summe = 0;\n    static double preis = 2.5;\n"
    "    static String name = \"Anna\";\n");

QStringList ExampleSources(const QString& code, const QString& className) {
    if (code.startsWith(QStringLiteral("import ")))
        return {code + QStringLiteral("\nclass %1 {\n}\n").arg(className)};
    return {
        QStringLiteral("class %1a {\n%2    static void beispiel() {\n        %3\n    }\n}\n")
            .arg(className, Variables, code),
        QStringLiteral("class %1b {\n    %2\n}\n").arg(className, code),
    };
}

} // namespace

Q_DECLARE_METATYPE(TJdk)

class TestExamples : public QObject {
    Q_OBJECT

    QTemporaryDir temporary;

    QString Write(const QString& directory, const QString& name, const QString& text) {
        QFile file(QDir(directory).filePath(name));
        const QByteArray bytes = text.toUtf8();
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

private slots:
    void every_example_compiles_data() {
        QTest::addColumn<TJdk>("jdk");
        for (const TJdk& jdk : InstalledJdks())
            QTest::newRow(qPrintable(QStringLiteral("JDK %1").arg(jdk.Major))) << jdk;
    }
    void every_example_compiles() {
        QFETCH(TJdk, jdk);
        const QString directory = temporary.filePath(QStringLiteral("jdk%1").arg(jdk.Major));
        QVERIFY(QDir().mkpath(directory));
        // Per entry, the files that try its example one way each.
        QHash<QString, QStringList> tries;
        QStringList files;
        int number = 0;
        for (const erklaerung::TExplanationEntry& entry : erklaerung::BuiltInTable().Entries()) {
            if (entry.ExampleCode.isEmpty())
                continue;
            const QString className = QStringLiteral("Beispiel%1").arg(++number);
            const QStringList sources = ExampleSources(entry.ExampleCode, className);
            for (qsizetype i = 0; i < sources.size(); ++i) {
                files.append(Write(directory, QStringLiteral("%1_%2.java").arg(className).arg(i),
                                   sources[i]));
                tries[entry.Id].append(files.last());
            }
        }
        QVERIFY(number >= 30);
        const QHash<QString, QString> output =
            CompileEach({jdk, QStringLiteral("en")}, files,
                        QDir(directory).filePath(QStringLiteral("classes")));
        QStringList failing;
        for (auto it = tries.cbegin(); it != tries.cend(); ++it) {
            const bool compiles =
                std::any_of(it.value().cbegin(), it.value().cend(),
                            [&](const QString& file) { return output.value(file).isEmpty(); });
            if (!compiles)
                failing.append(it.key() + QStringLiteral(":\n") + output.value(it.value().last()));
        }
        QVERIFY2(failing.isEmpty(), qPrintable(failing.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestExamples)
#include "tst_examples.moc"
