// SPDX-License-Identifier: GPL-3.0-or-later
// F8 through the real main window with the real javac: the explanation of
// the selected entry beside the list, the places of the errors marked in the
// editor, and how the marks follow the user's edits.
#include "CompileRig.h"

#include <QTextBrowser>

class TestErrorMarks : public CompileRig {
    Q_OBJECT

    QTextBrowser* Pane() const { return Control<QTextBrowser>(QStringLiteral("Erklaerung")); }
    TColorMemo* Memo() const { return form->CurrentMemo(); }
    // The lines (from 0) of the current editor's marks, in order.
    QList<int> MarkedLines() const {
        QList<int> lines;
        for (const TMark& mark : Memo()->Marks())
            lines << Memo()->LineFromChar(mark.Index);
        return lines;
    }

    // Two errors: a misspelt variable in line 4, a string for an int in line 5.
    const QStringList TwoErrors{"public class Rechnen {",
                                "  public static void main(String[] args) {",
                                "    int zahl = 3;",
                                "    System.out.println(zahll);",
                                "    int summe = \"vier\";",
                                "  }",
                                "}"};

private slots:
    void init() { SetUpCompile(); }
    void cleanup() { TearDown(); }

    void the_explanation_names_the_misspelt_variable_and_follows_the_selection() {
        OpenSource(QStringLiteral("Rechnen.java"), TwoErrors);
        Command("Compiler1");
        QCOMPARE(Entries().size(), 2);
        QVERIFY(Pane()->isVisible());
        QCOMPARE(Pane()->accessibleName(), QStringLiteral("Erklärung"));
        // The first error is selected by the jump; its explanation shows without hovering.
        const QString first = Pane()->toPlainText();
        QVERIFY2(first.contains(QStringLiteral("zahll")), qPrintable(first));
        QVERIFY2(first.contains(QStringLiteral("zahl")), qPrintable(first));
        // javac's own words stay in the entry.
        QVERIFY(Entries()[0].contains(QStringLiteral("cannot find symbol")));

        ClickEntry(1);
        const QString second = Pane()->toPlainText();
        QVERIFY(second != first);
        QVERIFY2(second.contains(QStringLiteral("String")) &&
                     second.contains(QStringLiteral("int")),
                 qPrintable(second));
    }

    void the_errors_are_marked_on_their_lines_and_follow_the_edits() {
        OpenSource(QStringLiteral("Rechnen.java"), TwoErrors);
        Command("Compiler1");
        QCOMPARE(MarkedLines(), (QList<int>{3, 4}));
        // The mark stands on the character javac marked, and tells its entry.
        const TMark first = Memo()->Marks()[0];
        QCOMPARE(Memo()->Text().mid(first.Index, 5), QStringLiteral("zahll"));
        QVERIFY(!first.Warning);
        QVERIFY2(first.ToolTip.startsWith(Entries()[0]), qPrintable(first.ToolTip));
        QVERIFY(Memo()->MarksToolTip(3).contains(QStringLiteral("zahll")));

        // A line typed above moves both down.
        Memo()->SetSelStart(0);
        Type(QStringLiteral("// Rechnen\r\n"));
        QCOMPARE(MarkedLines(), (QList<int>{4, 5}));
        // Editing the first marked line takes its mark away, the other stays.
        Memo()->SetSelStart(Memo()->LineIndex(4) + 4);
        Type(QStringLiteral(" "));
        QCOMPARE(MarkedLines(), QList<int>{5});

        // Mended and compiled again: no marks.
        Memo()->SetText(QStringLiteral("public class Rechnen {\r\n}\r\n"));
        Command("Compiler1");
        QVERIFY(Entries().isEmpty());
        QVERIFY(Memo()->Marks().empty());
    }

    void a_new_compile_and_closing_take_the_marks_away() {
        OpenSource(QStringLiteral("Rechnen.java"), TwoErrors);
        Command("Compiler1");
        QCOMPARE(Memo()->Marks().size(), size_t(2));
        // Compiled again with the same errors: the marks are the compile's, not added up.
        Command("Compiler1");
        QCOMPARE(Memo()->Marks().size(), size_t(2));
        // A document moved down by a close keeps its marks; the closed one's go.
        const QString other = OpenSource(QStringLiteral("Anderes.java"),
                                         QStringList{"class Anderes {", "  int a = \"x\";", "}"});
        Command("Compiler1");
        QCOMPARE(Memo()->Marks().size(), size_t(1));
        ShowPage(1);
        Command("Schliessen1");
        QCOMPARE(form->SlotMemo(1)->Marks().size(), size_t(1));
        QCOMPARE(form->SlotMemo(2)->Marks().size(), size_t(0));
        Command("Schliessen1");
        QVERIFY(form->SlotMemo(1)->Marks().empty());
        Q_UNUSED(other);
    }
};

QTEST_MAIN(TestErrorMarks)
#include "tst_errormarks.moc"
