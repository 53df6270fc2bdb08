// Draws the window's pictures into PNG files: background, bet-count background, the image
// buttons and the splash picture. Run it once after changing the artwork and commit its output.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

#include <cstdio>

namespace {

const QColor kNight(10, 22, 52);
const QColor kDeepBlue(22, 48, 96);
const QColor kGold(222, 178, 86);
const QColor kPanel(255, 255, 255, 22);

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void drawStars(QPainter& painter, const QRect& area, int count) {
    // A fixed pattern so that the output is the same on every run.
    unsigned state = 2113;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        const int x = area.left() + static_cast<int>((state >> 8) % area.width());
        state = state * 1103515245u + 12345u;
        const int y = area.top() + static_cast<int>((state >> 8) % area.height());
        const int alpha = 60 + static_cast<int>(state % 120);
        painter.setBrush(QColor(255, 255, 255, alpha));
        const qreal radius = (state % 3 == 0) ? 1.4 : 0.8;
        painter.drawEllipse(QPointF(x, y), radius, radius);
    }
}

void drawFramedPanel(QPainter& painter, const QRectF& rect) {
    painter.setPen(QPen(QColor(kGold.red(), kGold.green(), kGold.blue(), 150), 1.2));
    painter.setBrush(kPanel);
    painter.drawRoundedRect(rect, 8, 8);
}

void drawDieFace(QPainter& painter, const QRectF& rect) {
    QLinearGradient face(rect.topLeft(), rect.bottomRight());
    face.setColorAt(0, QColor(255, 255, 255));
    face.setColorAt(1, QColor(222, 228, 240));
    painter.setPen(QPen(kGold, 1.5));
    painter.setBrush(face);
    painter.drawRoundedRect(rect, 9, 9);
}

void drawTitleBar(QPainter& painter, int width) {
    QLinearGradient bar(0, 0, 0, 33);
    bar.setColorAt(0, QColor(6, 14, 36));
    bar.setColorAt(1, QColor(14, 30, 66));
    painter.fillRect(QRect(0, 0, width, 33), bar);
    painter.setPen(QPen(kGold, 1));
    painter.drawLine(0, 33, width, 33);
    // A small star at the left of the title.
    QPainterPath star;
    const QPointF centre(0, 0);
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? 7.0 : 3.0;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    painter.save();
    painter.translate(width - 80, 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGold);
    painter.drawPath(star);
    painter.restore();
}

// The main background; extraHeight makes room for the bet-count panel above the plan box.
QImage drawBackground(int extraHeight) {
    const int width = 1000;
    const int height = 700 + extraHeight;
    QImage image = blankImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, width * 0.3, height);
    sky.setColorAt(0, kNight);
    sky.setColorAt(1, kDeepBlue);
    painter.fillRect(image.rect(), sky);
    QRadialGradient glow(QPointF(260, 120), 320);
    glow.setColorAt(0, QColor(80, 120, 200, 70));
    glow.setColorAt(1, QColor(80, 120, 200, 0));
    painter.fillRect(image.rect(), glow);
    drawStars(painter, QRect(0, 34, width, height - 34), 160);
    drawTitleBar(painter, width);

    drawFramedPanel(painter, QRectF(3, 36, 534, 180));                  // live draw
    drawFramedPanel(painter, QRectF(3, 219, 534, 441 + extraHeight));   // plan
    drawFramedPanel(painter, QRectF(542, 36, 190, 624 + extraHeight));  // history
    drawFramedPanel(painter, QRectF(733, 39, 265, 621 + extraHeight));  // page
    painter.setPen(QPen(QColor(kGold.red(), kGold.green(), kGold.blue(), 90), 1));
    painter.drawLine(12, 72, 528, 72);
    painter.drawLine(12, 158, 528, 158);

    // The three dice behind the visible number labels (the first, third and fifth).
    for (int x : {193, 313, 433}) drawDieFace(painter, QRectF(x - 9, 92, 45, 42));

    // The bottom row where the links stand.
    painter.setPen(QPen(QColor(kGold.red(), kGold.green(), kGold.blue(), 120), 1));
    painter.drawLine(0, 667 + extraHeight, width, 667 + extraHeight);
    return image;
}

QImage drawWindowButton(bool close) {
    QImage image = blankImage(28, 33);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(240, 228, 200), 2, Qt::SolidLine, Qt::RoundCap));
    if (close) {
        painter.drawLine(QPointF(9, 11), QPointF(19, 21));
        painter.drawLine(QPointF(19, 11), QPointF(9, 21));
    } else {
        painter.drawLine(QPointF(8, 20), QPointF(20, 20));
    }
    return image;
}

// The face of the buttons with a caption; the window stretches it to each button's size.
QImage drawCaptionButton() {
    QImage image = blankImage(60, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, 32);
    face.setColorAt(0, QColor(244, 206, 120));
    face.setColorAt(1, QColor(196, 140, 48));
    painter.setPen(QPen(QColor(120, 80, 20), 1));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 59, 31), 7, 7);
    return image;
}

QImage drawSplash() {
    QImage image = blankImage(300, 93);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 300, 93);
    sky.setColorAt(0, kNight);
    sky.setColorAt(1, kDeepBlue);
    painter.fillRect(image.rect(), sky);
    drawStars(painter, image.rect(), 40);
    for (int i = 0; i < 3; ++i) drawDieFace(painter, QRectF(16 + i * 30, 30, 26, 26));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 40, 40));
    painter.drawEllipse(QPointF(29, 43), 3.5, 3.5);
    painter.setBrush(QColor(30, 30, 30));
    for (const QPointF& pip : {QPointF(53, 37), QPointF(65, 49)}) painter.drawEllipse(pip, 2.6, 2.6);
    for (const QPointF& pip : {QPointF(83, 37), QPointF(89, 43), QPointF(95, 49)})
        painter.drawEllipse(pip, 2.6, 2.6);

    QFont title(QStringLiteral("Noto Sans CJK SC"));
    title.setPixelSize(24);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(kGold);
    painter.drawText(QRectF(118, 16, 180, 34), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("澜星 · 快三"));
    QFont subtitle(QStringLiteral("Noto Sans CJK SC"));
    subtitle.setPixelSize(13);
    painter.setFont(subtitle);
    painter.setPen(QColor(230, 236, 250));
    painter.drawText(QRectF(118, 52, 180, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("吉林快三 平刷独胆计划"));
    return image;
}

bool save(const QImage& image, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (image.save(path, "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const bool ok = save(drawBackground(0), folder, QStringLiteral("background.png")) &&
                    save(drawBackground(82), folder, QStringLiteral("background_bet.png")) &&
                    save(drawWindowButton(true), folder, QStringLiteral("button_close.png")) &&
                    save(drawWindowButton(false), folder, QStringLiteral("button_minimise.png")) &&
                    save(drawCaptionButton(), folder, QStringLiteral("button_caption.png")) &&
                    save(drawSplash(), folder, QStringLiteral("splash.png"));
    return ok ? 0 : 1;
}
