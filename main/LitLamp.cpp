#include "main/LitLamp.h"

#include <QPainter>

LitLamp::LitLamp(QWidget* parent, QPixmap picture) : QWidget(parent), picture_(std::move(picture))
{
}

void LitLamp::SetLit(bool lit)
{
    if (lit == lit_)
        return;
    lit_ = lit;
    update();
}

void LitLamp::paintEvent(QPaintEvent*)
{
    if (lit_)
        QPainter(this).drawPixmap(0, 0, picture_);
}
