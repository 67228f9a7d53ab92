#include "ui/splash_art.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace sonaplex {

QPixmap drawLogo(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 100.0;

    // Disc
    QRadialGradient disc(50 * s, 40 * s, 60 * s);
    disc.setColorAt(0, QColor(70, 110, 220));
    disc.setColorAt(1, QColor(15, 30, 110));
    p.setBrush(disc);
    p.setPen(QPen(QColor(10, 20, 70), 2 * s));
    p.drawEllipse(QRectF(3 * s, 3 * s, 94 * s, 94 * s));

    // Loudspeaker
    QPainterPath speaker;
    speaker.moveTo(22 * s, 40 * s);
    speaker.lineTo(34 * s, 40 * s);
    speaker.lineTo(50 * s, 26 * s);
    speaker.lineTo(50 * s, 74 * s);
    speaker.lineTo(34 * s, 60 * s);
    speaker.lineTo(22 * s, 60 * s);
    speaker.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 245, 250));
    p.drawPath(speaker);

    // Waves: red for the game's sound, blue for the replacement
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 60, 60), 5 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(40 * s, 35 * s, 30 * s, 30 * s), -50 * 16, 100 * 16);
    p.setPen(QPen(QColor(120, 190, 255), 5 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(34 * s, 22 * s, 50 * s, 56 * s), -55 * 16, 110 * 16);
    return pm;
}

QPixmap drawTitleArt(int width, int height)
{
    QPixmap pm(width, height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setWeight(QFont::Black);
    font.setLetterSpacing(QFont::PercentageSpacing, 108);
    font.setPixelSize(int(height * 0.72));
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("SONAPLEX"));
    const QRectF box = text.boundingRect();
    const double scale = std::min((width - 8) / box.width(), (height - 8) / box.height());
    QTransform t;
    t.translate(width / 2.0, height / 2.0);
    t.scale(scale, scale);
    t.translate(-box.center().x(), -box.center().y());
    const QPainterPath placed = t.map(text);

    p.fillPath(placed.translated(3, 3), QColor(0, 0, 0, 90));
    QLinearGradient metal(0, placed.boundingRect().top(), 0, placed.boundingRect().bottom());
    metal.setColorAt(0, QColor(255, 90, 90));
    metal.setColorAt(0.48, QColor(200, 0, 0));
    metal.setColorAt(0.52, QColor(0, 0, 200));
    metal.setColorAt(1, QColor(90, 120, 255));
    p.fillPath(placed, metal);
    p.setPen(QPen(QColor(20, 20, 40), 1.2));
    p.drawPath(placed);
    return pm;
}

QByteArray artPixels(const QPixmap& picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
}

QPixmap artFromPixels(const QByteArray& pixels, QSize size)
{
    if (size.isEmpty() || pixels.size() != qsizetype(size.width()) * size.height() * 4)
        return {};
    return QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(pixels.constData()), size.width(), size.height(),
        size.width() * 4, QImage::Format_ARGB32_Premultiplied));
}

} // namespace sonaplex
