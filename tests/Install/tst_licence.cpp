// SPDX-License-Identifier: GPL-3.0-or-later
// Every source file names its licence in its first line: the tree is checked
// with scripts/add-spdx --check, and the script itself is tried on a scratch
// tree holding each kind of file it knows.
#include "InstallRig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Script = QStringLiteral(KW_SOURCE_DIR "/scripts/add-spdx");

struct TCase {
    QString Path;
    QByteArray Before;
    QByteArray After; // equal to Before where the script must leave the file alone
};

QList<TCase> ScratchTree() {
    const QByteArray line = "SPDX-License-Identifier: GPL-3.0-or-later";
    return {
        {QStringLiteral("src/Thing.cpp"), "// Does a thing.\nint a;\n",
         "// " + line + "\n// Does a thing.\nint a;\n"},
        {QStringLiteral("src/Thing.h"), "#pragma once\n", "// " + line + "\n#pragma once\n"},
        {QStringLiteral("CMakeLists.txt"), "project(x)\n", "# " + line + "\nproject(x)\n"},
        {QStringLiteral("run.sh"), "#!/bin/sh\necho hallo\n",
         "#!/bin/sh\n# " + line + "\necho hallo\n"},
        {QStringLiteral("ci/run"), "#!/bin/sh\nexit 0\n", "#!/bin/sh\n# " + line + "\nexit 0\n"},
        {QStringLiteral("resources/help/hilfe.html"), "<!DOCTYPE html>\n<html lang=\"de\">\n",
         "<!DOCTYPE html>\n<!-- " + line + " -->\n<html lang=\"de\">\n"},
        {QStringLiteral("resources/viewer/Viewer.java"), "class Viewer {}\n",
         "// " + line + "\nclass Viewer {}\n"},
        {QStringLiteral("packaging/tool.1.in"), ".TH TOOL 1\n", ".\\\" " + line + "\n.TH TOOL 1\n"},
        {QStringLiteral("src/Done.cpp"), "// " + line + "\nint b;\n", "// " + line + "\nint b;\n"},
        {QStringLiteral("tests/Editor/data/Sample.java"), "class Sample {}\n", "class Sample {}\n"},
        {QStringLiteral("build/generated.cpp"), "int c;\n", "int c;\n"},
        {QStringLiteral("packaging/changelog"), "tool (1.0) unstable\n", "tool (1.0) unstable\n"},
        {QStringLiteral("notes.txt"), "Notizen\n", "Notizen\n"},
    };
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestLicence : public QObject {
    Q_OBJECT

private slots:
    void every_source_file_begins_with_its_licence_line() {
        const TRun check =
            Run(Tool("sh"), {Script, QStringLiteral("--check"), QStringLiteral(KW_SOURCE_DIR)});
        if (check.Code != 0)
            qInfo().noquote() << check.Output; // the whole list, which a failure message cuts
        QCOMPARE(check.Code, 0);
    }

    void the_script_adds_the_line_once_where_each_kind_of_file_needs_it() {
        QTemporaryDir tree;
        QVERIFY(tree.isValid());
        const QDir root(tree.path());
        for (const TCase& file : ScratchTree()) {
            QVERIFY(root.mkpath(QFileInfo(file.Path).path()));
            QFile out(root.filePath(file.Path));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file.Before);
        }
        QFile script(root.filePath(QStringLiteral("run.sh")));
        QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));

        QStringList lacking;
        for (const TCase& file : ScratchTree())
            if (file.Before != file.After)
                lacking << QStringLiteral("  ") + file.Path;
        const TRun before = Run(Tool("sh"), {Script, QStringLiteral("--check"), tree.path()});
        QCOMPARE(before.Code, 1);
        QStringList listed = before.Output.split('\n').filter(QRegularExpression("^  "));
        listed.sort();
        lacking.sort();
        QCOMPARE(listed, lacking);
        for (const TCase& file : ScratchTree())
            QCOMPARE(Bytes(root.filePath(file.Path)), file.Before); // a check changes nothing

        const TRun add = Run(Tool("sh"), {Script, tree.path()});
        QVERIFY2(add.Code == 0, qPrintable(add.Output));
        for (const TCase& file : ScratchTree())
            QVERIFY2(Bytes(root.filePath(file.Path)) == file.After, qPrintable(file.Path));
        QVERIFY(script.permissions() & QFileDevice::ExeOwner);

        const TRun again = Run(Tool("sh"), {Script, tree.path()});
        QVERIFY2(again.Code == 0 && again.Output.isEmpty(), qPrintable(again.Output));
        for (const TCase& file : ScratchTree())
            QVERIFY2(Bytes(root.filePath(file.Path)) == file.After, qPrintable(file.Path));
        const TRun after = Run(Tool("sh"), {Script, QStringLiteral("--check"), tree.path()});
        QVERIFY2(after.Code == 0, qPrintable(after.Output));
    }
};

QTEST_GUILESS_MAIN(TestLicence)
#include "tst_licence.moc"
