// SPDX-License-Identifier: GPL-3.0-or-later
// Find and replace through the real main window: the modeless dialogs are
// opened by their commands, filled and clicked like a user would.
#include "ColMemo/ColorMemo.h"
#include "Main/FindDialog.h"
#include "Main/MainForm.h"
#include "Main/ReplaceDialog.h"
#include "MainWindowRig.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QtTest>

class TestEditFind : public MainWindowRig {
    Q_OBJECT

    QDialog* OpenDialog(const char* action, const char* dialog) {
        Action(QString::fromLatin1(action))->trigger();
        return form->findChild<QDialog*>(QString::fromLatin1(dialog));
    }
    // Fills the fields of an open dialog and clicks one of its buttons.
    void Press(QDialog* dialog, const char* button, const QString& what,
               const QString& with = QString()) {
        dialog->findChild<QLineEdit*>(QStringLiteral("E_SuchenNach"))->setText(what);
        if (auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("E_ErsetzenDurch")))
            field->setText(with);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
    QList<int> Selection(TColorMemo* memo) { return {memo->SelStart(), memo->SelLength()}; }

private slots:
    void init() { QVERIFY(StartMainWindow()); }
    void cleanup() { form.reset(); }

    void dialogs_carry_the_german_captions_and_stay_modeless() {
        OpenDoc(QStringLiteral("x"));
        QDialog* find = OpenDialog("Suchen1", "FindDialog");
        QDialog* replace = OpenDialog("Ersetzen2", "ReplaceDialog");
        QVERIFY(find && replace);
        QCOMPARE(find->windowTitle(), QStringLiteral("Suchen"));
        QCOMPARE(replace->windowTitle(), QStringLiteral("Ersetzen"));
        QVERIFY(find->isVisible() && !find->isModal());
        QVERIFY(replace->isVisible() && !replace->isModal());
        QCOMPARE(find->parent(), form.get());
        QStringList captions;
        for (const char* name : {"B_Weitersuchen", "B_Ersetzen", "B_AlleErsetzen", "B_Abbrechen"})
            captions << replace->findChild<QPushButton*>(QString::fromLatin1(name))
                            ->text()
                            .remove(QLatin1Char('&'));
        QCOMPARE(captions, QStringList({"Weitersuchen", "Ersetzen", "Alle ersetzen", "Abbrechen"}));
        QStringList labels;
        for (QLabel* label : replace->findChildren<QLabel*>())
            labels << label->text().remove(QLatin1Char('&'));
        QCOMPARE(labels, QStringList({"Suchen nach:", "Ersetzen durch:"}));
        QTest::mouseClick(find->findChild<QPushButton*>(QStringLiteral("B_Abbrechen")),
                          Qt::LeftButton);
        QVERIFY(!find->isVisible());
    }

    void buttons_wait_for_a_search_text() {
        OpenDoc(QStringLiteral("x"));
        QDialog* replace = OpenDialog("Ersetzen1", "ReplaceDialog");
        auto* all = replace->findChild<QPushButton*>(QStringLiteral("B_AlleErsetzen"));
        QVERIFY(!all->isEnabled());
        replace->findChild<QLineEdit*>(QStringLiteral("E_SuchenNach"))->setText("x");
        QVERIFY(all->isEnabled());
    }

    void find_walks_through_the_occurrences_and_stops_at_the_last() {
        TColorMemo* memo = OpenDoc(QStringLiteral("foo bar\r\nfoo Foo\r\nbaz foo"));
        memo->SetSelStart(10); // inside the text, nothing selected
        QDialog* find = OpenDialog("Suchen2", "FindDialog");
        const QString what = QStringLiteral("foo");
        Press(find, "B_Weitersuchen", what);
        QCOMPARE(Selection(memo), QList<int>({0, 3}));
        Press(find, "B_Weitersuchen", what);
        QCOMPARE(Selection(memo), QList<int>({9, 3}));
        Press(find, "B_Weitersuchen", what);
        QCOMPARE(Selection(memo), QList<int>({22, 3}));
        Press(find, "B_Weitersuchen", what);
        QCOMPARE(Selection(memo), QList<int>({22, 3}));
        QVERIFY(find->isVisible());
        QCOMPARE(form->focusWidget(), memo);
        QVERIFY(prompts.Calls.isEmpty());
    }

    void find_of_a_missing_text_changes_nothing() {
        TColorMemo* memo = OpenDoc(QStringLiteral("abc abc"));
        memo->SetSelection(1, 2);
        QDialog* find = OpenDialog("Suchen1", "FindDialog");
        Press(find, "B_Weitersuchen", QStringLiteral("xyz"));
        QCOMPARE(Selection(memo), QList<int>({1, 2}));
        QVERIFY(prompts.Calls.isEmpty());
    }

    void each_press_works_on_the_slot_current_at_that_moment() {
        TColorMemo* first = OpenDoc(QStringLiteral("..x"));
        TColorMemo* second = OpenDoc(QStringLiteral("x.."));
        QDialog* find = OpenDialog("Suchen1", "FindDialog");
        Press(find, "B_Weitersuchen", QStringLiteral("x"));
        QCOMPARE(Selection(second), QList<int>({0, 1}));
        Pages()->setCurrentIndex(0);
        Press(find, "B_Weitersuchen", QStringLiteral("x"));
        QCOMPARE(Selection(first), QList<int>({2, 1}));
        QCOMPARE(Selection(second), QList<int>({0, 1}));
    }

    void replace_dialog_find_next_searches_like_find() {
        TColorMemo* memo = OpenDoc(QStringLiteral("ab ab"));
        QDialog* replace = OpenDialog("Ersetzen1", "ReplaceDialog");
        Press(replace, "B_Weitersuchen", QStringLiteral("ab"), QStringLiteral("zz"));
        QCOMPARE(Selection(memo), QList<int>({0, 2}));
        Press(replace, "B_Weitersuchen", QStringLiteral("ab"), QStringLiteral("zz"));
        QCOMPARE(Selection(memo), QList<int>({3, 2}));
        QCOMPARE(memo->Text(), QStringLiteral("ab ab"));
    }

    void replace_changes_only_the_first_occurrence_from_the_start() {
        TColorMemo* memo = OpenDoc(QStringLiteral("int a;\r\nint b;"));
        memo->SetSelection(8, 3); // the second one is selected: replace ignores that
        QDialog* replace = OpenDialog("Ersetzen1", "ReplaceDialog");
        Press(replace, "B_Ersetzen", QStringLiteral("int"), QStringLiteral("long"));
        QCOMPARE(memo->Text(), QStringLiteral("long a;\r\nint b;"));
        Press(replace, "B_Ersetzen", QStringLiteral("int"), QStringLiteral("long"));
        QCOMPARE(memo->Text(), QStringLiteral("long a;\r\nlong b;"));
    }

    void replace_all_results_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("result");
        const struct {
            const char* name;
            QString text, what, with, result;
        } rows[] = {
            {"ab by b on aab gives b", "aab", "ab", "b", "b"},
            {"a by aa doubles each a once", "a\r\na-a", "a", "aa", "aa\r\naa-aa"},
            {"across lines", "x;\r\ny;", ";\r\n", "; ", "x; y;"},
            {"removal", "a, b, c", ", ", "", "abc"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.text << row.what << row.with << row.result;
    }
    void replace_all_results() {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(QString, result);
        TColorMemo* memo = OpenDoc(text);
        QDialog* replace = OpenDialog("Ersetzen1", "ReplaceDialog");
        Press(replace, "B_AlleErsetzen", what, with);
        QCOMPARE(memo->Text(), result);
        QVERIFY(prompts.Calls.isEmpty());
    }

    void replace_all_is_one_edit_that_leaves_the_caret_after_the_last_replacement() {
        QString text;
        for (int i = 0; i < 500; ++i)
            text += QStringLiteral("int feld%1 = feld;\r\n").arg(i);
        TColorMemo* memo = OpenDoc(text + QStringLiteral("// Ende"));
        int edits = 0;
        connect(memo->document(), &QTextDocument::contentsChange, this, [&] { ++edits; });
        QDialog* replace = OpenDialog("Ersetzen1", "ReplaceDialog");
        Press(replace, "B_AlleErsetzen", QStringLiteral("feld"), QStringLiteral("Feld"));
        QCOMPARE(edits, 1);
        QCOMPARE(memo->Text(),
                 QString(text).replace(QStringLiteral("feld"), QStringLiteral("Feld")) +
                     QStringLiteral("// Ende"));
        QCOMPARE(memo->SelStart(), text.size() - 3);
        QCOMPARE(memo->SelLength(), 0);
    }

    void replacements_mark_the_change_and_cannot_be_undone() {
        TColorMemo* memo = OpenDoc(QString());
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("aab"));
        memo->SetModified(false);
        QDialog* replace = OpenDialog("Ersetzen1", "ReplaceDialog");
        Press(replace, "B_AlleErsetzen", QStringLiteral("ab"), QStringLiteral("b"));
        QCOMPARE(memo->Text(), QStringLiteral("b"));
        QVERIFY(memo->Modified());
        // The change event ran: the marker and the states are current.
        QCOMPARE(Status(1), QStringLiteral("Geändert"));
        QVERIFY(!Action("Rueckgaengig1")->isEnabled());
        ForceCommand("Rueckgaengig1");
        QCOMPARE(memo->Text(), QStringLiteral("b"));
    }

    void missing_search_text_shows_the_error_box_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("replace") << "B_Ersetzen";
        QTest::newRow("replace all") << "B_AlleErsetzen";
    }
    void missing_search_text_shows_the_error_box() {
        QFETCH(QString, button);
        TColorMemo* memo = OpenDoc(QStringLiteral("class A {}"));
        memo->SetModified(false);
        QDialog* replace = OpenDialog("Ersetzen1", "ReplaceDialog");
        Press(replace, button.toLatin1().constData(), QStringLiteral("Klasse B"),
              QStringLiteral("x"));
        const QList<TScriptedPrompts::Call> errors = prompts.CallsOf(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().Text,
                 QStringLiteral("Der Suchtext \"Klasse B\" konnte nicht gefunden werden."));
        QCOMPARE(errors.first().Caption, QStringLiteral("Fehler"));
        QCOMPARE(memo->Text(), QStringLiteral("class A {}"));
        QVERIFY(!memo->Modified());
        QVERIFY(replace->isVisible());
    }

    void no_slot_in_use_leaves_the_hidden_text_alone() {
        TColorMemo* memo = OpenDoc(QStringLiteral("aaa"));
        QDialog* replace = OpenDialog("Ersetzen1", "ReplaceDialog");
        QDialog* find = OpenDialog("Suchen1", "FindDialog");
        form->CloseCurrentSlot();
        Press(replace, "B_AlleErsetzen", QStringLiteral("a"), QStringLiteral("b"));
        Press(find, "B_Weitersuchen", QStringLiteral("a"));
        QCOMPARE(memo->Text(), QStringLiteral("aaa"));
        QCOMPARE(memo->SelLength(), 0);
        QVERIFY(prompts.Calls.isEmpty());
    }
};

QTEST_MAIN(TestEditFind)
#include "tst_editfind.moc"
