// SPDX-License-Identifier: GPL-3.0-or-later
// A file opened into the editor, touched and saved again comes back byte for
// byte, except that every line then ends in CR LF.
#include "ColMemo/ColorMemo.h"
#include "Datei/SourceFile.h"
#include "FileBytes.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestRoundTrip : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    TColorMemo* memo = nullptr;
    std::unique_ptr<TColorMemo> memoOwner;
    datei::TFileEncoding encoding = datei::TFileEncoding::Utf8;

    QString Path() const { return dir->filePath(QStringLiteral("Hallo.java")); }

    // Opens the file as the document commands do.
    void Open(const QByteArray& bytes) {
        WriteBytes(Path(), bytes);
        const datei::TSourceFile file = datei::LoadSourceFile(Path());
        QCOMPARE(file.Status, datei::TReadStatus::Read);
        encoding = file.Source.Encoding;
        memo->SetText(file.Source.Text);
        QVERIFY(!memo->document()->isUndoAvailable()); // loading is no edit
        memo->SetModified(false);
    }
    void Save() {
        const datei::TSaveResult result = datei::SaveSourceFile(Path(), memo->Lines(), encoding);
        QVERIFY(result.Written);
        QVERIFY(!result.BecameUtf8);
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        memoOwner = std::make_unique<TColorMemo>();
        memo = memoOwner.get();
    }
    void cleanup() {
        memoOwner.reset();
        dir.reset();
    }

    void files_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("CR LF") << QByteArray("class A {\r\n\tint i;\r\n}\r\n")
                               << QByteArray("class A {\r\n\tint i;\r\n}\r\n");
        QTest::newRow("Latin-1") << QByteArray("// Gr\xFC\xDF"
                                               "e\r\nchar c = '\xE4';\r\n")
                                 << QByteArray("// Gr\xFC\xDF"
                                               "e\r\nchar c = '\xE4';\r\n");
        QTest::newRow("UTF-8 with byte order mark")
            << QByteArray("\xEF\xBB\xBFString s = \"\xC3\xA4\";\r\n")
            << QByteArray("\xEF\xBB\xBFString s = \"\xC3\xA4\";\r\n");
        // U+2028, U+2029, U+FDD0 and U+FDD1: compiles only while they stay in the literal.
        const QByteArray separators("String s = \"a\xE2\x80\xA8"
                                    "b\xE2\x80\xA9"
                                    "c\xEF\xB7\x90\xEF\xB7\x91\";\r\n");
        QTest::newRow("separators in a literal") << separators << separators;
        // U+FFFD around U+2028: a real replacement character stays one.
        const QByteArray replacement("\"\xEF\xBF\xBD\xE2\x80\xA8\xEF\xBF\xBD\"\r\n");
        QTest::newRow("replacement characters") << replacement << replacement;
        QTest::newRow("NUL bytes")
            << QByteArray("a\0b\r\n\0\r\n", 8) << QByteArray("a\0b\r\n\0\r\n", 8);
        QTest::newRow("no final line end") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("LF and lone CR") << QByteArray("a\nb\rc\n") << QByteArray("a\r\nb\r\nc\r\n");
    }

    void typing_and_deleting_anywhere_changes_nothing_data() { files_data(); }
    void typing_and_deleting_anywhere_changes_nothing() {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, saved);
        Open(original);
        const QString text = memo->Text();
        // A character typed and deleted at every place, also right beside the
        // characters the editor holds in a form of its own.
        for (int32_t i = 0; i <= memo->TextLength(); ++i) {
            memo->SetSelStart(i);
            QTest::keyClick(memo, Qt::Key_X);
            QTest::keyClick(memo, Qt::Key_Backspace);
        }
        QCOMPARE(memo->Text(), text);
        Save();
        QCOMPARE(ReadBytes(Path()), saved);
    }

    void cut_paste_and_undo_change_nothing_data() { files_data(); }
    void cut_paste_and_undo_change_nothing() {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, saved);
        Open(original);
        memo->selectAll();
        memo->cut();
        QCOMPARE(memo->TextLength(), 0);
        memo->paste();
        memo->SetSelStart(memo->TextLength());
        memo->paste(); // the whole text twice
        memo->undo();
        Save();
        QCOMPARE(ReadBytes(Path()), saved);
        // One undo more than there were edits, so loading is not undone either.
        for (int i = 0; i < 3; ++i)
            memo->undo();
        memo->redo();
        memo->redo();
        Save();
        QCOMPARE(ReadBytes(Path()), saved);
    }

    void a_replacement_character_put_beside_a_separator_stays_itself() {
        Open("\"\xE2\x80\xA8\"");
        memo->SetSelStart(2);
        memo->ReplaceSelection(QStringLiteral("\uFFFD"));
        // Typed right behind the separator, whose form the editor holds it in
        // must not pass on to what follows.
        QTest::keyClick(memo, Qt::Key_Left);
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QStringLiteral("\uFFFD"));
        QApplication::sendEvent(memo, &typed);
        QCOMPARE(memo->Text(), QStringLiteral("\"\u2028\uFFFD\uFFFD\""));
    }

    void a_latin1_file_that_gets_a_character_beyond_latin1_is_saved_as_utf8() {
        Open("// Gr\xFC\xDF"
             "e\r\n");
        memo->SetSelStart(memo->TextLength());
        memo->ReplaceSelection(QStringLiteral("// 5 \u20AC\r\n"));
        const datei::TSaveResult result = datei::SaveSourceFile(Path(), memo->Lines(), encoding);
        QVERIFY(result.Written);
        QVERIFY(result.BecameUtf8);
        QCOMPARE(result.Encoding, datei::TFileEncoding::Utf8);
        QCOMPARE(ReadBytes(Path()), QByteArray("// Gr\xC3\xBC\xC3\x9F"
                                               "e\r\n// 5 \xE2\x82\xAC\r\n"));
    }
};

QTEST_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
