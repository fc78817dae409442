// SPDX-License-Identifier: GPL-3.0-or-later
// A start that opens a long file asks for large pages by starting once more; the programs it
// starts afterwards see the user's environment as it was.
#include "LargePages.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <gnu/libc-version.h>

namespace {

// How often the probe started, and what it printed ("name: value"), by name.
struct TProbe {
    int Starts = 0;
    QMap<QString, QString> Said;
};

} // namespace

class TestLargePages : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString longFile;
    QString shortFile;

    TProbe Run(const QStringList& arguments, const QProcessEnvironment& environment) {
        const QString starts = dir.filePath(QStringLiteral("starts"));
        QFile::remove(starts);
        QProcessEnvironment withLog = environment;
        withLog.insert(QStringLiteral("PROBE_STARTS"), starts);
        QProcess probe;
        probe.setProcessEnvironment(withLog);
        probe.start(QStringLiteral(KW_LARGEPAGES_PROBE), arguments);
        TProbe result;
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
            return result;
        QFile log(starts);
        if (log.open(QIODevice::ReadOnly))
            result.Starts = static_cast<int>(log.readAll().count('\n'));
        for (const QString& line :
             QString::fromLocal8Bit(probe.readAllStandardOutput()).split('\n')) {
            const qsizetype colon = line.indexOf(QStringLiteral(": "));
            if (colon > 0)
                result.Said[line.left(colon)] = line.mid(colon + 2);
        }
        return result;
    }

    // Whether this machine gives large pages to programs that ask, worked out apart from
    // the code under test.
    static bool MachineGivesOnRequest() {
        QFile mode(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
        if (!mode.open(QIODevice::ReadOnly) || !mode.readAll().contains("[madvise]"))
            return false;
        const QStringList version = QString::fromLatin1(gnu_get_libc_version()).split('.');
        return version.value(0).toInt() > 2 ||
               (version.value(0).toInt() == 2 && version.value(1).toInt() >= 35);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        longFile = dir.filePath(QStringLiteral("Lang mit Leerzeichen.java"));
        shortFile = dir.filePath(QStringLiteral("Kurz.java"));
        QFile big(longFile);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(largepages::LongFile));
        QFile small(shortFile);
        QVERIFY(small.open(QIODevice::WriteOnly));
        QVERIFY(small.resize(largepages::LongFile - 1));
    }

    void the_restart_is_asked_for_only_where_it_pays_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("glibc");
        QTest::addColumn<QString>("own"); // "-": unset
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("setting");
        const qint64 big = largepages::LongFile;
        const QString madvise = QStringLiteral("always [madvise] never\n");
        const QString ask = QStringLiteral("glibc.malloc.hugetlb=1");
        QTest::newRow("long file") << madvise << "2.36"
                                   << "-" << big << ask;
        QTest::newRow("a byte too short") << madvise << "2.36"
                                          << "-" << big - 1 << "";
        QTest::newRow("no file") << madvise << "2.36"
                                 << "-" << qint64(-1) << "";
        QTest::newRow("kernel gives them anyway") << "[always] madvise never"
                                                  << "2.36"
                                                  << "-" << big << "";
        QTest::newRow("kernel never gives them") << "always madvise [never]"
                                                 << "2.36"
                                                 << "-" << big << "";
        QTest::newRow("no kernel support") << ""
                                           << "2.36"
                                           << "-" << big << "";
        QTest::newRow("first glibc that knows it") << madvise << "2.35"
                                                   << "-" << big << ask;
        QTest::newRow("glibc too old") << madvise << "2.34"
                                       << "-" << big << "";
        QTest::newRow("later major glibc") << madvise << "3.0"
                                           << "-" << big << ask;
        QTest::newRow("unreadable version") << madvise << "x"
                                            << "-" << big << "";
        QTest::newRow("user's other settings kept")
            << madvise << "2.36"
            << "glibc.malloc.check=3" << big << "glibc.malloc.check=3:" + ask;
        QTest::newRow("set but empty") << madvise << "2.36"
                                       << "" << big << ask;
        QTest::newRow("user's own choice stands") << madvise << "2.36"
                                                  << "glibc.malloc.hugetlb=0" << big << "";
    }
    void the_restart_is_asked_for_only_where_it_pays() {
        QFETCH(QString, mode);
        QFETCH(QString, glibc);
        QFETCH(QString, own);
        QFETCH(qint64, size);
        QFETCH(QString, setting);
        const QByteArray user = own.toUtf8();
        const std::string got = largepages::RestartSetting(
            mode.toStdString(), glibc.toStdString(), own == "-" ? nullptr : user.constData(), size);
        QCOMPARE(QString::fromStdString(got), setting);
    }

    void a_long_file_restarts_once_with_large_pages_and_the_environment_as_it_was_data() {
        QTest::addColumn<QString>("own"); // "-": unset
        QTest::newRow("no setting of the user's") << "-";
        QTest::newRow("a setting of the user's") << "glibc.malloc.check=3";
        QTest::newRow("an empty setting") << "";
    }
    void a_long_file_restarts_once_with_large_pages_and_the_environment_as_it_was() {
        QFETCH(QString, own);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("KODIWERK_SAVED_TUNABLES"));
        if (own == "-")
            environment.remove(QStringLiteral("GLIBC_TUNABLES"));
        else
            environment.insert(QStringLiteral("GLIBC_TUNABLES"), own);
        const TProbe probe = Run({longFile}, environment);
        const bool restarts = MachineGivesOnRequest();
        QCOMPARE(probe.Starts, restarts ? 2 : 1);
        QCOMPARE(probe.Said.value("large pages"), restarts ? "yes" : "no");
        // The arguments come through the restart as they were.
        QCOMPARE(probe.Said.value("arguments"), "2 " + longFile);
        QCOMPARE(probe.Said.value("GLIBC_TUNABLES"), own == "-" ? "(unset)" : own);
        QCOMPARE(probe.Said.value("KODIWERK_SAVED_TUNABLES"), QStringLiteral("(unset)"));
    }

    void a_short_file_or_the_users_own_choice_starts_once() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("GLIBC_TUNABLES"));
        QCOMPARE(Run({shortFile}, environment).Starts, 1);
        QCOMPARE(Run({}, environment).Starts, 1);
        environment.insert(QStringLiteral("GLIBC_TUNABLES"),
                           QStringLiteral("glibc.malloc.hugetlb=0"));
        const TProbe own = Run({longFile}, environment);
        QCOMPARE(own.Starts, 1);
        QCOMPARE(own.Said.value("large pages"), QStringLiteral("no"));
        QCOMPARE(own.Said.value("GLIBC_TUNABLES"), QStringLiteral("glibc.malloc.hugetlb=0"));
    }
};

QTEST_GUILESS_MAIN(TestLargePages)
#include "tst_largepages.moc"
