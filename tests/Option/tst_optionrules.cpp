// The number fields' rules: what counts as a number, which keys pass, where
// the help-file chooser starts.
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

    void digits_and_control_characters_pass_the_key_filter() {
        QString passed;
        const QString keys = QString::fromUtf8("09\b\x16\t\r-+ a.ä\u0663\u00b2");
        for (QChar key : keys)
            if (option::PassesNumberKey(key))
                passed += key;
        QCOMPARE(passed, QStringLiteral("09\b\x16\t\r"));
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
