// SPDX-License-Identifier: GPL-3.0-or-later
// The copy's format: what goes in comes out byte for byte, and a copy that is
// cut short or damaged anywhere is never taken for a good one.

#include "Recovery/RecoveryCopy.h"

#include <QtTest>

using namespace recovery;

namespace {

TRecoveryCopy CopyOf(const QString& file, const datei::TSourceText& source) {
    TRecoveryCopy copy;
    copy.File = file;
    copy.Encoding = source.Encoding;
    copy.Slot = 3;
    copy.Origin.Stamp = {1234, 1'700'000'000'123'456'789};
    copy.Origin.Hash = QByteArray(32, '\x5A');
    copy.Written = QDateTime(QDate(2024, 5, 17), QTime(9, 30, 15, 250), Qt::UTC);
    copy.Text = source.Text;
    return copy;
}

// The bytes a save of the text writes: what the user's file would hold.
QByteArray Saved(const QString& text, datei::TFileEncoding encoding) {
    return datei::EncodeLines(datei::SplitLines(text), encoding);
}

} // namespace

class TestRecoveryCopy : public QObject {
    Q_OBJECT

private slots:
    void a_document_comes_back_byte_for_byte_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<datei::TFileEncoding>("encoding");
        QTest::newRow("Latin-1") << "/home/anna/Grüße.java"
                                 << QByteArray("// Gr\xFC\xDF"
                                               "e\r\nchar c = '\xE9';\r\n")
                                 << datei::TFileEncoding::Latin1;
        QTest::newRow("UTF-8 with umlauts")
            << "/home/anna/Übung.java" << QByteArray("// Größe ändern\r\nint ö = 1;\r\n")
            << datei::TFileEncoding::Utf8;
        QTest::newRow("U+2028 in a literal") << "/tmp/A.java"
                                             << QByteArray("String s = \"a\xE2\x80\xA8"
                                                           "b\xE2\x80\xA9"
                                                           "c\";\r\n")
                                             << datei::TFileEncoding::Utf8;
        QTest::newRow("UTF-8 with byte order mark") << "/tmp/B.java"
                                                    << QByteArray("\xEF\xBB\xBF"
                                                                  "class B { } // \xC2\xA0\r\n")
                                                    << datei::TFileEncoding::Utf8WithBom;
        QTest::newRow("unnamed") << "noname.java" << QByteArray("public class noname {\r\n}\r\n")
                                 << datei::TFileEncoding::Utf8;
        QTest::newRow("empty") << "noname.java" << QByteArray() << datei::TFileEncoding::Utf8;
    }
    void a_document_comes_back_byte_for_byte() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(datei::TFileEncoding, encoding);
        const datei::TSourceText source = datei::DecodeSource(bytes);
        QCOMPARE(source.Encoding, encoding);
        const TRecoveryCopy copy = CopyOf(file, source);

        const TDecodedCopy back = DecodeCopy(EncodeCopy(copy));
        QVERIFY(back.Good);
        QCOMPARE(back.Copy.File, file);
        QCOMPARE(back.Copy.Unnamed(), file == NoName);
        QCOMPARE(back.Copy.Encoding, encoding);
        QCOMPARE(back.Copy.Slot, 3);
        QCOMPARE(back.Copy.Origin, copy.Origin);
        QCOMPARE(back.Copy.Written, copy.Written);
        QCOMPARE(back.Copy.Text, source.Text);
        QCOMPARE(Saved(back.Copy.Text, back.Copy.Encoding), bytes);
    }

    void text_that_utf8_cannot_carry_comes_back_too() {
        TRecoveryCopy copy;
        copy.Written = QDateTime::currentDateTimeUtc();
        // A lone surrogate (from a paste, say) and characters toPlainText would change.
        copy.Text = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b\u00A0\u2028\r\n");
        const TDecodedCopy back = DecodeCopy(EncodeCopy(copy));
        QVERIFY(back.Good);
        QCOMPARE(back.Copy.Text.size(), copy.Text.size());
        QCOMPARE(back.Copy.Text, copy.Text);
    }

    void paths_with_line_breaks_and_percent_signs_stay_whole() {
        TRecoveryCopy copy;
        copy.File = QStringLiteral("/tmp/100% sicher/zwei\nZeilen\r.java");
        copy.Written = QDateTime::currentDateTimeUtc();
        copy.Text = QStringLiteral("x");
        const TDecodedCopy back = DecodeCopy(EncodeCopy(copy));
        QVERIFY(back.Good);
        QCOMPARE(back.Copy.File, copy.File);
    }

    void a_copy_cut_short_anywhere_is_damaged() {
        const QByteArray bytes = EncodeCopy(
            CopyOf(QStringLiteral("/tmp/A.java"), datei::DecodeSource("class A {}\r\n")));
        for (qsizetype size = 0; size < bytes.size(); ++size)
            QVERIFY2(!DecodeCopy(bytes.left(size)).Good, qPrintable(QString::number(size)));
        // Cut to zeros, as a file system might leave it after a power cut.
        QVERIFY(!DecodeCopy(QByteArray(bytes.size(), '\0')).Good);
        QVERIFY(DecodeCopy(bytes).Good);
    }

    void a_copy_changed_in_any_byte_is_damaged() {
        const QByteArray bytes = EncodeCopy(
            CopyOf(QStringLiteral("/tmp/A.java"), datei::DecodeSource("class Ä {}\r\n")));
        for (qsizetype at = 0; at < bytes.size(); ++at) {
            QByteArray damaged = bytes;
            damaged[at] = char(damaged[at] ^ 0x04);
            QVERIFY2(!DecodeCopy(damaged).Good, qPrintable(QString::number(at)));
        }
        QVERIFY(!DecodeCopy(bytes + "x").Good);
    }

    void a_damaged_copy_still_tells_its_file_when_the_header_is_whole() {
        QByteArray bytes = EncodeCopy(
            CopyOf(QStringLiteral("/home/anna/Hallo.java"), datei::DecodeSource("int i;\r\n")));
        bytes.chop(20);
        const TDecodedCopy back = DecodeCopy(bytes);
        QVERIFY(!back.Good);
        QCOMPARE(back.Copy.File, QStringLiteral("/home/anna/Hallo.java"));
        QVERIFY(DecodeCopy(QByteArray("no copy at all")).Copy.File.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestRecoveryCopy)
#include "tst_recoverycopy.moc"
