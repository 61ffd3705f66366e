#include "TALed.h"

#include <QPainter>

TALed::TALed(QWidget* parent) : QWidget(parent) {
    blink_.setInterval(BlinkPeriodMs);
    connect(&blink_, &QTimer::timeout, this, &TALed::toggle);
}

void TALed::setOn(bool on) {
    if (on_ == on)
        return;
    on_ = on;
    update();
}

void TALed::setBlinking(bool blinking) {
    if (blinking == blink_.isActive())
        return;
    phaseLit_ = true;
    if (blinking)
        blink_.start();
    else
        blink_.stop();
    update();
}

void TALed::toggle() {
    phaseLit_ = !phaseLit_;
    update();
}

void TALed::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height()) - 2;
    const QRectF lamp((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    const QColor colour = isLit() ? onColor() : offColor();
    QRadialGradient shine(lamp.center() - QPointF(side / 5.0, side / 5.0), side / 1.6);
    shine.setColorAt(0, colour.lighter(160));
    shine.setColorAt(1, colour);
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(shine);
    painter.drawEllipse(lamp);
}
