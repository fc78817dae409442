// SPDX-License-Identifier: GPL-3.0-or-later
// A compile that takes long, through the real main window: Escape, the
// status bar's "Abbrechen" and closing the window end it, no launch follows,
// and what the user types or clicks meanwhile is dropped, not replayed.
#include "CompileRig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QToolButton>

class TestCompileCancel : public CompileRig {
    Q_OBJECT

    // A JDK whose javac notes its arguments in "<jdk>/calls" and then runs
    // `script` (a sleeping one stands for a compiler that hangs).
    QString StandInJdk(const QByteArray& script) const {
        return CompileRig::StandInJdk(QStringLiteral("Stand-in-JDK"),
                                      "echo \"$@\" >> \"$(dirname \"$0\")/../calls\"\n" + script);
    }
    // The compiles of `source` (the warm compiler's own build in the
    // background calls javac too).
    int Compiles(const QString& jdk, const QByteArray& source) const {
        return ReadBytes(jdk + QStringLiteral("/calls")).count(source);
    }
    QToolButton* CancelButton() const {
        return Control<QToolButton>(QStringLiteral("CancelCompile"));
    }

    // Runs `during` once the compile is under way, then F8 to its end; the
    // milliseconds F8 took.
    qint64 CompileWhile(int afterMs, const std::function<void()>& during,
                        const QString& command = QStringLiteral("Compiler1")) {
        QTimer::singleShot(afterMs, this, during);
        QElapsedTimer timer;
        timer.start();
        Command(command);
        return timer.elapsed();
    }

private slots:
    void init() { SetUpCompile(); }
    void cleanup() { TearDown(); }

    void escape_ends_a_hanging_compile_and_says_so() {
        inis.JdkDir = StandInJdk("exec sleep 120\n");
        OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        const qint64 took =
            CompileWhile(400, [this] { QTest::keyClick(form->CurrentMemo(), Qt::Key_Escape); });
        QVERIFY2(took < 20000, qPrintable(QString::number(took)));
        QCOMPARE(Status(2), QStringLiteral("Abgebrochen"));
        QCOMPARE(Entries(), QStringList{QStringLiteral("javac wurde abgebrochen.")});
        // A cancel is the user's own doing: no error box.
        QCOMPARE(prompts.Calls.size(), 0);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void the_cancel_button_shows_after_a_second_and_ends_the_compile_without_a_launch() {
        inis.JdkDir = StandInJdk("exec sleep 120\n");
        const QString path =
            OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        QVERIFY(!CancelButton()->isVisible());
        bool shownEarly = true;
        QTimer::singleShot(200, this,
                           [&] { shownEarly = CancelButton()->isVisibleTo(form.get()); });
        const qint64 took = CompileWhile(
            2000,
            [this] {
                QVERIFY(CancelButton()->isVisibleTo(form.get()));
                QCOMPARE(CancelButton()->accessibleName(), QStringLiteral("Compilieren abbrechen"));
                QTest::mouseClick(CancelButton(), Qt::LeftButton);
            },
            QStringLiteral("Runner1"));
        QVERIFY(!shownEarly);
        QVERIFY2(took < 20000, qPrintable(QString::number(took)));
        QCOMPARE(Status(2), QStringLiteral("Abgebrochen"));
        QVERIFY(!CancelButton()->isVisibleTo(form.get()));
        // No launch: no script beside the source.
        QVERIFY(!QFileInfo::exists(QFileInfo(path).dir().filePath(QStringLiteral("Hallo.sh"))));
    }

    void keys_and_clicks_during_a_compile_are_dropped_not_replayed() {
        inis.JdkDir = StandInJdk("sleep 2\nexit 0\n");
        OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        TColorMemo* memo = form->CurrentMemo();
        const QString before = memo->Text();
        CompileWhile(400, [this, memo] {
            QTest::keyClicks(memo, QStringLiteral("abc"));
            QTest::keyClick(memo, Qt::Key_F8);
            QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);
            QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCoreApplication::processEvents();
        QTest::qWait(100);
        QCOMPARE(memo->Text(), before);
        QCOMPARE(Compiles(inis.JdkDir, "Hallo.java"), 1);
        QCOMPARE(Status(2), QStringLiteral("Fertig"));
        // Once the compile is over, typing works again.
        QTest::keyClicks(memo, QStringLiteral("x"));
        QCOMPARE(memo->Text(), QStringLiteral("x") + before);
    }

    void closing_the_window_during_a_compile_cancels_it_then_asks_about_unsaved_work() {
        inis.JdkDir = StandInJdk("exec sleep 120\n");
        const QString other =
            OpenSource(QStringLiteral("Anderes.java"), QByteArray("class Anderes {}\r\n"));
        Type(QStringLiteral("// ungesichert\r\n"));
        OpenSource(QStringLiteral("Hallo.java"), QByteArray("class Hallo {}\r\n"));
        form->show();
        Answer({TPrompts::Answer::No});
        const qint64 took = CompileWhile(400, [this] { form->close(); });
        QVERIFY2(took < 20000, qPrintable(QString::number(took)));
        QCOMPARE(Status(2), QStringLiteral("Abgebrochen"));
        QTRY_VERIFY(!form->isVisible());
        QCOMPARE(prompts.CallsOf(QStringLiteral("ask")).size(), 1);
        QVERIFY(prompts.CallsOf(QStringLiteral("ask"))[0].Text.contains(QStringLiteral("Anderes")));
        QCOMPARE(ReadBytes(other), QByteArray("class Anderes {}\r\n"));
    }
};

QTEST_MAIN(TestCompileCancel)
#include "tst_compilecancel.moc"
