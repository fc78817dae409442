// SPDX-License-Identifier: GPL-3.0-or-later
// The number fields' rules: what counts as a number, its range, which keys
// pass, where the help-file chooser starts.
#include "Option/OptionRules.h"

#include <QtTest>

class TestOptionRules : public QObject {
    Q_OBJECT

private slots:
    void a_number_is_an_optional_sign_and_ascii_digits_within_32_bits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("leading zeros") << "007" << true << 7;
        QTest::newRow("plus sign") << "+5" << true << 5;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("one beyond the largest") << "2147483648" << false << 0;
        QTest::newRow("one beyond the smallest") << "-2147483649" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("leading blank") << " 4" << false << 0;
        QTest::newRow("trailing blank") << "4 " << false << 0;
        QTest::newRow("hex") << "0x10" << false << 0;
        QTest::newRow("letter inside") << "4a2" << false << 0;
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0664\u0662") << false << 0;
        QTest::newRow("two signs") << "--4" << false << 0;
    }
    void a_number_is_an_optional_sign_and_ascii_digits_within_32_bits() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<int32_t> parsed = option::ParseInt32(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void digits_and_what_is_not_printable_pass_the_key_filter() {
        QString passed;
        // DEL is what the Delete key types on X11; U+0085 and U+009F are control characters too.
        const QString keys =
            QString::fromUtf8("09\b\x16\t\r\x7f\u0085\u009f-+ a.ä\u0663\u00b2\u00a0€");
        for (QChar key : keys)
            if (option::PassesNumberKey(key))
                passed += key;
        QCOMPARE(passed, QString::fromUtf8("09\b\x16\t\r\x7f\u0085\u009f"));
        // A character beyond the basic plane is printable in both its halves.
        for (QChar half : QString::fromUtf8("😀"))
            QVERIFY(!option::PassesNumberKey(half));
    }

    void a_number_field_takes_a_number_within_its_range_only_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value"); // -1: refused
        QTest::addColumn<QString>("error");
        const QString range = QStringLiteral("Für „Breite“ sind nur Zahlen von 1 bis 16 erlaubt.");
        QTest::newRow("lowest") << "1" << 1 << "";
        QTest::newRow("highest with a plus") << "+16" << 16 << "";
        QTest::newRow("leading zeros") << "0016" << 16 << "";
        QTest::newRow("zero") << "0" << -1 << range;
        QTest::newRow("one too many") << "17" << -1 << range;
        QTest::newRow("negative") << "-3" << -1 << range;
        QTest::newRow("beyond 32 bits") << "2147483648" << -1 << range;
        QTest::newRow("beyond 64 bits") << "123456789012345678901234" << -1 << range;
        QTest::newRow("empty") << "" << -1 << "'' ist kein gültiger Integerwert";
        QTest::newRow("letters") << "1O" << -1 << "'1O' ist kein gültiger Integerwert";
        QTest::newRow("blank") << " 7" << -1 << "' 7' ist kein gültiger Integerwert";
    }
    void a_number_field_takes_a_number_within_its_range_only() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(QString, error);
        const option::TFieldNumber number =
            option::ReadNumberField(text, QStringLiteral("Breite"), 1, 16);
        QCOMPARE(number.Value.has_value(), value >= 0);
        if (number.Value)
            QCOMPARE(*number.Value, value);
        QCOMPARE(number.Error, error);
    }

    void directory_part_keeps_everything_up_to_the_last_separator_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("directory");
        QTest::newRow("file in a directory") << "/doc/hilfe.html"
                                             << "/doc/";
        QTest::newRow("directory with separator") << "/doc/"
                                                  << "/doc/";
        QTest::newRow("root") << "/hilfe.html"
                              << "/";
        QTest::newRow("no separator") << "hilfe.html"
                                      << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void directory_part_keeps_everything_up_to_the_last_separator() {
        QFETCH(QString, path);
        QFETCH(QString, directory);
        QCOMPARE(option::DirectoryPart(path), directory);
    }
};

QTEST_APPLESS_MAIN(TestOptionRules)
#include "tst_optionrules.moc"
