// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt side of the prompt seam: the real message boxes and dialogs, shown
// offscreen and answered from a timer as a user would answer them.
#include "Datei/DocumentNames.h"
#include "Main/Prompts.h"
#include "TestSettings.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

// Answers the modal windows the code under test opens, in order: each step
// gets the next one once it is shown. A modal window no step is left for is
// recorded and rejected, so a test never hangs on a question it did not expect.
class ModalAnswers : public QObject {
public:
    explicit ModalAnswers(QList<std::function<void(QWidget*)>> steps) : Steps(std::move(steps)) {
        connect(&Timer, &QTimer::timeout, this, &ModalAnswers::Poll);
        Timer.start(10);
    }
    QStringList Unexpected; // titles of the windows nobody expected

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == Last)
            return;
        Last = modal;
        if (Steps.isEmpty()) {
            Unexpected << modal->windowTitle();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            return;
        }
        Steps.takeFirst()(modal);
    }

    QList<std::function<void(QWidget*)>> Steps;
    QPointer<QWidget> Last;
    QTimer Timer;
};

QStringList ButtonTexts(QMessageBox* box) {
    QStringList texts;
    for (QAbstractButton* button : box->buttons())
        texts << button->text();
    return texts;
}

QAbstractButton* ButtonWithText(QMessageBox* box, const QString& text) {
    for (QAbstractButton* button : box->buttons())
        if (button->text() == text)
            return button;
    return nullptr;
}

// The names the file dialog lists once `count` of them are shown.
QStringList ListedNames(QFileDialog* dialog, int count) {
    auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    const auto names = [view] {
        QStringList result;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            result << view->model()->index(row, 0, view->rootIndex()).data().toString();
        result.sort();
        return result;
    };
    if (QTest::qWaitFor([&] { return names().size() >= count; }, 5000))
        QTest::qWait(50); // names that should not be there have had their chance
    return names();
}

} // namespace

class TestQtPrompts : public QObject {
    Q_OBJECT

    TQtPrompts prompts;
    std::unique_ptr<QTemporaryDir> dir;

    QString MakeFile(const QString& name) {
        QFile file(dir->filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write a test file");
        return file.fileName();
    }
    TFileDialogRequest SourceRequest(const QString& proposed = QString()) const {
        TFileDialogRequest request;
        request.Filters = datei::SourceFileFilters();
        request.DefaultSuffix = QStringLiteral("java");
        request.InitialDir = dir->path();
        request.ProposedName = proposed;
        return request;
    }

private slots:
    void initTestCase() { UseThrowAwayConfig(); }
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        MakeFile(QStringLiteral("Hallo.java"));
        MakeFile(QStringLiteral("Makefile"));
        MakeFile(QStringLiteral("notiz.txt"));
    }

    void the_save_question_maps_each_answer_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::newRow("Ja clicked") << "&Ja" << int(TPrompts::Answer::Yes);
        QTest::newRow("Nein clicked") << "&Nein" << int(TPrompts::Answer::No);
        QTest::newRow("Abbrechen clicked") << "Abbrechen" << int(TPrompts::Answer::Cancel);
        QTest::newRow("Escape") << "Escape" << int(TPrompts::Answer::Cancel);
        QTest::newRow("Enter takes Ja") << "Enter" << int(TPrompts::Answer::Yes);
        QTest::newRow("Alt+N takes Nein") << "Alt+N" << int(TPrompts::Answer::No);
    }
    void the_save_question_maps_each_answer() {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QString title;
        QString text;
        QStringList buttons;
        ModalAnswers answers({[&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            buttons = ButtonTexts(box);
            if (how == QStringLiteral("Escape"))
                QTest::keyClick(box, Qt::Key_Escape);
            else if (how == QStringLiteral("Enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else if (how == QStringLiteral("Alt+N"))
                QTest::keyClick(box, Qt::Key_N, Qt::AltModifier);
            else
                QTest::mouseClick(ButtonWithText(box, how), Qt::LeftButton);
        }});
        const TPrompts::Answer given =
            prompts.AskYesNoCancel(nullptr, QStringLiteral("Änderungen speichern in A.java?"));
        QCOMPARE(int(given), answer);
        QCOMPARE(title, QStringLiteral("Bestätigung"));
        QCOMPARE(text, QStringLiteral("Änderungen speichern in A.java?"));
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"&Ja", "&Nein", "Abbrechen"}));
        QVERIFY(answers.Unexpected.isEmpty());
    }

    void the_yes_no_question_changes_nothing_unless_ja_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Ja clicked") << "&Ja" << true;
        QTest::newRow("Alt+J takes Ja") << "Alt+J" << true;
        QTest::newRow("Nein clicked") << "&Nein" << false;
        QTest::newRow("Enter takes Nein") << "Enter" << false;
        QTest::newRow("Escape takes Nein") << "Escape" << false;
    }
    void the_yes_no_question_changes_nothing_unless_ja() {
        QFETCH(QString, how);
        QFETCH(bool, yes);
        QString seen;
        ModalAnswers answers({[&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            QStringList buttons = ButtonTexts(box);
            buttons.sort();
            seen = box->windowTitle() + QStringLiteral(" | ") + box->text() +
                   QStringLiteral(" | ") + buttons.join(QLatin1Char(','));
            if (how == QStringLiteral("Escape"))
                QTest::keyClick(box, Qt::Key_Escape);
            else if (how == QStringLiteral("Enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else if (how == QStringLiteral("Alt+J"))
                QTest::keyClick(box, Qt::Key_J, Qt::AltModifier);
            else
                QTest::mouseClick(ButtonWithText(box, how), Qt::LeftButton);
        }});
        QCOMPARE(prompts.AskYesNo(nullptr, QStringLiteral("Trotzdem als Text öffnen?")), yes);
        QCOMPARE(seen, QStringLiteral("Bestätigung | Trotzdem als Text öffnen? | &Ja,&Nein"));
        QVERIFY(answers.Unexpected.isEmpty());
    }

    void messages_and_errors_have_one_ok_button_and_their_titles() {
        QStringList seen;
        const auto look = [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            seen << box->windowTitle() + QStringLiteral(" | ") + box->text() +
                        QStringLiteral(" | ") + ButtonTexts(box).join(QLatin1Char(','));
            QTest::keyClick(box, Qt::Key_Return);
        };
        ModalAnswers answers({look, look, look});
        prompts.Message(nullptr, QStringLiteral("Datei konnte nicht geöffnet werden"));
        static_cast<TPrompts&>(prompts).Error(nullptr,
                                              QStringLiteral("Datei x kann nicht erstellt werden"));
        prompts.Error(nullptr, QStringLiteral("Der Suchtext"), QStringLiteral("Fehler"));
        QCOMPARE(seen, (QStringList{"Kodiwerk | Datei konnte nicht geöffnet werden | OK",
                                    "Kodiwerk | Datei x kann nicht erstellt werden | OK",
                                    "Fehler | Der Suchtext | OK"}));
        QVERIFY(answers.Unexpected.isEmpty());
    }

    void the_open_dialog_lists_all_files_under_alle_files() {
        QStringList filters;
        QStringList javaNames;
        QStringList allNames;
        ModalAnswers answers({[&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; i < types->count(); ++i)
                filters << types->itemText(i);
            javaNames = ListedNames(dialog, 1);
            types->setFocus();
            QTest::keyClick(types, Qt::Key_Down);
            allNames = ListedNames(dialog, 3);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(QStringLiteral("Makefile"));
            QTest::keyClick(name, Qt::Key_Return);
        }});
        const QString chosen = prompts.ChooseOpenFile(nullptr, SourceRequest());
        QCOMPARE(filters, (QStringList{"Java Files (*.java)", "Alle Files(*.*)"}));
        QCOMPARE(javaNames, QStringList{"Hallo.java"});
        QCOMPARE(allNames, (QStringList{"Hallo.java", "Makefile", "notiz.txt"}));
        QCOMPARE(chosen, dir->filePath(QStringLiteral("Makefile")));
        QVERIFY(answers.Unexpected.isEmpty());
    }

    void a_typed_name_gets_the_default_extension_only_when_it_names_no_file_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("existing name without a dot") << "Makefile"
                                                     << "Makefile";
        QTest::newRow("no such file") << "Hallo"
                                      << "Hallo.java";
        QTest::newRow("with an extension") << "Neu.txt"
                                           << "Neu.txt";
    }
    void a_typed_name_gets_the_default_extension_only_when_it_names_no_file() {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        ModalAnswers answers({[&](QWidget* modal) {
            auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(typed);
            QTest::keyClick(name, Qt::Key_Return);
        }});
        QCOMPARE(prompts.ChooseOpenFile(nullptr, SourceRequest()), dir->filePath(chosen));
        ModalAnswers cancel({[](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); }});
        QCOMPARE(prompts.ChooseOpenFile(nullptr, SourceRequest()), QString());
    }

    void the_save_dialog_proposes_the_name_completes_it_and_overwrites_without_asking() {
        QString proposed;
        QString afterFilterChange;
        ModalAnswers answers({[&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            proposed = name->text();
            // Choosing all files keeps the name's extension.
            name->setText(QStringLiteral("Hallo.java"));
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            types->setFocus();
            QTest::keyClick(types, Qt::Key_Down);
            afterFilterChange = name->text();
            // A name without extension gets the default one; the existing
            // file is replaced without a question.
            name->setText(QStringLiteral("Hallo"));
            QTest::keyClick(name, Qt::Key_Return);
        }});
        const QString chosen = prompts.ChooseSaveFile(nullptr, SourceRequest("noname.java"));
        QCOMPARE(proposed, QStringLiteral("noname.java"));
        QCOMPARE(afterFilterChange, QStringLiteral("Hallo.java"));
        QCOMPARE(chosen, dir->filePath(QStringLiteral("Hallo.java")));
        QCOMPARE(answers.Unexpected, QStringList());
    }

    void the_font_dialog_preselects_the_font_it_is_given() {
        QFont given(QStringLiteral("DejaVu Sans Mono"), 12);
        ModalAnswers answers({[](QWidget* modal) {
            auto* buttons = modal->findChild<QDialogButtonBox*>();
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        }});
        const std::optional<QFont> chosen = prompts.ChooseFont(nullptr, given);
        QVERIFY(chosen.has_value());
        QCOMPARE(chosen->family(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(chosen->pointSize(), 12);
        ModalAnswers cancel({[](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); }});
        QVERIFY(!prompts.ChooseFont(nullptr, given).has_value());
    }
};

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
