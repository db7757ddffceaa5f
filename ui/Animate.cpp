#include "Animate.h"

#include <QPainter>

#include <cmath>
#include <numbers>

TAnimate::TAnimate(QWidget* parent) : QWidget(parent)
{
    setFixedSize(16, 16);
    FTimer.setInterval(80);
    connect(&FTimer, &QTimer::timeout, this, [this] {
        FFrame = (FFrame + 1) % FrameCount;
        update();
    });
}

void TAnimate::SetActive(bool active)
{
    if (active == FActive)
        return;
    FActive = active;
    if (active)
        FTimer.start();
    else {
        FTimer.stop();
        FFrame = StopFrame;
        update();
    }
}

void TAnimate::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.setBrush(QColor(0x2a, 0x6f, 0xb5));
    painter.drawRect(QRectF(1.5, 2.5, 11, 8));
    const double angle = 2 * std::numbers::pi * FFrame / FrameCount;
    const QPointF centre(7 + 3 * std::cos(angle), 6.5 + 2 * std::sin(angle));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xf0, 0xc0, 0x30), 1.5));
    painter.drawEllipse(centre, 2.5, 2.5);
    painter.drawLine(centre + QPointF(1.8, 1.8), centre + QPointF(4, 4));
}
