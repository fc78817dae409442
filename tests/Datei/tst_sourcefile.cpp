// SPDX-License-Identifier: GPL-3.0-or-later
// Source files on disk: line splitting, the UTF-8/Latin-1 decision, writing
// back in the encoding read, binary content, and failures to read or write.
#include "Datei/DocumentNames.h"
#include "Datei/SourceFile.h"
#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using datei::TFileEncoding;

Q_DECLARE_METATYPE(datei::TFileEncoding)

namespace {

// Every byte from 0x80 on, which no UTF-8 text can hold in this order.
QByteArray HighBytes() {
    QByteArray bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes.append(char(b));
    return bytes;
}

} // namespace

class TestSourceFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString Path(const QString& name) const { return dir->filePath(name); }
    QStringList Entries() const {
        return QDir(dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private slots:
    void init() { dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { dir.reset(); }

    void splitting_ends_lines_at_crlf_lone_cr_and_lone_lf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one line, no break") << "a" << QStringList{"a"};
        QTest::newRow("final break opens no line") << "a\r\n" << QStringList{"a"};
        QTest::newRow("empty last line counts before a break") << "a\r\n\r\n"
                                                               << QStringList{"a", ""};
        QTest::newRow("only a break") << "\r\n" << QStringList{""};
        QTest::newRow("mixed breaks") << "a\nb\rc\r\nd" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList{"a", "", "b"};
        QTest::newRow("tabs and blanks kept") << "\t x \r\n" << QStringList{"\t x "};
    }
    void splitting_ends_lines_at_crlf_lone_cr_and_lone_lf() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(datei::SplitLines(text), lines);
    }

    void decoding_picks_utf8_only_for_valid_utf8_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TFileEncoding>("encoding");
        QTest::newRow("ascii") << QByteArray("int i;\r\n") << "int i;\r\n" << TFileEncoding::Utf8;
        QTest::newRow("utf-8 umlauts") << QByteArray("// \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F")
                                       << QString::fromUtf8("// äöüß") << TFileEncoding::Utf8;
        QTest::newRow("latin-1 umlauts") << QByteArray("// \xE4\xF6\xFC\xDF")
                                         << QString::fromUtf8("// äöüß") << TFileEncoding::Latin1;
        QTest::newRow("valid utf-8 then one stray byte")
            << QByteArray("\xC3\xA4 \xE4") << QString::fromUtf8("Ã¤ ä") << TFileEncoding::Latin1;
        QTest::newRow("overlong encoding")
            << QByteArray("\xC0\xAF") << QString::fromLatin1("\xC0\xAF") << TFileEncoding::Latin1;
        QTest::newRow("encoded surrogate")
            << QByteArray("\xED\xA0\x80") << QString::fromLatin1("\xED\xA0\x80")
            << TFileEncoding::Latin1;
        QTest::newRow("byte order mark is kept aside")
            << QByteArray("\xEF\xBB\xBFint i;") << "int i;" << TFileEncoding::Utf8WithBom;
        QTest::newRow("line breaks become CR LF") << QByteArray("a\nb\rc\r\n") << "a\r\nb\r\nc\r\n"
                                                  << TFileEncoding::Utf8;
    }
    void decoding_picks_utf8_only_for_valid_utf8() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(TFileEncoding, encoding);
        const datei::TSourceText source = datei::DecodeSource(bytes);
        QCOMPARE(source.Text, text);
        QCOMPARE(source.Encoding, encoding);
    }

    void decoding_breaks_lines_as_splitting_and_joining_would() {
        // every text of up to six characters from a, CR and LF
        const char alphabet[] = {'a', '\r', '\n'};
        for (int length = 0; length <= 6; ++length) {
            int combinations = 1;
            for (int i = 0; i < length; ++i)
                combinations *= 3;
            for (int k = 0; k < combinations; ++k) {
                QByteArray bytes;
                for (int i = 0, rest = k; i < length; ++i, rest /= 3)
                    bytes += alphabet[rest % 3];
                const QString text = QString::fromLatin1(bytes);
                QString joined = datei::SplitLines(text).join(QStringLiteral("\r\n"));
                if (text.endsWith(QLatin1Char('\r')) || text.endsWith(QLatin1Char('\n')))
                    joined += QStringLiteral("\r\n");
                QVERIFY2(datei::DecodeSource(bytes).Text == joined, bytes.toPercentEncoding());
            }
        }
    }

    void encoding_ends_every_line_with_crlf_in_the_encoding_read_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<TFileEncoding>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no lines") << QStringList() << TFileEncoding::Utf8 << QByteArray();
        QTest::newRow("utf-8") << QStringList{QString::fromUtf8("ä"), ""} << TFileEncoding::Utf8
                               << QByteArray("\xC3\xA4\r\n\r\n");
        QTest::newRow("utf-8 with mark")
            << QStringList{"x"} << TFileEncoding::Utf8WithBom << QByteArray("\xEF\xBB\xBFx\r\n");
        QTest::newRow("latin-1") << QStringList{QString::fromUtf8("ä\tß")} << TFileEncoding::Latin1
                                 << QByteArray("\xE4\t\xDF\r\n");
    }
    void encoding_ends_every_line_with_crlf_in_the_encoding_read() {
        QFETCH(QStringList, lines);
        QFETCH(TFileEncoding, encoding);
        QFETCH(QByteArray, bytes);
        TFileEncoding used = encoding;
        QCOMPARE(datei::EncodeLines(lines, used), bytes);
        QCOMPARE(used, encoding);
    }

    void a_latin1_text_with_a_character_beyond_latin1_is_written_as_utf8() {
        TFileEncoding encoding = TFileEncoding::Latin1;
        const QByteArray bytes = datei::EncodeLines({QString::fromUtf8("ä 5 €")}, encoding);
        QCOMPARE(encoding, TFileEncoding::Utf8);
        QCOMPARE(QString::fromUtf8(bytes), QString::fromUtf8("ä 5 €\r\n"));
    }

    void reading_and_writing_back_changes_only_line_ends_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("written");
        const QByteArray high = HighBytes();
        QTest::newRow("every high byte") << high + "\r\n" << high + "\r\n";
        QTest::newRow("latin-1 with LF")
            << QByteArray("\xE4\n\xF6\n") << QByteArray("\xE4\r\n\xF6\r\n");
        QTest::newRow("utf-8 umlauts") << QByteArray("// Gr\xC3\xBC\xC3\x9F"
                                                     "e\r\n")
                                       << QByteArray("// Gr\xC3\xBC\xC3\x9F"
                                                     "e\r\n");
        QTest::newRow("mark kept") << QByteArray("\xEF\xBB\xBF"
                                                 "a\r\n")
                                   << QByteArray("\xEF\xBB\xBF"
                                                 "a\r\n");
        QTest::newRow("LF only") << QByteArray("a\n\nb\n") << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << QByteArray("a\r\nb\r\n");
        QTest::newRow("no final break") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
    }
    void reading_and_writing_back_changes_only_line_ends() {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, written);
        const QString path = Path(QStringLiteral("RoundTrip.java"));
        WriteBytes(path, original);
        const datei::TSourceFile file = datei::LoadSourceFile(path);
        QCOMPARE(file.Status, datei::TReadStatus::Read);
        const datei::TSaveResult saved =
            datei::SaveSourceFile(path, datei::SplitLines(file.Source.Text), file.Source.Encoding);
        QVERIFY(saved.Written);
        QCOMPARE(saved.Encoding, file.Source.Encoding);
        QCOMPARE(ReadBytes(path), written);
    }

    void binary_content_is_told_from_text_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("binary");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("tabs, line ends, form feed")
            << QByteArray("class A {\r\n\tint i;\f\n}\r") << false;
        QTest::newRow("umlauts") << QByteArray("\xE4\xF6\xFC \xC3\xA4") << false;
        QTest::newRow("one NUL at the end") << QByteArray("class A {}\0", 11) << true;
        QTest::newRow("an escape in a literal")
            << QByteArray("String red = \"\x1B[31m\";") << false;
        QTest::newRow("one byte in ten a control") << QByteArray("\x01"
                                                                 "abcdefghi")
                                                   << false;
        QTest::newRow("two bytes in ten controls") << QByteArray("\x01\x7F"
                                                                 "abcdefgh")
                                                   << true;
        QTest::newRow("class file") << QByteArray("\xCA\xFE\xBA\xBE\0\0\0\x3D", 8) << true;
    }
    void binary_content_is_told_from_text() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, binary);
        QCOMPARE(datei::LooksBinary(bytes), binary);
    }

    void loading_gives_text_stamp_and_binary_hint() {
        const QString path = Path(QStringLiteral("Daten.java"));
        WriteBytes(path, QByteArray("a\0b\n", 4));
        const datei::TSourceFile file = datei::LoadSourceFile(path);
        QCOMPARE(file.Status, datei::TReadStatus::Read);
        QCOMPARE(file.Source.Text, QString::fromLatin1("a\0b\r\n", 5));
        QVERIFY(file.Binary);
        QCOMPARE(file.Stamp, datei::StampOf(path));
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Ordner.java")));
        QCOMPARE(datei::LoadSourceFile(Path(QStringLiteral("Ordner.java"))).Status,
                 datei::TReadStatus::NotRegular);
    }

    void saving_tells_when_latin1_became_utf8() {
        const QString path = Path(QStringLiteral("Hallo.java"));
        datei::TSaveResult result =
            datei::SaveSourceFile(path, {QString::fromUtf8("\u00e4")}, TFileEncoding::Latin1);
        QVERIFY(result.Written);
        QVERIFY(!result.BecameUtf8);
        QCOMPARE(ReadBytes(path), QByteArray("\xE4\r\n"));
        result = datei::SaveSourceFile(path, {QString::fromUtf8("\u00e4 \u20ac")},
                                       TFileEncoding::Latin1);
        QVERIFY(result.Written);
        QVERIFY(result.BecameUtf8);
        QCOMPARE(result.Encoding, TFileEncoding::Utf8);
        QCOMPARE(result.Backup, datei::TBackup::Kept);
        QCOMPARE(ReadBytes(path), QByteArray("\xC3\xA4 \xE2\x82\xAC\r\n"));
        QCOMPARE(ReadBytes(Path(QStringLiteral("Hallo.jav_"))), QByteArray("\xE4\r\n"));
        // Already UTF-8: nothing to tell.
        result = datei::SaveSourceFile(path, {QString::fromUtf8("\u20ac")}, TFileEncoding::Utf8);
        QVERIFY(!result.BecameUtf8);
    }

    void a_file_that_cannot_be_read_gives_nothing() {
        QCOMPARE(datei::LoadSourceFile(Path(QStringLiteral("Missing.java"))).Status,
                 datei::TReadStatus::Failed);
        QCOMPARE(datei::LoadSourceFile(Path(QStringLiteral("Missing.java"))).Source.Text,
                 QString());
    }

    void a_file_that_cannot_be_written_fails_and_leaves_no_trace_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("directory in place of the file") << "Taken.java";
        QTest::newRow("directory that does not exist") << "nowhere/Hallo.java";
    }
    void a_file_that_cannot_be_written_fails_and_leaves_no_trace() {
        QFETCH(QString, name);
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Taken.java")));
        const QStringList before = Entries();
        QVERIFY(!datei::SaveSourceFile(Path(name), {"x"}, TFileEncoding::Latin1).Written);
        QCOMPARE(Entries(), before);
    }

    void a_file_named_like_its_backup_is_saved_without_one() {
        const QString path = Path(QStringLiteral("Odd.jav_"));
        WriteBytes(path, "old");
        const datei::TSaveResult saved = datei::SaveSourceFile(path, {"new"}, TFileEncoding::Utf8);
        QVERIFY(saved.Written);
        QCOMPARE(saved.Backup, datei::TBackup::Skipped);
        QCOMPARE(ReadBytes(path), QByteArray("new\r\n"));
        QCOMPARE(Entries(), QStringList{"Odd.jav_"});
    }
};

QTEST_GUILESS_MAIN(TestSourceFile)
#include "tst_sourcefile.moc"
