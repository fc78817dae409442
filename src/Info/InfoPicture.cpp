// SPDX-License-Identifier: GPL-3.0-or-later
#include "Info/InfoPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr int Width = 320;
constexpr int Height = 230;

// One line of the code shown behind the name: indent and three runs, in
// characters, each drawn as a rounded bar in the editor's colours.
struct CodeLine {
    int Indent;
    int Keyword;
    int Plain;
    int Brace;
};

void DrawBackground(QPainter& painter) {
    QLinearGradient sky(0, 0, Width * 0.4, Height);
    sky.setColorAt(0, QColor(0x14, 0x3c, 0x5a));
    sky.setColorAt(1, QColor(0x08, 0x12, 0x24));
    painter.fillRect(0, 0, Width, Height, sky);
    // A warm lamp light from the upper right, as on a desk in the evening.
    QRadialGradient lamp(Width * 0.85, Height * 0.1, Width * 0.6);
    lamp.setColorAt(0, QColor(255, 190, 110, 120));
    lamp.setColorAt(1, QColor(255, 190, 110, 0));
    painter.fillRect(0, 0, Width, Height, lamp);
}

void DrawCode(QPainter& painter) {
    const CodeLine lines[] = {{0, 6, 12, 2}, {2, 6, 16, 2}, {4, 0, 22, 0}, {4, 3, 10, 2},
                              {6, 0, 18, 0}, {4, 0, 0, 2},  {2, 0, 0, 2}};
    const QColor keyword(90, 140, 255, 150);
    const QColor plain(220, 225, 235, 90);
    const QColor brace(255, 90, 90, 170);
    const qreal unit = 6.5;
    const qreal left = 18;
    qreal y = 98;
    painter.setPen(Qt::NoPen);
    for (const CodeLine& line : lines) {
        qreal x = left + line.Indent * unit;
        auto bar = [&](int length, const QColor& colour) {
            if (length == 0)
                return;
            painter.setBrush(colour);
            painter.drawRoundedRect(QRectF(x, y, length * unit - 3, 7), 3, 3);
            x += length * unit + 3;
        };
        bar(line.Keyword, keyword);
        bar(line.Plain, plain);
        bar(line.Brace, brace);
        y += 13;
    }
    // A comment in the editor's purple at the right.
    painter.setBrush(QColor(200, 100, 220, 140));
    painter.drawRoundedRect(QRectF(200, 150, 96, 7), 3, 3);
}

void DrawName(QPainter& painter) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(50);
    font.setBold(true);
    QPainterPath name;
    name.addText(0, 0, font, QStringLiteral("Kodiwerk"));
    const QRectF bounds = name.boundingRect();
    name.translate((Width - bounds.width()) / 2 - bounds.left(), 68);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(name.translated(3, 3));
    QLinearGradient fill(0, 20, 0, 70);
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(255, 214, 150));
    painter.setBrush(fill);
    painter.drawPath(name);

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(13);
    painter.setFont(small);
    painter.setPen(QColor(230, 236, 245, 220));
    painter.drawText(QRectF(0, 74, Width, 18), Qt::AlignHCenter,
                     QStringLiteral("Java lernen, Schritt für Schritt"));
}

} // namespace

namespace info {

QPixmap KodiwerkPicture() {
    QPixmap picture(Width, Height);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawBackground(painter);
    DrawCode(painter);
    DrawName(painter);
    return picture;
}

} // namespace info
