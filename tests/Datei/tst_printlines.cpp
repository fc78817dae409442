// SPDX-License-Identifier: GPL-3.0-or-later
// Printing into a text file: margin and line numbers, the file's bytes and
// encoding, and failures that close the target and reach the caller.
#include "Base/KodiwerkError.h"
#include "Datei/PrintFile.h"
#include "Datei/PrintLines.h"
#include "FileBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using datei::TFileEncoding;
using datei::TPrintOptions;

namespace {

TPrintOptions Options(const QString& marginField, bool numbers) {
    return {datei::PrintMargin(marginField), [numbers] { return numbers; }};
}

// Records what a print sends, and fails on request.
class RecordingChannel : public datei::TTextChannel {
public:
    QStringList Written;
    int Closes = 0;
    int FailOnWrite = -1; // index of the Write call that throws
    bool FailOnClose = false;

    void Write(const QString& text) override {
        if (Written.size() == FailOnWrite)
            throw EKodiwerkError(QStringLiteral("E/A-Fehler 5"));
        Written.append(text);
    }
    void WriteLineEnd() override { Written.append(QStringLiteral("<end>")); }
    void Close() override {
        ++Closes;
        if (FailOnClose)
            throw EKodiwerkError(QStringLiteral("beim Schließen"));
    }
};

} // namespace

class TestPrintLines : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString Path(const QString& name) const { return dir->filePath(name); }

    // The error text a print into `path` ends with, or "" when it succeeded.
    QString PrintFailure(const QString& path, const QStringList& lines) {
        try {
            datei::PrintToFile(path, lines, TFileEncoding::Utf8, Options("0", false));
        } catch (const EKodiwerkError& error) {
            return error.Text;
        }
        return {};
    }

private slots:
    void init() { dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { dir.reset(); }

    void margin_is_the_low_byte_of_a_decimal_number_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("blanks");
        QTest::newRow("initial 5") << "5" << 5;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("largest byte") << "255" << 255;
        QTest::newRow("256 wraps to 0") << "256" << 0;
        QTest::newRow("300 gives 44") << "300" << 44;
        QTest::newRow("-1 gives 255") << "-1" << 255;
        QTest::newRow("-256 gives 0") << "-256" << 0;
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("empty field") << "" << 0;
        QTest::newRow("digits then letters") << "12abc" << 0;
        QTest::newRow("hex is no decimal") << "0x10" << 0;
        QTest::newRow("beyond 32 bits") << "99999999999" << 0;
    }
    void margin_is_the_low_byte_of_a_decimal_number() {
        QFETCH(QString, field);
        QFETCH(int, blanks);
        QCOMPARE(datei::PrintMargin(field), QString(blanks, QLatin1Char(' ')));
    }

    void line_numbers_have_at_least_four_digits() {
        QCOMPARE(datei::PrintLineNumber(1), QStringLiteral("0001"));
        QCOMPARE(datei::PrintLineNumber(42), QStringLiteral("0042"));
        QCOMPARE(datei::PrintLineNumber(9999), QStringLiteral("9999"));
        QCOMPARE(datei::PrintLineNumber(10000), QStringLiteral("10000"));
        QCOMPARE(datei::PrintLineNumber(12345), QStringLiteral("12345"));
    }

    void file_holds_number_margin_and_text_with_crlf_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("margin");
        QTest::addColumn<bool>("numbers");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("three lines, numbers, margin 2")
            << QStringList{"class A {", "\tint i;", "}"} << "2" << true
            << QByteArray("0001  class A {\r\n0002  \tint i;\r\n0003  }\r\n");
        QTest::newRow("letters as margin")
            << QStringList{"a", "b"} << "abc" << true << QByteArray("0001a\r\n0002b\r\n");
        QTest::newRow("no numbers")
            << QStringList{"x = 1;"} << "3" << false << QByteArray("   x = 1;\r\n");
        QTest::newRow("empty line keeps number and margin")
            << QStringList{"a", "", "b"} << "1" << true
            << QByteArray("0001 a\r\n0002 \r\n0003 b\r\n");
        QTest::newRow("empty document, empty file") << QStringList{} << "5" << true << QByteArray();
    }
    void file_holds_number_margin_and_text_with_crlf() {
        QFETCH(QStringList, lines);
        QFETCH(QString, margin);
        QFETCH(bool, numbers);
        QFETCH(QByteArray, bytes);
        const QString path = Path("druck.txt");
        datei::PrintToFile(path, lines, TFileEncoding::Utf8, Options(margin, numbers));
        QCOMPARE(ReadBytes(path), bytes);
    }

    void numbers_grow_to_five_digits_at_line_10000() {
        QStringList lines;
        for (int i = 1; i <= 10000; ++i)
            lines.append(QStringLiteral("z"));
        const QString path = Path("lang.txt");
        datei::PrintToFile(path, lines, TFileEncoding::Utf8, Options("1", true));
        const QList<QByteArray> printed = ReadBytes(path).split('\n');
        QCOMPARE(printed.size(), 10001); // the last break opens no line
        QCOMPARE(printed[9998], QByteArray("9999 z\r"));
        QCOMPARE(printed[9999], QByteArray("10000 z\r"));
    }

    void line_numbers_follow_the_box_line_by_line() {
        bool ticked = false;
        const TPrintOptions options{QString(), [&ticked] { return ticked = !ticked; }};
        const QString path = Path("wechsel.txt");
        datei::PrintToFile(path, {"a", "b", "c"}, TFileEncoding::Utf8, options);
        QCOMPARE(ReadBytes(path), QByteArray("0001a\r\nb\r\n0003c\r\n"));
    }

    void existing_file_is_replaced() {
        const QString path = Path("alt.txt");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(1000, 'o'));
        old.close();
        datei::PrintToFile(path, {"neu"}, TFileEncoding::Utf8, Options("0", false));
        QCOMPARE(ReadBytes(path), QByteArray("neu\r\n"));
    }

    void file_is_written_in_the_documents_encoding_data() {
        QTest::addColumn<TFileEncoding>("encoding");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("bytes");
        const QString umlauts = QString::fromUtf8("// äöüß");
        QTest::newRow("latin-1 umlauts stay single bytes")
            << TFileEncoding::Latin1 << umlauts << QByteArray("// \xE4\xF6\xFC\xDF\r\n");
        QTest::newRow("utf-8 umlauts") << TFileEncoding::Utf8 << umlauts
                                       << QByteArray("// \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\r\n");
        QTest::newRow("utf-8 with its byte order mark")
            << TFileEncoding::Utf8WithBom << QStringLiteral("a")
            << QByteArray("\xEF\xBB\xBF"
                          "a\r\n");
        QTest::newRow("latin-1 document with a euro sign is printed as utf-8")
            << TFileEncoding::Latin1 << QString::fromUtf8("ä €")
            << QByteArray("\xC3\xA4 \xE2\x82\xAC\r\n");
    }
    void file_is_written_in_the_documents_encoding() {
        QFETCH(TFileEncoding, encoding);
        QFETCH(QString, line);
        QFETCH(QByteArray, bytes);
        const QString path = Path("kodiert.txt");
        datei::PrintToFile(path, {line}, encoding, Options("0", false));
        QCOMPARE(ReadBytes(path), bytes);
    }

    void failures_name_the_cause_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("text");
        QTest::newRow("a directory refuses") << "."
                                             << "Dateizugriff verweigert";
        QTest::newRow("missing directory") << "fehlt/druck.txt"
                                           << "E/A-Fehler 2";
        QTest::newRow("full disk when completing the file") << "/dev/full"
                                                            << "E/A-Fehler 28";
    }
    void failures_name_the_cause() {
        QFETCH(QString, target);
        QFETCH(QString, text);
        const QString path = target.startsWith(QLatin1Char('/')) ? target : Path(target);
        QCOMPARE(PrintFailure(path, {"a", "b"}), text);
    }

    void target_is_closed_after_every_line_was_written() {
        RecordingChannel target;
        datei::PrintLines({"a", "b"}, Options("1", false), target);
        QCOMPARE(target.Written, (QStringList{" a", "<end>", " b", "<end>"}));
        QCOMPARE(target.Closes, 1);
    }

    void failed_write_closes_the_target_and_reports_the_write_failure() {
        RecordingChannel target;
        target.FailOnWrite = 2; // the second line
        target.FailOnClose = true;
        QString reported;
        try {
            datei::PrintLines({"a", "b", "c"}, Options("0", false), target);
        } catch (const EKodiwerkError& error) {
            reported = error.Text;
        }
        QCOMPARE(reported, QStringLiteral("E/A-Fehler 5"));
        QCOMPARE(target.Closes, 1);
        QCOMPARE(target.Written, (QStringList{"a", "<end>"}));
    }
};

QTEST_APPLESS_MAIN(TestPrintLines)
#include "tst_printlines.moc"
