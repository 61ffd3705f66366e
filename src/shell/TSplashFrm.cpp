#include "TSplashFrm.h"

#include "TAboutBox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

TSplashFrm::TSplashFrm(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashFrm"));
    setFixedSize(261, 188);
    setStyleSheet(QStringLiteral("TSplashFrm { background: #004080; }"));
    setAttribute(Qt::WA_StyledBackground);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(productPicture(250, 164));
    Image1->setGeometry(0, 4, 250, 164);
    Panel1 = new QLabel(QStringLiteral("Loading site engines and profiles..."), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setStyleSheet(QStringLiteral("background: #d4d0c8; color: black;"));
    Panel1->setGeometry(0, 188 - 17, 261, 17);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, [this] {
        Showing = false;
        Timer1->stop();
    });
    Timer1->start();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSplashFrm::showEvent(QShowEvent* event)
{
    Image1->move(width() / 2 - Image1->width() / 2, Image1->y());
    QWidget::showEvent(event);
}
