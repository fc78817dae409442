// SPDX-License-Identifier: GPL-3.0-or-later
#include "Print/PrinterChannel.h"

#include "Base/KodiwerkError.h"
#include "Datei/IoError.h"

#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QTextBoundaryFinder>
#include <cerrno>
#include <cmath>

namespace {

// Lengths of the leading pieces of `text` that end between two characters as
// the reader sees them, so a cut never splits a character.
QList<qsizetype> CutPoints(QStringView text) {
    QList<qsizetype> points;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    while (finder.toNextBoundary() > 0)
        points.append(finder.position());
    return points;
}

} // namespace

QFont TPrinterChannel::DefaultFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    return font;
}

TPrinterChannel::TPrinterChannel(QPagedPaintDevice& device, const QFont& font)
    : Device(device), Metrics(font, &device) {
    if (!Painter.begin(&Device))
        datei::ThrowIoError(EIO);
    Painter.setFont(font);
    PageWidth = Device.width();
    PageHeight = Device.height();
    TabWidth = 8 * Metrics.averageCharWidth();
}

TPrinterChannel::~TPrinterChannel() {
    if (Painter.isActive())
        Painter.end();
}

void TPrinterChannel::Write(const QString& text) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        const QChar c = end ? QChar() : text[i];
        if (!end && c != QLatin1Char('\t') && c != QLatin1Char('\f'))
            continue;
        DrawText(QStringView(text).mid(start, i - start));
        if (c == QLatin1Char('\t'))
            Tab();
        else if (c == QLatin1Char('\f'))
            FormFeed();
        start = i + 1;
    }
}

void TPrinterChannel::WriteLineEnd() {
    LineEnd();
}

void TPrinterChannel::Close() {
    if (!Painter.isActive())
        return;
    if (!Painter.end())
        datei::ThrowIoError(EIO);
}

void TPrinterChannel::DrawText(QStringView text) {
    while (!text.isEmpty()) {
        StartDuePage();
        const QList<qsizetype> points = CutPoints(text);
        // The longest leading piece that fits into the rest of the line.
        const qreal room = PageWidth - X;
        qsizetype low = 0;
        qsizetype high = points.size();
        while (low < high) {
            const qsizetype mid = (low + high + 1) / 2;
            if (Metrics.horizontalAdvance(text.left(points[mid - 1]).toString()) <= room)
                low = mid;
            else
                high = mid - 1;
        }
        if (low == 0 && X > 0) {
            LineEnd();
            continue;
        }
        // A character wider than the whole page stands alone on its line.
        const qsizetype length = points[std::max<qsizetype>(low, 1) - 1];
        const QString piece = text.left(length).toString();
        Painter.drawText(QPointF(X, Y + Metrics.ascent()), piece);
        X += Metrics.horizontalAdvance(piece);
        TallestText = std::max(TallestText, Metrics.height());
        text = text.mid(length);
        if (!text.isEmpty())
            LineEnd();
    }
}

void TPrinterChannel::Tab() {
    const qreal stop = std::floor((X + TabWidth + 1) / TabWidth) * TabWidth;
    if (stop > PageWidth)
        LineEnd();
    else
        X = stop;
}

void TPrinterChannel::LineEnd() {
    const qreal lineHeight = TallestText > 0 ? TallestText + 2 : Metrics.height();
    const qreal keepFree = TallestText > 0 ? 2 * lineHeight : 0;
    X = 0;
    Y += lineHeight;
    TallestText = 0;
    if (Y > PageHeight - keepFree) {
        PageDue = true;
        Y = 0;
    }
}

void TPrinterChannel::FormFeed() {
    StartDuePage();
    PageDue = true;
    X = 0;
    Y = 0;
    TallestText = 0;
}

void TPrinterChannel::StartDuePage() {
    if (!PageDue)
        return;
    PageDue = false;
    if (!Device.newPage())
        datei::ThrowIoError(EIO);
}
