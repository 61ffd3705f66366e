#include "TAboutBox.h"

#include "platform/Dialogs.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

QPixmap productPicture(int width, int height)
{
    QPixmap picture(width, height);
    QPainter p(&picture);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0, 64, 128));
    sky.setColorAt(1, QColor(0, 150, 200));
    p.fillRect(picture.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    // An envelope flying towards a row of servers: one application, many sites.
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(255, 255, 255, 60));
    const int w = width / 4, h = height / 5;
    const QRect envelope(width / 10, height / 3, w, h);
    p.drawRect(envelope);
    p.drawLine(envelope.topLeft(), envelope.center());
    p.drawLine(envelope.topRight(), envelope.center());
    for (int i = 0; i < 3; ++i) {
        const QRect box(width * 6 / 10 + i * (width / 9), height / 4 + (i % 2) * 8, width / 12, height / 3);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawRoundedRect(box, 3, 3);
        p.drawLine(envelope.right() + 6, envelope.center().y(), box.left() - 4, box.center().y());
    }
    QFont font(QStringLiteral("DejaVu Sans"), qMax(8, height / 8), QFont::Bold);
    p.setFont(font);
    p.drawText(QRect(0, height * 3 / 4 - 4, width, height / 4), Qt::AlignCenter, QStringLiteral("Postrix"));
    return picture;
}

TAboutBox::TAboutBox(platform::Dialogs& dialogs, QString makerHomePage, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), makerHomePage_(std::move(makerHomePage))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Postrix"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(298, 246);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(productPicture(120, 80));
    picture->setGeometry(12, 12, 120, 80);
    auto* product = new QLabel(QStringLiteral("Postrix(tm)"), this);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont big = product->font();
    big.setPixelSize(18);
    big.setBold(true);
    product->setFont(big);
    product->setGeometry(144, 24, 146, 24);
    auto* version = new QLabel(QStringLiteral("Version 2.03"), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setGeometry(144, 54, 146, 18);
    auto* notice = new QLabel(QStringLiteral("Submits your software to many download sites in one run."), this);
    notice->setObjectName(QStringLiteral("Comments"));
    notice->setWordWrap(true);
    notice->setGeometry(12, 104, 274, 40);

    BitBtn1 = new QPushButton(QStringLiteral("Close About"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(12, 200, 130, 28);
    BitBtn2 = new QPushButton(QStringLiteral("Vantorel Web"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(156, 200, 130, 28);
    MassBtn = new QPushButton(QStringLiteral("&D"), this);
    MassBtn->setObjectName(QStringLiteral("MassBtn"));
    MassBtn->setGeometry(280, 232, 15, 10);
    MassBtn->setFlat(true);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { dialogs_.openUrl(makerHomePage_); });
    connect(MassBtn, &QPushButton::clicked, this, [this] {
        massPressed_ = true;
        reject();
    });
}
