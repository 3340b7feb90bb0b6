#include "setup/Pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace setup {

namespace {

// Blades of kelp rising from the foot of a picture w x h.
void DrawKelp(QPainter& painter, int w, int h)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor greens[] = {QColor(0, 128, 0), QColor(0, 255, 0), QColor(128, 128, 0)};
    for (int blade = 0; blade < 7; ++blade) {
        const double x = w * (0.08 + blade * 0.14);
        QPainterPath path(QPointF(x, h));
        path.cubicTo(
            QPointF(x - w * 0.08, h * 0.7), QPointF(x + w * 0.08, h * 0.45),
            QPointF(x + (blade % 2 ? w * 0.04 : -w * 0.04), h * (0.15 + (blade % 3) * 0.1)));
        painter.setPen(QPen(greens[blade % 3], w / 40.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(path);
    }
}

} // namespace

QPixmap BackgroundPicture()
{
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 128));
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 128, 128));
    for (const QPointF bubble :
         {QPointF(30, 20), QPointF(70, 35), QPointF(120, 15), QPointF(140, 50), QPointF(95, 60)})
        painter.drawEllipse(bubble, 3, 3);
    DrawKelp(painter, 160, 120);
    painter.end();
    // The sixteen colours of the standard palette.
    const QList<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return QPixmap::fromImage(image.convertToFormat(QImage::Format_Indexed8, palette));
}

QPixmap GermanPicture()
{
    QPixmap picture(32, 20);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 32, 7, QColor(0, 0, 0));
    painter.fillRect(0, 7, 32, 6, QColor(221, 0, 0));
    painter.fillRect(0, 13, 32, 7, QColor(255, 206, 0));
    return picture;
}

QPixmap EnglishPicture()
{
    QPixmap picture(32, 20);
    picture.fill(QColor(1, 33, 105));
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::white, 4));
    painter.drawLine(0, 0, 32, 20);
    painter.drawLine(0, 20, 32, 0);
    painter.fillRect(13, 0, 6, 20, Qt::white);
    painter.fillRect(0, 7, 32, 6, Qt::white);
    painter.fillRect(14, 0, 4, 20, QColor(200, 16, 46));
    painter.fillRect(0, 8, 32, 4, QColor(200, 16, 46));
    return picture;
}

QPixmap InstallPicture(int width, int height)
{
    QPixmap picture(width, height);
    QPainter painter(&picture);
    painter.drawPixmap(picture.rect(), BackgroundPicture());
    return picture;
}

} // namespace setup
