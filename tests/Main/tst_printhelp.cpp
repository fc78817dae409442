// SPDX-License-Identifier: GPL-3.0-or-later
// The print, printer set-up, help and about commands of the whole program,
// driven as a user would with scripted dialogs: print options read from the
// options dialog, the file and printer targets, F1, the about box.
#include "ColMemo/ColorMemo.h"
#include "Hilfe/HelpPage.h"
#include "Hilfe/HilfeForm.h"
#include "Info/InfoForm.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/StartUp.h"
#include "Option/OptionForm.h"

#include "FileBytes.h"
#include "ScriptedPrompts.h"
#include "TestSettings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

// Scripted dialogs whose printer dialogs act on the printer they are given:
// the print dialog sends the job into a PDF file, the set-up runs `OnSetup`.
class PrinterPrompts : public TScriptedPrompts {
public:
    QString PdfPath; // empty: the print dialog is cancelled
    std::function<void(QPrinter*)> OnSetup;
    QList<QPrinter*> Printers; // as handed to the print and set-up dialogs

    bool ChoosePrinter(QWidget* parent, QPrinter* printer) override {
        TScriptedPrompts::ChoosePrinter(parent, printer);
        Printers.append(printer);
        if (PdfPath.isEmpty())
            return false;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(PdfPath);
        return true;
    }
    bool SetupPrinter(QWidget* parent, QPrinter* printer) override {
        TScriptedPrompts::SetupPrinter(parent, printer);
        Printers.append(printer);
        if (OnSetup)
            OnSetup(printer);
        return true;
    }
};

QString PdfText(const QString& path, const QString& mode) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {mode, path, QStringLiteral("-")});
    pdftotext.waitForFinished(60000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

class TestPrintHelp : public QObject {
    Q_OBJECT

    PrinterPrompts prompts;
    std::unique_ptr<TKodiwerkWindows> windows;
    std::unique_ptr<QTemporaryDir> dir;
    QStringList helpLog; // what the desktop was asked to do for F1

    TMainForm& Form() { return *windows->MainForm; }
    TOptionForm& Options() { return *windows->OptionForm; }
    QString Path(const QString& name) const { return dir->filePath(name); }

    void Command(const QString& name) {
        QAction* action = Form().findChild<QAction*>(name);
        QVERIFY2(action && action->isEnabled(), qPrintable(name));
        action->trigger();
    }
    // Opens a file holding `bytes` through the open dialog, as the user would.
    void OpenFile(const QByteArray& bytes, const QString& name = QStringLiteral("Druck.java")) {
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        prompts.Files.enqueue(Path(name));
        Command(QStringLiteral("Oeffnen1"));
        QCOMPARE(Form().LastSlot(), 0);
    }
    void SetPrintOptions(const QString& margin, bool numbers, bool intoFile) {
        Options().findChild<QLineEdit*>(QStringLiteral("E_LinkerRand"))->setText(margin);
        Options().findChild<QCheckBox*>(QStringLiteral("CB_ZeilenNr"))->setChecked(numbers);
        Options().findChild<QCheckBox*>(QStringLiteral("CB_DateiDruck"))->setChecked(intoFile);
    }

private slots:
    void initTestCase() { UseThrowAwayConfig(); }
    void init() {
        ClearSettings();
        QApplication::setQuitOnLastWindowClosed(false);
        prompts = PrinterPrompts();
        dir = std::make_unique<QTemporaryDir>();
        windows = std::make_unique<TKodiwerkWindows>(prompts, QStringList());
        helpLog.clear();
        THelpPlatform desktop;
        desktop.Beep = [this] { helpLog.append(QStringLiteral("beep")); };
        desktop.OpenFile = [this](const QString& path) {
            helpLog.append("open " + path);
            return path.endsWith(QStringLiteral("oeffnet.html"));
        };
        desktop.StartProgram = [this](const QString& program, const QStringList& arguments) {
            helpLog.append(program + " " + arguments.join(QStringLiteral("|")));
            return false;
        };
        Form().SetHelpDesktop(desktop);
        Form().show();
    }
    void cleanup() {
        windows.reset();
        dir.reset();
    }

    void printing_into_a_file_reads_the_options_when_it_prints() {
        OpenFile("class A {\r\n\tint i;\r\n}\r\n");
        SetPrintOptions(QStringLiteral("2"), true, true);
        prompts.Files.enqueue(Path("druck.txt"));
        Command(QStringLiteral("Drucken1"));
        QCOMPARE(ReadBytes(Path("druck.txt")),
                 QByteArray("0001  class A {\r\n0002  \tint i;\r\n0003  }\r\n"));
        const TFileDialogRequest request = prompts.CallsOf("save").last().Request;
        QCOMPARE(request.Title, QStringLiteral("In eine Datei drucken"));
        QCOMPARE(request.DefaultSuffix, QStringLiteral("txt"));
        QCOMPARE(request.Filters, QStringList{"Text Files (*.txt)"});

        // Changed in the dialog, the options hold for the next print: the
        // same file is replaced.
        SetPrintOptions(QStringLiteral("abc"), false, true);
        prompts.Files.enqueue(Path("druck.txt"));
        Command(QStringLiteral("Drucken1"));
        QCOMPARE(ReadBytes(Path("druck.txt")), QByteArray("class A {\r\n\tint i;\r\n}\r\n"));
        QVERIFY(prompts.CallsOf("printer").isEmpty());
        QVERIFY(prompts.CallsOf("error").isEmpty());
    }

    void a_latin1_document_is_printed_with_its_umlauts_as_read() {
        OpenFile("// \xE4\xF6\xFC\xDF\r\n");
        SetPrintOptions(QStringLiteral("0"), false, true);
        prompts.Files.enqueue(Path("umlaute.txt"));
        Command(QStringLiteral("Drucken1"));
        QCOMPARE(ReadBytes(Path("umlaute.txt")), QByteArray("// \xE4\xF6\xFC\xDF\r\n"));
    }

    void an_unwritable_target_shows_the_error_box_and_nothing_else() {
        OpenFile("a\r\n");
        SetPrintOptions(QStringLiteral("5"), false, true);
        const QString progress = Form().findChild<QLabel*>("StatusPanel2")->text();
        prompts.Files.enqueue(dir->path()); // a directory
        Command(QStringLiteral("Drucken1"));
        QCOMPARE(prompts.CallsOf("error").size(), 1);
        QCOMPARE(prompts.CallsOf("error").first().Text, QStringLiteral("Dateizugriff verweigert"));
        QVERIFY(prompts.CallsOf("message").isEmpty());
        QCOMPARE(Form().findChild<QLabel*>("StatusPanel2")->text(), progress);
    }

    void cancelled_dialogs_print_nothing() {
        OpenFile("a\r\n");
        SetPrintOptions(QStringLiteral("5"), false, true);
        Command(QStringLiteral("Drucken1")); // no file chosen
        SetPrintOptions(QStringLiteral("5"), false, false);
        Command(QStringLiteral("Drucken1")); // print dialog cancelled
        QCOMPARE(prompts.CallsOf("save").size(), 1);
        QCOMPARE(prompts.CallsOf("printer").size(), 1);
        QVERIFY(QDir(dir->path()).entryList({"*.txt", "*.pdf"}).isEmpty());
        QVERIFY(prompts.CallsOf("error").isEmpty());
    }

    void with_no_slot_in_use_printing_does_nothing() {
        OpenFile("geheim\r\n");
        Command(QStringLiteral("Schliessen1"));
        QCOMPARE(Form().LastSlot(), -1);
        SetPrintOptions(QStringLiteral("5"), false, true);
        prompts.Files.enqueue(Path("leer.txt"));
        QAction* print = Form().findChild<QAction*>("Drucken1");
        print->setEnabled(true); // as a key that comes before the states are refreshed
        print->trigger();
        QVERIFY(prompts.CallsOf("save").isEmpty());
        QVERIFY(!QFile::exists(Path("leer.txt")));
    }

    void the_printer_set_up_holds_for_later_print_jobs() {
        OpenFile("Erste Zeile\r\n\tZweite\r\n");
        SetPrintOptions(QStringLiteral("3"), true, false);
        prompts.OnSetup = [](QPrinter* printer) {
            printer->setPageOrientation(QPageLayout::Landscape);
        };
        Command(QStringLiteral("Druckereinrichten1"));
        prompts.PdfPath = Path("druck.pdf");
        Command(QStringLiteral("Drucken1"));
        QCOMPARE(prompts.Printers.size(), 2);
        QCOMPARE(prompts.Printers[0], prompts.Printers[1]);

        const QString text = PdfText(Path("druck.pdf"), QStringLiteral("-layout"));
        QVERIFY2(text.contains(QStringLiteral("0001   Erste Zeile")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("0002")) && text.contains(QStringLiteral("Zweite")),
                 qPrintable(text));
        static const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
        const QRegularExpressionMatch size =
            page.match(PdfText(Path("druck.pdf"), QStringLiteral("-bbox")));
        QVERIFY(size.hasMatch());
        QVERIFY2(size.captured(1).toDouble() > size.captured(2).toDouble(), "not landscape");
    }

    void help_without_a_file_asks_for_one_without_a_beep() {
        windows->Inis.HilfeDir.clear();
        Command(QStringLiteral("Inhalt1"));
        QCOMPARE(prompts.CallsOf("message").size(), 1);
        QCOMPARE(prompts.CallsOf("message").first().Text,
                 QStringLiteral("Die Hilfedatei im HTML-Format ist noch nicht unter "
                                "Bearbeiten->Optionen eingetragen!"));
        QVERIFY(helpLog.isEmpty());
    }

    void help_the_desktop_opens_starts_no_browser() {
        const QString page = Path("Meine Hilfe/oeffnet.html");
        QDir().mkpath(QFileInfo(page).path());
        QFile(page).open(QIODevice::WriteOnly);
        windows->Inis.HilfeDir = page;
        Command(QStringLiteral("Hilfe2")); // the tool button
        QCOMPARE(helpLog, (QStringList{"beep", "open " + page}));
        QVERIFY(prompts.CallsOf("message").isEmpty());
    }

    void help_nothing_opens_ends_with_the_second_message() {
        const QString page = Path("Meine Hilfe/fehlt.html");
        windows->Inis.HilfeDir = page;
        Command(QStringLiteral("Inhalt1"));
        QCOMPARE(helpLog.size(), 3); // the beep and both browsers, the path in one piece
        QCOMPARE(helpLog.first(), QStringLiteral("beep"));
        QVERIFY(helpLog[1].endsWith(" " + page) && helpLog[2].endsWith(" " + page));
        QCOMPARE(prompts.CallsOf("message").size(), 1);
        QCOMPARE(
            prompts.CallsOf("message").first().Text,
            QStringLiteral("Leider konnte kein Web-Browser auf Ihrem System gefunden werden!"));
    }

    void the_about_box_shows_the_version_every_time() {
        QStringList shown;
        prompts.OnModal = [&](QDialog* dialog) {
            dialog->show();
            shown.append(dialog->findChild<QLabel*>("L_Version")->text());
            dialog->hide();
            dialog->findChild<QLabel*>("L_Version")->setText(QStringLiteral("Version"));
            return int(QDialog::Rejected);
        };
        Command(QStringLiteral("Info1"));
        Command(QStringLiteral("Info1"));
        QCOMPARE(prompts.CallsOf("modal").size(), 2);
        QCOMPARE(prompts.CallsOf("modal").first().Text, QStringLiteral("InfoForm"));
        QCOMPARE(shown, QStringList(2, QStringLiteral("Version 1.02 [26.06.2002]")));
    }

    void no_command_shows_the_help_window() {
        OpenFile("class A {}\r\n");
        int shows = 0;
        struct ShowCounter : QObject {
            int& Count;
            explicit ShowCounter(int& count) : Count(count) {}
            bool eventFilter(QObject*, QEvent* event) override {
                Count += event->type() == QEvent::Show;
                return false;
            }
        } counter(shows);
        windows->HilfeForm->installEventFilter(&counter);
        prompts.OnModal = [](QDialog*) { return int(QDialog::Rejected); };
        int triggered = 0;
        for (QAction* action : Form().findChildren<QAction*>()) {
            if (action->objectName().isEmpty() || action->objectName() == "Beenden1" ||
                action->isSeparator())
                continue;
            action->setEnabled(true);
            action->trigger();
            ++triggered;
        }
        QVERIFY(triggered > 30);
        QCOMPARE(shows, 0);
        QVERIFY(!windows->HilfeForm->isVisible());
    }

    void the_help_file_chooser_starts_beside_the_shipped_page_while_none_is_set() {
        qputenv("XDG_DATA_HOME", Path("home").toUtf8());
        qputenv("XDG_DATA_DIRS", Path("system").toUtf8());
        const QString shipped = Path("system/kodiwerk/help");
        QDir().mkpath(shipped);
        QFile(shipped + "/" + hilfe::HelpPageName).open(QIODevice::WriteOnly);
        QCOMPARE(hilfe::ShippedHelpFolder(), shipped);

        Options().E_HilfeDir()->clear();
        Options().B_HilfeClick();
        Options().E_HilfeDir()->setText(QStringLiteral("/doc/java/hilfe.html"));
        Options().B_HilfeClick();
        const QList<TScriptedPrompts::Call> opened = prompts.CallsOf("open");
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[0].Request.InitialDir, shipped);
        QCOMPARE(opened[1].Request.InitialDir, QStringLiteral("/doc/java/"));
        QVERIFY(windows->Inis.HilfeDir.isEmpty()); // nothing stored without OK
    }
};

QTEST_MAIN(TestPrintHelp)
#include "tst_printhelp.moc"
