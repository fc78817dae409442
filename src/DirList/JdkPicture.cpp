// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirList/JdkPicture.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int Width = 70;
constexpr int Height = 22;

QPixmap Canvas(qreal devicePixelRatio) {
    QPixmap picture(QSize(Width, Height) * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    return picture;
}

} // namespace

namespace dirlist {

QPixmap JdkConfirmPicture(qreal devicePixelRatio) {
    QPixmap picture = Canvas(devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(17);
    painter.setFont(font);
    painter.setPen(QColor(0x00, 0x33, 0xcc));
    painter.drawText(QRect(2, 0, 46, Height), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("JDK"));

    QPainterPath tick;
    tick.moveTo(51, 11);
    tick.lineTo(56, 17);
    tick.lineTo(66, 4);
    painter.setPen(QPen(QColor(0x00, 0x99, 0x33), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    return picture;
}

QPixmap JdkBlankPicture(qreal devicePixelRatio) {
    return Canvas(devicePixelRatio);
}

} // namespace dirlist
