// SPDX-License-Identifier: GPL-3.0-or-later
// The printer text channel, printed into a PDF and read back with
// pdftotext: where text lands, how it wraps, tabs, form feeds and pages.
#include "Base/KodiwerkError.h"
#include "Print/PrinterChannel.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

// One word as pdftotext finds it, in points from the page's top-left corner.
struct Word {
    int Page; // from 1
    QString Text;
    QRectF Box;
};

struct Printout {
    int Pages = 0;
    QList<Word> Words;
    QStringList TextOf(int page) const {
        QStringList texts;
        for (const Word& word : Words)
            if (word.Page == page)
                texts.append(word.Text);
        return texts;
    }
    Word Find(const QString& text) const {
        for (const Word& word : Words)
            if (word.Text == text)
                return word;
        return {0, QStringLiteral("<missing %1>").arg(text), {}};
    }
};

Printout ReadPdf(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    pdftotext.waitForFinished(60000);
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page |<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re"));
    Printout printout;
    for (const QRegularExpressionMatch& m : tag.globalMatch(html)) {
        if (m.captured(0) == QStringLiteral("<page ")) {
            ++printout.Pages;
            continue;
        }
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        printout.Words.append({printout.Pages, m.captured(5), QRectF(topLeft, bottomRight)});
    }
    return printout;
}

constexpr qreal Tolerance = 1.0; // points: rounding in the PDF and in pdftotext

} // namespace

class TestPrinterChannel : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QPrinter> printer;
    // The printable area on the sheet, in points (one device pixel at 72 dpi).
    QRectF Area() const { return printer->pageRect(QPrinter::Point); }
    QFontMetricsF Metrics() const {
        return QFontMetricsF(TPrinterChannel::DefaultFont(), printer.get());
    }
    qreal LineHeight() const { return Metrics().height() + 2; }

    Printout Print(const QStringList& lines) {
        {
            TPrinterChannel channel(*printer);
            for (const QString& line : lines) {
                channel.Write(line);
                channel.WriteLineEnd();
            }
            channel.Close();
        }
        return ReadPdf(printer->outputFileName());
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(dir->filePath(QStringLiteral("druck.pdf")));
        printer->setResolution(72);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageMargins(QMarginsF(20, 30, 25, 15), QPageLayout::Millimeter);
    }
    void cleanup() {
        printer.reset();
        dir.reset();
    }

    void text_starts_at_the_top_left_of_the_printable_area_and_lines_follow() {
        const Printout out = Print({"Erste", "Zweite", "", "Vierte"});
        QCOMPARE(out.Pages, 1);
        const QRectF first = out.Find("Erste").Box;
        QVERIFY2(std::abs(first.left() - Area().left()) < Tolerance,
                 qPrintable(QString::number(first.left())));
        QVERIFY2(std::abs(first.top() - Area().top()) < Tolerance,
                 qPrintable(QString::number(first.top())));
        // A line with text is its text's height plus 2; an empty one the font's height.
        QVERIFY(std::abs(out.Find("Zweite").Box.top() - first.top() - LineHeight()) < Tolerance);
        const qreal expectedFourth = first.top() + 2 * LineHeight() + Metrics().height();
        QVERIFY(std::abs(out.Find("Vierte").Box.top() - expectedFourth) < Tolerance);
        QCOMPARE(out.Find("Vierte").Box.left(), first.left());
    }

    void a_line_longer_than_the_page_is_cut_at_the_last_character_that_fits() {
        const QString line = QString(300, QLatin1Char('x'));
        const Printout out = Print({line, "danach"});
        const QStringList words = out.TextOf(1);
        QCOMPARE(words.size(), 1 + int(std::ceil(300.0 / words.first().size())));
        QCOMPARE(words.mid(0, words.size() - 1).join(QString()), line);
        const qreal charWidth = Metrics().horizontalAdvance(QLatin1Char('x'));
        const QRectF firstPiece = out.Words.first().Box;
        QVERIFY(firstPiece.right() <= Area().right() + Tolerance);
        QVERIFY2(Area().right() - firstPiece.right() < charWidth,
                 "one more character would still have fitted");
        // Every continuation starts at the left edge of the next line.
        for (int i = 1; i < words.size(); ++i) {
            QCOMPARE(out.Words[i].Box.left(), Area().left());
            QVERIFY(std::abs(out.Words[i].Box.top() - out.Words[i - 1].Box.top() - LineHeight()) <
                    Tolerance);
        }
    }

    void a_tab_jumps_to_the_next_stop_of_eight_average_character_widths() {
        const qreal stop = 8 * Metrics().averageCharWidth();
        const qreal a = Metrics().horizontalAdvance(QStringLiteral("a"));
        const QString full(int(2 * stop / Metrics().horizontalAdvance(QLatin1Char('m'))) - 1,
                           QLatin1Char('m'));
        const Printout out = Print({"\tb", "a\tc", "a\t\td", full + "\te"});
        const qreal left = Area().left();
        QVERIFY(std::abs(out.Find("b").Box.left() - (left + stop)) < Tolerance);
        QVERIFY(std::abs(out.Find("c").Box.left() -
                         (left + std::floor((a + stop + 1) / stop) * stop)) < Tolerance);
        QVERIFY(std::abs(out.Find("d").Box.left() - (left + 2 * stop)) < Tolerance);
        QVERIFY(std::abs(out.Find("e").Box.left() - (left + 2 * stop)) < Tolerance);
    }

    void a_tab_within_one_pixel_of_a_stop_passes_it() {
        // In a fixed-pitch font every text ends a whole character before a stop, so the case
        // needs a proportional font: DejaVu Sans, which the set-up installs.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(10);
        QVERIFY2(!QFontInfo(font).fixedPitch(), qPrintable(QFontInfo(font).family()));
        const QFontMetricsF metrics(font, printer.get());
        const qreal stop = 8 * metrics.averageCharWidth();
        // A text of wide and narrow letters that ends less than one point before a stop.
        QString line;
        qreal x = 0;
        for (int wide = 0; wide < 40 && line.isEmpty(); ++wide)
            for (int narrow = 0; narrow < 40 && line.isEmpty(); ++narrow) {
                const QString text = QString(wide, QLatin1Char('m')) + QString(narrow, 'i');
                x = metrics.horizontalAdvance(text);
                const qreal before = std::ceil(x / stop) * stop - x;
                if (before > 0.1 && before < 0.9 && x + 2 * stop < Area().width())
                    line = text;
            }
        QVERIFY2(!line.isEmpty(), "no text of m and i ends just before a stop");
        {
            TPrinterChannel channel(*printer, font);
            channel.Write(line + "\tz");
            channel.WriteLineEnd();
            channel.Close();
        }
        const Printout out = ReadPdf(printer->outputFileName());
        const qreal expected = (std::floor(x / stop) + 2) * stop;
        QVERIFY2(std::abs(out.Find("z").Box.left() - Area().left() - expected) < Tolerance,
                 qPrintable(QString::number(out.Find("z").Box.left())));
    }

    void a_tab_past_the_page_width_begins_a_new_line() {
        printer->setPageMargins(QMarginsF(0, 0, 0, 0));
        printer->setPageSize(QPageSize(QSizeF(80, 300), QPageSize::Point));
        const qreal stop = 8 * Metrics().averageCharWidth();
        const qreal width = Area().width();
        QVERIFY(stop < width);
        // Characters that fit while the next stop lies beyond the page.
        QString line;
        auto stopAfter = [&] {
            return std::floor((Metrics().horizontalAdvance(line) + stop + 1) / stop) * stop;
        };
        while (stopAfter() <= width)
            line += QLatin1Char('i');
        QVERIFY(Metrics().horizontalAdvance(line) <= width);
        // The first tab begins the next line, the second one moves on there.
        const Printout out = Print({line + "\t\tz"});
        QCOMPARE(out.TextOf(1), (QStringList{line, "z"}));
        QVERIFY(std::abs(out.Find("z").Box.left() - stop) < Tolerance);
        QVERIFY(std::abs(out.Find("z").Box.top() - out.Find(line).Box.top() - LineHeight()) <
                Tolerance);
    }

    void a_form_feed_starts_a_new_page_at_its_top_left() {
        const Printout out = Print({"eins", "vorher\fnachher", "weiter"});
        QCOMPARE(out.Pages, 2);
        QCOMPARE(out.TextOf(1), (QStringList{"eins", "vorher"}));
        QCOMPARE(out.TextOf(2), (QStringList{"nachher", "weiter"}));
        const QRectF after = out.Find("nachher").Box;
        QCOMPARE(after.left(), Area().left());
        QVERIFY(std::abs(after.top() - Area().top()) < Tolerance);
    }

    void a_page_ends_before_its_last_two_lines_and_nothing_is_lost() {
        const int perPage = int(Area().height() / LineHeight());
        const int count = perPage * 5 / 2;
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines.append(QStringLiteral("Zeile%1").arg(i, 4, 10, QLatin1Char('0')));
        const Printout out = Print(lines);
        QCOMPARE(out.Pages, 3);
        QStringList printed;
        for (const Word& word : out.Words)
            printed.append(word.Text);
        QCOMPARE(printed, lines);
        // A full page's last line began no lower than two line heights above
        // the page end, and one more line would have passed that mark.
        const qreal bottom = Area().bottom();
        for (int page = 1; page <= 2; ++page) {
            const QString last = out.TextOf(page).last();
            const qreal top = out.Find(last).Box.top();
            QVERIFY2(top <= bottom - 2 * LineHeight() + Tolerance, qPrintable(last));
            QVERIFY2(top > bottom - 3 * LineHeight() - Tolerance, qPrintable(last));
            const QString next = out.TextOf(page + 1).first();
            QVERIFY(std::abs(out.Find(next).Box.top() - Area().top()) < Tolerance);
        }
    }

    void empty_lines_fill_the_page_to_its_end() {
        const qreal height = Metrics().height();
        const int onFirstPage = int(Area().height() / height) + 1;
        QStringList lines(onFirstPage + 2, QString());
        lines.append(QStringLiteral("Ende"));
        const Printout out = Print(lines);
        QCOMPARE(out.Pages, 2);
        QVERIFY2(std::abs(out.Find("Ende").Box.top() - Area().top() - 2 * height) < Tolerance,
                 qPrintable(QString::number(out.Find("Ende").Box.top())));
    }

    void a_page_filled_exactly_leaves_no_empty_sheet() {
        const int perPage = int((Area().height() - 2 * LineHeight()) / LineHeight()) + 1;
        const Printout out = Print(QStringList(perPage, QStringLiteral("voll")));
        QCOMPARE(out.Words.size(), perPage);
        QCOMPARE(out.Pages, 1);
    }

    void an_empty_text_gives_one_empty_page() {
        const Printout out = Print({});
        QCOMPARE(out.Pages, 1);
        QVERIFY(out.Words.isEmpty());
    }

    void a_character_wider_than_the_page_stands_alone_on_its_line() {
        printer->setPageMargins(QMarginsF(0, 0, 0, 0));
        printer->setPageSize(QPageSize(QSizeF(3, 300), QPageSize::Point));
        QVERIFY(Metrics().horizontalAdvance(QLatin1Char('W')) > Area().width());
        const Printout out = Print({"WxW"});
        QCOMPARE(out.TextOf(1), (QStringList{"W", "x", "W"}));
    }

    void a_printer_that_cannot_start_the_job_is_an_error() {
        printer->setOutputFileName(dir->filePath(QStringLiteral("fehlt/druck.pdf")));
        QVERIFY_THROWS_EXCEPTION(EKodiwerkError, TPrinterChannel{*printer});
    }
};

QTEST_MAIN(TestPrinterChannel)
#include "tst_printerchannel.moc"
