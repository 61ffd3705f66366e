#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The splash shown while the program loads; Showing turns false 300 ms after
// creation.
class TSplashFrm final : public QWidget {
    Q_OBJECT
public:
    explicit TSplashFrm(QWidget* parent = nullptr);

    bool Showing = true;
    QLabel* Image1;
    QLabel* Panel1;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;
};
