#include "info/game_icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace sonaplex {

QPixmap drawGameIcon(const QString& title, int index)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = QColor::fromHsv((index * 47) % 360, 170, 210);
    QLinearGradient tile(0, 0, 0, 32);
    tile.setColorAt(0, base.lighter(130));
    tile.setColorAt(1, base.darker(140));
    p.setBrush(tile);
    p.setPen(QPen(base.darker(200), 1));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);

    // A motif per game, so that no two icons look alike.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    switch (index % 6) {
    case 0:
        p.drawEllipse(QRectF(17, 3, 12, 12));
        break;
    case 1:
        p.drawRect(QRectF(3, 3, 10, 10));
        break;
    case 2: {
        QPainterPath star;
        star.moveTo(23, 3);
        star.lineTo(26, 11);
        star.lineTo(18, 7);
        star.lineTo(28, 7);
        star.lineTo(20, 11);
        star.closeSubpath();
        p.drawPath(star);
        break;
    }
    case 3:
        p.drawPolygon(QPolygonF({QPointF(3, 14), QPointF(9, 3), QPointF(15, 14)}));
        break;
    case 4:
        p.drawRoundedRect(QRectF(18, 3, 11, 8), 3, 3);
        break;
    default:
        p.drawEllipse(QRectF(3, 3, 8, 8)), p.drawEllipse(QRectF(21, 3, 8, 8));
        break;
    }

    QString initials;
    for (const QString& word : title.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (initials.size() < 2)
            initials += word.front().toUpper();
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(initials.size() > 1 ? 12 : 15);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 12, 32, 19), Qt::AlignCenter, initials);
    return pm;
}

} // namespace sonaplex
