// One-off program that draws the two report pictures shipped as resources:
// the page logo "pxsr.jpg" (180 x 60) and the summary page background
// "back.jpg". Run it with the output folder to redraw them:
//   postrix_draw_report_pictures resources/reports
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

const QColor Navy(0x00, 0x00, 0x80);
const QColor Violet(0x40, 0x00, 0x80);

QImage drawLogo() {
    QImage image(180, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A round badge with a paper dart leaving it: one program, many sites.
    QRadialGradient badge(QPointF(24, 22), 26);
    badge.setColorAt(0, QColor(0x3a, 0x4f, 0xc8));
    badge.setColorAt(1, Navy);
    p.setPen(Qt::NoPen);
    p.setBrush(badge);
    p.drawEllipse(QPointF(30, 30), 24, 24);

    QPainterPath dart;
    dart.moveTo(16, 31);
    dart.lineTo(45, 18);
    dart.lineTo(33, 44);
    dart.lineTo(29, 34);
    dart.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(dart);
    QPainterPath fold;
    fold.moveTo(29, 34);
    fold.lineTo(45, 18);
    fold.lineTo(31, 39);
    fold.closeSubpath();
    p.setBrush(QColor(0xc8, 0xd0, 0xf0));
    p.drawPath(fold);

    // Three dots for the sites the dart is heading to.
    p.setBrush(Violet);
    p.drawEllipse(QPointF(51, 10), 2.2, 2.2);
    p.drawEllipse(QPointF(55, 17), 1.8, 1.8);
    p.drawEllipse(QPointF(57, 25), 1.4, 1.4);

    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(27);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
    p.setFont(name);
    p.setPen(Navy);
    p.drawText(QRectF(64, 6, 116, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Postrix"));

    p.setPen(QPen(Violet, 1));
    p.drawLine(QPointF(65, 42.5), QPointF(174, 42.5));

    QFont tag(QStringLiteral("DejaVu Sans"));
    tag.setPixelSize(8);
    tag.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(tag);
    p.drawText(QRectF(65, 45, 115, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("SUBMISSION REPORT"));
    return image;
}

// The summary page tiles this picture: a soft band down the left side behind
// the empty first column of its table, a thin rule, and a plain page.
QImage drawBackground() {
    const int width = 2560;
    const int height = 32;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0xfc, 0xfc, 0xfe));
    QPainter p(&image);

    QLinearGradient band(0, 0, 140, 0);
    band.setColorAt(0, QColor(0xc9, 0xd1, 0xec));
    band.setColorAt(1, QColor(0xe8, 0xec, 0xf7));
    p.fillRect(0, 0, 140, height, band);

    // Faint diagonal hatching; 32 pixels repeat seamlessly downwards.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    for (int x = -height; x < 140; x += 8)
        p.drawLine(QPointF(x, height), QPointF(x + height, 0));

    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(140, 0, 2, height, Navy);
    p.fillRect(142, 0, 3, height, QColor(0xd8, 0xdc, 0xee));
    return image;
}

bool save(const QImage& image, const QString& path) {
    if (image.save(path, "JPEG", 92))
        return true;
    std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const bool ok = save(drawLogo(), out.filePath(QStringLiteral("pxsr.jpg"))) &&
                    save(drawBackground(), out.filePath(QStringLiteral("back.jpg")));
    return ok ? 0 : 1;
}
