// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog as the user meets it: its pages and fields, the number
// key filter, showing, OK and Abbruch, the print options and the help-file
// chooser.
#include "DialogRig.h"
#include "Main/Prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

class TestOptionForm : public DialogRig {
    Q_OBJECT

    QTabWidget* Pages() const { return Opt<QTabWidget>("PC_Option"); }
    QCheckBox* Check(const char* name) const { return Opt<QCheckBox>(name); }
    QString LabelOf(QWidget* field) const {
        for (QLabel* label : options->findChildren<QLabel*>())
            if (label->buddy() == field)
                return label->text();
        return QStringLiteral("<no label>");
    }
    static void TypeOver(QLineEdit* field, const QString& keys) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, keys);
    }

private slots:
    void init() { StartOptions(); }
    void cleanup() { Stop(); }

    void window_pages_groups_and_fields_read_as_described() {
        QCOMPARE(options->windowTitle(), QStringLiteral("Kodiwerk - Optionen"));
        QStringList tabs;
        for (int i = 0; i < Pages()->count(); ++i)
            tabs << Pages()->tabText(i);
        QCOMPARE(tabs, QStringList({"Editor", "Start", "Verzeichnisse", "Drucken"}));

        QStringList groups;
        for (const char* name : {"GB_Editor", "GB_Applet", "GB_Application", "GB_JdkDir",
                                 "GB_ProjektDir", "GB_HilfeDir", "GB_Optionen"})
            groups << Opt<QGroupBox>(name)->title();
        QCOMPARE(groups,
                 QStringList({" Editor ", " Applet", " Application ", " JDK Programmverzeichnis ",
                              " Projektverzeichnis ", " Hilfedatei ", " Optionen"}));

        QCOMPARE(Check("CB_AutoTab")->text(), QStringLiteral("automatisch einrücken"));
        QCOMPARE(Check("CB_Zeilennummern")->text(), QStringLiteral("Zeilennummern anzeigen"));
        QVERIFY(Opt("GB_Editor")->isAncestorOf(Check("CB_Zeilennummern")));
        QCOMPARE(Check("CB_AWinMin")->text(), QStringLiteral("DOS-Fenster beim Start minimieren"));
        QCOMPARE(Check("CB_RWinMin")->text(), QStringLiteral("DOS-Fenster beim Start minimieren"));
        QCOMPARE(Check("CB_ZeilenNr")->text(), QStringLiteral("Zeilennummern"));
        QCOMPARE(Check("CB_DateiDruck")->text(), QStringLiteral("In eine Datei drucken"));
        QCOMPARE(LabelOf(Field("E_Tabs")), QStringLiteral("Tab-Einrückungen"));
        QCOMPARE(LabelOf(Field("E_AppX")), QStringLiteral("Weite des Applet-Fensters"));
        QCOMPARE(LabelOf(Field("E_AppY")), QStringLiteral("Höhe des Applet-Fensters"));
        QCOMPARE(LabelOf(Field("E_LinkerRand")), QStringLiteral("Linker  Rand:"));
        QCOMPARE(Opt<QAbstractButton>("B_OK")->text(), QStringLiteral("&OK"));
        QCOMPARE(Opt<QAbstractButton>("B_Cancel")->text(), QStringLiteral("&Abbruch"));

        // Before the first showing the fields hold the texts of the window description.
        QStringList texts;
        for (const char* name : {"E_Tabs", "E_AppX", "E_AppY", "E_JdkDir", "E_ProjektDir",
                                 "E_HilfeDir", "E_LinkerRand"})
            texts << Field(name)->text();
        QCOMPARE(texts,
                 QStringList({"2", "x", "y", "E_JdkDir", "E_ProjektDir", "E_HilfeDir", "5"}));
        QVERIFY(!Check("CB_ZeilenNr")->isChecked());
        QVERIFY(!Check("CB_DateiDruck")->isChecked());
        QCOMPARE(options->PrintChoice().SaveDialog.Title, QStringLiteral("In eine Datei drucken"));
        QCOMPARE(options->PrintChoice().SaveDialog.DefaultSuffix, QStringLiteral("txt"));

        QVERIFY(ShowOptions());
        QCOMPARE(options->size(), QSize(310, 225));
        // Each folder button sits at the right end of its own field.
        for (auto [field, button] : {std::pair{"E_JdkDir", "B_JDK"},
                                     {"E_ProjektDir", "B_Projekt"},
                                     {"E_HilfeDir", "B_Hilfe"}}) {
            const QRect f = Field(field)->geometry();
            const QRect b = Opt(button)->geometry();
            QCOMPARE(Opt(button)->parentWidget(), Field(field)->parentWidget());
            QVERIFY2(b.left() >= f.right() && b.top() < f.bottom() && b.bottom() > f.top(), button);
        }
    }

    void every_field_and_picture_button_has_an_accessible_name() {
        StartBoth();
        for (QWidget* form :
             {static_cast<QWidget*>(options.get()), static_cast<QWidget*>(dirList.get())}) {
            QList<QWidget*> controls;
            for (QLineEdit* w : form->findChildren<QLineEdit*>())
                controls << w;
            for (QToolButton* w : form->findChildren<QToolButton*>())
                controls << w;
            for (QListWidget* w : form->findChildren<QListWidget*>())
                controls << w;
            for (QLabel* w : form->findChildren<QLabel*>())
                if (!w->pixmap().isNull())
                    controls << w;
            QVERIFY(controls.size() >= 3);
            for (QWidget* control : controls) {
                if (control->objectName().startsWith(QStringLiteral("qt_")))
                    continue; // a part of another control, such as a tab bar's scroll button
                bool named = !control->accessibleName().isEmpty();
                for (QLabel* label : form->findChildren<QLabel*>())
                    named = named || label->buddy() == control;
                QVERIFY2(named, qPrintable(control->objectName()));
            }
        }
    }

    void number_fields_take_digits_and_control_keys_only_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("tab width") << "E_Tabs";
        QTest::newRow("applet width") << "E_AppX";
        QTest::newRow("applet height") << "E_AppY";
    }
    void number_fields_take_digits_and_control_keys_only() {
        QFETCH(QString, name);
        QVERIFY(ShowOptions());
        QLineEdit* field = Field(qPrintable(name));
        TypeOver(field, QStringLiteral("4a2"));
        QCOMPARE(field->text(), QStringLiteral("42"));
        QTest::keyClicks(field, QStringLiteral("- 7."));
        // Keys beyond ASCII, and a key event carrying several characters.
        for (const QString& text :
             {QStringLiteral("ä"), QStringLiteral("\u0663"), QStringLiteral("x1y")}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
            QApplication::sendEvent(field, &press);
        }
        QCOMPARE(field->text(), QStringLiteral("4271"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("427"));
        // Pasted text is not filtered.
        QApplication::clipboard()->setText(QStringLiteral("x-1"));
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->text(), QStringLiteral("427x-1"));
    }

    void delete_and_backspace_edit_every_number_field_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("tab width") << "E_Tabs";
        QTest::newRow("applet width") << "E_AppX";
        QTest::newRow("applet height") << "E_AppY";
    }
    void delete_and_backspace_edit_every_number_field() {
        QFETCH(QString, name);
        QVERIFY(ShowOptions());
        QLineEdit* field = Field(qPrintable(name));
        TypeOver(field, QStringLiteral("1234"));
        // The keys as the window system sends them: Delete types DEL, Backspace BS.
        const auto press = [field](Qt::Key key, const QString& text) {
            QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(field, &down);
            QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(field, &up);
        };
        field->setCursorPosition(1);
        press(Qt::Key_Delete, QStringLiteral("\x7f"));
        QCOMPARE(field->text(), QStringLiteral("134"));
        press(Qt::Key_Backspace, QStringLiteral("\b"));
        QCOMPARE(field->text(), QStringLiteral("34"));
        // QtTest's own key clicks, and the other editing keys.
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), QStringLiteral("3"));
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), QString());
        QTest::keyClicks(field, QStringLiteral("56"));
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), QString());
        QTest::keyClicks(field, QStringLiteral("78"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("7"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier); // undo
        QCOMPARE(field->text(), QStringLiteral("78"));
    }

    void the_margin_field_takes_any_key() {
        QVERIFY(ShowOptions());
        TypeOver(Field("E_LinkerRand"), QStringLiteral("a8"));
        QCOMPARE(Field("E_LinkerRand")->text(), QStringLiteral("a8"));
    }

    void leaving_without_ok_stores_nothing_and_the_next_showing_shows_the_record_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Abbruch") << "Abbruch";
        QTest::newRow("close box") << "close";
        QTest::newRow("Escape") << "Escape";
    }
    void leaving_without_ok_stores_nothing_and_the_next_showing_shows_the_record() {
        QFETCH(QString, how);
        const QStringList before = Fields(inis);
        QVERIFY(ShowOptions());
        TypeOver(Field("E_Tabs"), QStringLiteral("8"));
        Field("E_AppX")->setText(QStringLiteral("1000"));
        Field("E_JdkDir")->setText(QStringLiteral("/opt/anderes-jdk"));
        Check("CB_AutoTab")->setChecked(false);
        Check("CB_Zeilennummern")->setChecked(false);
        Check("CB_RWinMin")->setChecked(false);
        if (how == QStringLiteral("Abbruch"))
            ClickOpt("B_Cancel");
        else if (how == QStringLiteral("close"))
            options->close();
        else
            QTest::keyClick(options.get(), Qt::Key_Escape);
        QVERIFY(!options->isVisible());
        QCOMPARE(options->result(), int(QDialog::Rejected));
        QCOMPARE(Fields(inis), before);

        QVERIFY(ShowOptions());
        QCOMPARE(Field("E_Tabs")->text(), QStringLiteral("3"));
        QCOMPARE(Field("E_AppX")->text(), QStringLiteral("320"));
        QCOMPARE(Field("E_AppY")->text(), QStringLiteral("240"));
        QCOMPARE(Field("E_JdkDir")->text(), inis.JdkDir);
        QCOMPARE(Field("E_ProjektDir")->text(), inis.ProjectDir);
        QCOMPARE(Field("E_HilfeDir")->text(), inis.HilfeDir);
        QVERIFY(Check("CB_AutoTab")->isChecked());
        QVERIFY(Check("CB_Zeilennummern")->isChecked());
        QVERIFY(!Check("CB_AWinMin")->isChecked());
        QVERIFY(Check("CB_RWinMin")->isChecked());
    }

    void ok_stores_every_field_as_it_stands() {
        QVERIFY(ShowOptions());
        Check("CB_AutoTab")->setChecked(false);
        Check("CB_Zeilennummern")->setChecked(false);
        TypeOver(Field("E_Tabs"), QStringLiteral("16"));
        TypeOver(Field("E_AppX"), QStringLiteral("640"));
        Field("E_AppY")->setText(QStringLiteral("+1")); // pasted: the filter lets no plus through
        Check("CB_AWinMin")->setChecked(true);
        Check("CB_RWinMin")->setChecked(false);
        const QString noCompiler = MakeDir(QStringLiteral("kein-jdk"));
        Field("E_JdkDir")->setText(noCompiler);
        Field("E_ProjektDir")->setText(dir->path() + QStringLiteral("/projekt/"));
        Field("E_HilfeDir")->setText(QStringLiteral("gibt-es-nicht.html"));
        ClickOpt("B_OK");

        QVERIFY(!options->isVisible());
        QCOMPARE(options->result(), int(QDialog::Accepted));
        QCOMPARE(inis.AutoTab, false);
        QCOMPARE(inis.LineNumbers, false);
        QCOMPARE(inis.Tabs, 16);
        QCOMPARE(inis.AppX, 640);
        QCOMPARE(inis.AppY, 1);
        QCOMPARE(inis.AWinMin, true);
        QCOMPARE(inis.RWinMin, false);
        QCOMPARE(inis.JdkDir, noCompiler);
        QCOMPARE(inis.ProjectDir, dir->path() + QStringLiteral("/projekt/"));
        QCOMPARE(inis.HilfeDir, QStringLiteral("gibt-es-nicht.html"));
        QCOMPARE(inis.Files[0], StoredRecord().Files[0]);
        QVERIFY(prompts.Calls.isEmpty()); // a JDK without a compiler is taken without a question
    }

    void ok_stops_at_a_field_without_a_number_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("tabsStored");
        QTest::addColumn<bool>("appXStored");
        QTest::newRow("empty applet width") << "E_AppX"
                                            << "" << true << false;
        QTest::newRow("letters pasted into the tab width") << "E_Tabs"
                                                           << "1O" << false << false;
        QTest::newRow("blank around a number") << "E_AppX"
                                               << " 7" << true << false;
    }
    void ok_stops_at_a_field_without_a_number() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, tabsStored);
        QFETCH(bool, appXStored);
        QVERIFY(ShowOptions());
        Pages()->setCurrentIndex(3);
        Check("CB_AutoTab")->setChecked(false);
        Field("E_Tabs")->setText(QStringLiteral("6"));
        Field("E_AppX")->setText(QStringLiteral("500"));
        Field("E_AppY")->setText(QStringLiteral("501"));
        Check("CB_RWinMin")->setChecked(false);
        Field("E_JdkDir")->setText(QStringLiteral("/anderswo"));
        Field(qPrintable(field))->setText(text);
        ClickOpt("B_OK");

        QCOMPARE(prompts.CallsOf("error").size(), 1);
        QCOMPARE(prompts.CallsOf("error")[0].Text,
                 QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
        QVERIFY(options->isVisible());
        QCOMPARE(inis.AutoTab, false); // the first step is always done
        QCOMPARE(inis.Tabs, tabsStored ? 6 : 3);
        QCOMPARE(inis.AppX, appXStored ? 500 : 320);
        QCOMPARE(inis.AppY, 240);
        QCOMPARE(inis.RWinMin, true);
        QCOMPARE(inis.JdkDir, StoredRecord().JdkDir);
        // The field is put in front of the user.
        QVERIFY(Pages()->currentWidget()->isAncestorOf(Field(qPrintable(field))));
    }

    void ok_refuses_a_number_outside_its_range_naming_the_range_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        const QString tabs = QStringLiteral("Für „Tab-Einrückungen“ sind nur Zahlen von 1 bis 16 "
                                            "erlaubt.");
        const QString width = QStringLiteral("Für „Weite des Applet-Fensters“ sind nur Zahlen von "
                                             "1 bis 4096 erlaubt.");
        const QString height = QStringLiteral("Für „Höhe des Applet-Fensters“ sind nur Zahlen von "
                                              "1 bis 4096 erlaubt.");
        QTest::newRow("tab width 0") << "E_Tabs"
                                     << "0" << tabs;
        QTest::newRow("tab width 17") << "E_Tabs"
                                      << "17" << tabs;
        QTest::newRow("applet width 0") << "E_AppX"
                                        << "000" << width;
        QTest::newRow("applet width 4097") << "E_AppX"
                                           << "4097" << width;
        QTest::newRow("applet height pasted negative") << "E_AppY"
                                                       << "-5" << height;
        QTest::newRow("applet height beyond 32 bits") << "E_AppY"
                                                      << "2147483648" << height;
        QTest::newRow("applet height of twenty digits") << "E_AppY"
                                                        << "99999999999999999999" << height;
    }
    void ok_refuses_a_number_outside_its_range_naming_the_range() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, error);
        QVERIFY(ShowOptions());
        Field("E_Tabs")->setText(QStringLiteral("1"));
        Field("E_AppX")->setText(QStringLiteral("4096"));
        Field("E_AppY")->setText(QStringLiteral("1"));
        Field(qPrintable(field))->setText(text);
        ClickOpt("B_OK");
        QCOMPARE(prompts.CallsOf("error").size(), 1);
        QCOMPARE(prompts.CallsOf("error")[0].Text, error);
        QVERIFY(options->isVisible());
        QVERIFY(Pages()->currentWidget()->isAncestorOf(Field(qPrintable(field))));

        // Within the range again, OK goes through with the bounds themselves.
        Field(qPrintable(field))
            ->setText(field == "E_Tabs" ? QStringLiteral("16") : QStringLiteral("1"));
        ClickOpt("B_OK");
        QVERIFY(!options->isVisible());
        QCOMPARE(prompts.CallsOf("error").size(), 1);
        QCOMPARE(inis.Tabs, field == "E_Tabs" ? 16 : 1);
        QCOMPARE(inis.AppX, field == "E_AppX" ? 1 : 4096);
        QCOMPARE(inis.AppY, 1);
    }

    void print_options_survive_abbruch_and_are_never_loaded_or_stored() {
        QVERIFY(ShowOptions());
        Field("E_LinkerRand")->setText(QStringLiteral("8"));
        Check("CB_ZeilenNr")->setChecked(true);
        Check("CB_DateiDruck")->setChecked(true);
        ClickOpt("B_Cancel");
        QVERIFY(ShowOptions());
        QCOMPARE(Field("E_LinkerRand")->text(), QStringLiteral("8"));
        QVERIFY(Check("CB_ZeilenNr")->isChecked());
        QVERIFY(Check("CB_DateiDruck")->isChecked());
        const TPrintChoice choice = options->PrintChoice();
        QCOMPARE(choice.LeftMargin, QStringLiteral("8"));
        QVERIFY(choice.LineNumbers);
        QVERIFY(choice.IntoFile);
        QCOMPARE(choice.SaveDialog.Title, QStringLiteral("In eine Datei drucken"));
        QCOMPARE(choice.SaveDialog.Filters, QStringList{"Text Files (*.txt)"});
        QCOMPARE(choice.SaveDialog.DefaultSuffix, QStringLiteral("txt"));
        Check("CB_DateiDruck")->setChecked(false);
        QVERIFY(!options->PrintChoice().IntoFile);
        Check("CB_DateiDruck")->setChecked(true);
        ClickOpt("B_OK");
        QVERIFY(ShowOptions());
        QCOMPARE(Field("E_LinkerRand")->text(), QStringLiteral("8"));
        QVERIFY(Check("CB_ZeilenNr")->isChecked());
    }

    void first_showing_opens_on_verzeichnisse_later_ones_on_the_last_page() {
        QVERIFY(ShowOptions());
        QCOMPARE(Pages()->tabText(Pages()->currentIndex()), QStringLiteral("Verzeichnisse"));
        Pages()->setCurrentIndex(1);
        ClickOpt("B_Cancel");
        QVERIFY(ShowOptions());
        QCOMPARE(Pages()->tabText(Pages()->currentIndex()), QStringLiteral("Start"));
    }

    void help_file_chooser_starts_in_the_directory_of_the_field_data() {
        QTest::addColumn<QString>("fieldText");
        QTest::addColumn<QString>("startDir");
        QTest::addColumn<QString>("chosen");
        const QString doc = QDir::tempPath() + QStringLiteral("/doc/");
        QTest::newRow("full path, file chosen") << doc + "hilfe.html" << doc << doc + "neu.htm";
        QTest::newRow("no separator, cancelled") << "hilfe.html"
                                                 << ""
                                                 << "";
        QTest::newRow("directory only") << doc << doc << doc + "index.html";
    }
    void help_file_chooser_starts_in_the_directory_of_the_field() {
        QFETCH(QString, fieldText);
        QFETCH(QString, startDir);
        QFETCH(QString, chosen);
        QVERIFY(ShowOptions());
        Field("E_HilfeDir")->setText(fieldText);
        prompts.Files.enqueue(chosen);
        ClickOpt("B_Hilfe");
        QCOMPARE(prompts.CallsOf("open").size(), 1);
        const TFileDialogRequest request = prompts.CallsOf("open")[0].Request;
        QCOMPARE(request.InitialDir, startDir);
        QCOMPARE(request.Title, QStringLiteral("Hilfedatei festlegen"));
        QCOMPARE(request.Filters,
                 QStringList({"HTLM (*.html)", "HTM (*.htm)", "Alle Dateien (*.*)"}));
        QCOMPARE(request.DefaultSuffix, QStringLiteral("htm"));
        QCOMPARE(Field("E_HilfeDir")->text(), chosen.isEmpty() ? fieldText : chosen);
        QCOMPARE(inis.HilfeDir, StoredRecord().HilfeDir); // only OK stores
    }

    void the_desktops_help_file_dialog_shows_its_title_filter_and_start() {
        const QString doc = MakeDir(QStringLiteral("doc"));
        QFile(doc + QStringLiteral("/hilfe.htm")).open(QIODevice::WriteOnly);
        TQtPrompts desktop;
        TOptionForm form(inis, desktop);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.E_HilfeDir()->setText(doc + QStringLiteral("/alt.html"));
        QString title, start, filter;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            answer.stop();
            title = dialog->windowTitle();
            start = dialog->directory().absolutePath();
            filter = dialog->selectedNameFilter();
            dialog->selectFile(QStringLiteral("hilfe.htm"));
            static_cast<QDialog*>(dialog)->accept(); // as the "Öffnen" button does
        });
        answer.start(10);
        QTest::mouseClick(form.findChild<QAbstractButton*>(QStringLiteral("B_Hilfe")),
                          Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Hilfedatei festlegen"));
        QCOMPARE(start, doc);
        QVERIFY2(filter.startsWith(QStringLiteral("HTLM (*.html)")), qPrintable(filter));
        QCOMPARE(form.E_HilfeDir()->text(), doc + QStringLiteral("/hilfe.htm"));
    }
};

QTEST_MAIN(TestOptionForm)
#include "tst_optionform.moc"
