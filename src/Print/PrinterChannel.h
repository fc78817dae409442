// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/PrintLines.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

class QPagedPaintDevice;

// Printing onto a printer's pages: text flows from the top-left corner of
// the printable area in the channel's own font, is cut where the page ends
// and continued on the next line, a tab jumps to the next stop, a form feed
// starts a new page, and a page ends early enough to keep two lines free.
class TPrinterChannel : public datei::TTextChannel {
public:
    // Starts the print job in `font`; throws EKodiwerkError when the device refuses.
    explicit TPrinterChannel(QPagedPaintDevice& device, const QFont& font = DefaultFont());
    ~TPrinterChannel() override;

    void Write(const QString& text) override;
    void WriteLineEnd() override;
    void Close() override;

    // The source is printed in a fixed-pitch font, so its columns line up.
    static QFont DefaultFont();

private:
    void DrawText(QStringView text);
    void Tab();
    void LineEnd();
    void FormFeed();
    // Pages are begun only when something is put on them, so a document
    // that fills its last page exactly ends without an empty sheet.
    void StartDuePage();

    QPagedPaintDevice& Device;
    QPainter Painter;
    QFontMetricsF Metrics;
    qreal PageWidth = 0;
    qreal PageHeight = 0;
    qreal TabWidth = 0; // eight average character widths
    qreal X = 0;
    qreal Y = 0;
    qreal TallestText = 0; // 0 while nothing was drawn on the line
    bool PageDue = false;
};
