#include "preview/PictureBox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::SetPicture(const QImage& image, QSize natural)
{
    image_ = image;
    natural_ = natural;
    update();
}

void PictureBox::Clear()
{
    image_ = QImage();
    natural_ = QSize();
    update();
}

void PictureBox::SetStretch(bool on)
{
    if (!on)
        resize(natural_.isValid() ? natural_ : QSize(0, 0));
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image_);
}
