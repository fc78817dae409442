// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the Java installations of a machine: a fake machine in a temporary
// directory, with installations reached through roots, links, the Java home
// and the compiler on the search path.
#include "DirList/JdkFinder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestJdkFinder : public QObject {
    Q_OBJECT

    QTemporaryDir machine;

    // An installation: bin/java always, bin/javac for a JDK, a release file
    // when `version` is given.
    QString Install(const QString& relative, bool compiler, const QString& version = {}) {
        const QString path = machine.filePath(relative);
        QDir().mkpath(path + QStringLiteral("/bin"));
        QStringList programs{QStringLiteral("java")};
        if (compiler)
            programs << QStringLiteral("javac");
        for (const QString& program : programs) {
            QFile file(path + QStringLiteral("/bin/") + program);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write a fake program");
        }
        if (!version.isEmpty()) {
            QFile release(path + QStringLiteral("/release"));
            if (!release.open(QIODevice::WriteOnly))
                qFatal("cannot write a release file");
            release.write("IMPLEMENTOR=\"Irgendwer\"\nJAVA_VERSION=\"" + version.toUtf8() +
                          "\"\nJAVA_VERSION_DATE=\"2024-01-16\"\n");
        }
        return QDir(path).canonicalPath();
    }

    static QStringList Dirs(const QList<dirlist::TFoundJdk>& found) {
        QStringList dirs;
        for (const dirlist::TFoundJdk& jdk : found)
            dirs << jdk.Dir;
        return dirs;
    }

private slots:
    void installations_are_found_once_each_newest_first() {
        const QString jdk11 = Install(QStringLiteral("jvm/jdk-11"), true, QStringLiteral("11.0.2"));
        const QString jre21 =
            Install(QStringLiteral("jvm/jre-21"), false, QStringLiteral("21.0.1"));
        const QString jdk9 = Install(QStringLiteral("jvm/jdk-9"), true, QStringLiteral("9"));
        const QString jdk7 = Install(QStringLiteral("jvm/jdk-7"), true, QStringLiteral("7"));
        QDir().mkpath(machine.filePath(QStringLiteral("jvm/kein-java/bin")));
        QFile::link(jdk11, machine.filePath(QStringLiteral("jvm/default-java")));
        const QString old = Install(QStringLiteral("alt/jdk1.8.0_202"), true);
        const QString jdk17 = Install(QStringLiteral("opt/jdk-17"), true, QStringLiteral("17.0.9"));
        QDir().mkpath(machine.filePath(QStringLiteral("usr/bin")));
        QFile::link(jdk17 + QStringLiteral("/bin/javac"),
                    machine.filePath(QStringLiteral("usr/bin/javac")));

        dirlist::TJdkSearch search;
        search.Roots = {machine.filePath(QStringLiteral("jvm")),
                        machine.filePath(QStringLiteral("gibt-es-nicht"))};
        search.JavaHome = machine.filePath(QStringLiteral("alt/jdk1.8.0_202/"));
        search.JavacOnPath = machine.filePath(QStringLiteral("usr/bin/javac"));
        const QList<dirlist::TFoundJdk> found = dirlist::FindJdks(search);

        // 9 sorts below 11 and 1.8 counts as 8: versions compare as numbers.
        QCOMPARE(Dirs(found), QStringList({jre21, jdk17, jdk11, jdk9, old, jdk7}));
        QCOMPARE(found[0].HasCompiler, false);
        QCOMPARE(found[1].HasCompiler, true);
        QCOMPARE(found[1].Version, QStringLiteral("17.0.9"));
        QCOMPARE(found[4].Version, QString()); // no release file
        QCOMPARE(found[4].HasCompiler, true);
    }

    void the_compiler_lies_in_bin_below_the_directory() {
        const QString jdk = Install(QStringLiteral("c/jdk"), true);
        QVERIFY(dirlist::HoldsCompiler(jdk));
        QVERIFY(dirlist::HoldsCompiler(jdk + QStringLiteral("/")));
        QVERIFY(!dirlist::HoldsCompiler(jdk + QStringLiteral("/bin")));
        QVERIFY(!dirlist::HoldsCompiler(Install(QStringLiteral("c/jre"), false)));
        // A directory named like the compiler is no compiler.
        QDir().mkpath(machine.filePath(QStringLiteral("c/fake/bin/javac")));
        QVERIFY(!dirlist::HoldsCompiler(machine.filePath(QStringLiteral("c/fake"))));
#ifndef Q_OS_WIN
        QCOMPARE(dirlist::CompilerPath(QStringLiteral("/")), QStringLiteral("/bin/javac"));
#endif
    }

    void a_start_takes_the_newest_installation_that_holds_the_compiler() {
        const QString jre25 = Install(QStringLiteral("n/jre-25"), false, QStringLiteral("25"));
        const QString jdk21 = Install(QStringLiteral("n/jdk-21"), true, QStringLiteral("21.0.2"));
        Install(QStringLiteral("n/jdk-17"), true, QStringLiteral("17.0.9"));
        dirlist::TJdkSearch search;
        search.Roots = {machine.filePath(QStringLiteral("n"))};
        const std::optional<dirlist::TFoundJdk> taken =
            dirlist::NewestCompilerJdk(dirlist::FindJdks(search));
        QVERIFY(taken);
        QCOMPARE(taken->Dir, jdk21);
        QCOMPARE(dirlist::JdkDirSetting(*taken), QDir::toNativeSeparators(jdk21));
        QCOMPARE(dirlist::JdkTakenText(*taken),
                 "JDK gefunden: " + QDir::toNativeSeparators(jdk21) + " (Version 21.0.2)");
        dirlist::TFoundJdk unknown = *taken;
        unknown.Version.clear();
        QCOMPARE(dirlist::JdkTakenText(unknown),
                 "JDK gefunden: " + QDir::toNativeSeparators(jdk21));

        search.Roots.clear();
        search.JavaHome = jre25; // only an installation without the compiler
        QVERIFY(dirlist::FindJdks(search).size() == 1);
        QVERIFY(!dirlist::NewestCompilerJdk(dirlist::FindJdks(search)));
        QVERIFY(!dirlist::NewestCompilerJdk({}));
    }

    void the_check_without_a_jdk_says_where_to_set_it_and_how_to_get_one() {
        const QStringList lines = dirlist::JdkNotSetText().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("Das JDK-Verzeichnis ist noch nicht eingestellt "
                                          "(siehe Menü->Bearbeiten->Optionen)."));
        QVERIFY(lines[1].contains(QStringLiteral("sudo apt install default-jdk")));
    }
};

QTEST_APPLESS_MAIN(TestJdkFinder)
#include "tst_jdkfinder.moc"
