#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

// A small round lamp: lit in the on colour while on (and, when blinking, in
// every other phase of the blink period), else in the off colour.
class TALed final : public QWidget {
    Q_OBJECT
public:
    explicit TALed(QWidget* parent = nullptr);

    static constexpr int BlinkPeriodMs = 500;
    static QColor onColor() { return QColor(0, 255, 255); } // aqua
    static QColor offColor() { return QColor(0, 64, 128); }

    void setOn(bool on);
    bool isOn() const { return on_; }
    void setBlinking(bool blinking);
    bool isBlinking() const { return blink_.isActive(); }
    // What the lamp shows at this moment.
    bool isLit() const { return on_ && phaseLit_; }

    QSize sizeHint() const override { return {14, 14}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void toggle();

    bool on_ = false;
    bool phaseLit_ = true;
    QTimer blink_;
};
