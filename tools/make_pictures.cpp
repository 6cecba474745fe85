// Draws the program's pictures into the folder given (forms/pictures/; run once, the PNG files are
// committed).
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QImage canvas(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// A memory module seen from the front: board, chips and gold contacts.
void drawModule(QPainter& p, QRectF board) {
    QLinearGradient green(board.topLeft(), board.bottomLeft());
    green.setColorAt(0, QColor(40, 150, 70));
    green.setColorAt(1, QColor(20, 95, 45));
    p.setPen(QPen(QColor(10, 60, 25), 1));
    p.setBrush(green);
    p.drawRoundedRect(board, 1.5, 1.5);
    const double chipW = board.width() / 4.0 - 2;
    for (int i = 0; i < 4; ++i) {
        QRectF chip(board.left() + 1.5 + i * (chipW + 2), board.top() + 2, chipW,
                    board.height() * 0.45);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 30, 34));
        p.drawRect(chip);
    }
    p.setBrush(QColor(225, 185, 60));
    for (double x = board.left() + 2; x < board.right() - 2; x += 2.5)
        p.drawRect(QRectF(x, board.bottom() - 3.5, 1.5, 3));
}

// The program's picture on a 32 x 32 grid; larger sizes are the same drawing scaled.
// forms/pictures/dimmetric.svg is the same drawing by hand, for the scalable icon: change both.
void drawProgram(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 44, 72));
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);
    drawModule(p, QRectF(3.5, 9.5, 25, 13));
    // A small gauge needle: "how much memory".
    p.setPen(QPen(QColor(250, 250, 250), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 29), QPointF(22, 25));
}

QImage programPicture(int size = 32) {
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    drawProgram(p);
    return image;
}

// The about box's banner, 388 x 96: the program's picture and name on a night-blue band with a
// row of modules fading out to the right.
QImage bannerPicture() {
    QImage image(388, 96, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient band(0, 0, 388, 96);
    band.setColorAt(0, QColor(18, 28, 48));
    band.setColorAt(1, QColor(40, 66, 104));
    p.fillRect(image.rect(), band);
    for (int i = 0; i < 4; ++i) {
        p.setOpacity(0.55 - i * 0.12);
        drawModule(p, QRectF(262 + i * 31, 26 + (i % 2) * 10, 26, 14));
    }
    p.setOpacity(1);
    p.save();
    p.translate(16, 16);
    p.scale(2, 2);
    drawProgram(p);
    p.restore();
    QFont title(QStringLiteral("Sans"));
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(225, 230, 240));
    p.drawText(QPointF(94, 46), QStringLiteral("Dimmetric"));
    QFont subtitle(QStringLiteral("Sans"));
    subtitle.setPixelSize(12);
    p.setFont(subtitle);
    p.setPen(QColor(170, 190, 215));
    p.drawText(QPointF(95, 68), QStringLiteral("Memory details at your finger tips"));
    p.setPen(QPen(QColor(225, 185, 60), 2));
    p.drawLine(QPointF(0, 95), QPointF(388, 95));
    return image;
}

// The button pictures read on light and dark palettes alike: every part has a dark and a light
// tone next to each other (a dark shape with a light rim, or the other way round), and the lone
// lines are a middle tone that stands out from both.
QImage emptySlotPicture() {
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The socket: a dark rail with a light rim and its two white latches with a dark rim, and a
    // dashed outline where a module would be.
    p.setPen(QPen(QColor(205, 205, 212), 1));
    p.setBrush(QColor(45, 45, 50));
    p.drawRect(QRectF(1.5, 21.5, 29, 6));
    p.setPen(QPen(QColor(70, 70, 76), 1));
    p.setBrush(QColor(240, 240, 240));
    p.drawRect(QRectF(1.5, 17.5, 3, 10));
    p.drawRect(QRectF(27.5, 17.5, 3, 10));
    p.setPen(QPen(QColor(130, 130, 130), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6.5, 6.5, 19, 14));
    // Plus sign: add a module.
    p.setPen(QPen(QColor(30, 150, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 9), QPointF(16, 18));
    p.drawLine(QPointF(11.5, 13.5), QPointF(20.5, 13.5));
    return image;
}

QImage driversPicture() {
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A dark chip with a light frame and pins, and a round middle-blue badge with a downward
    // arrow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 128, 134));
    for (int i = 0; i < 4; ++i) {
        const double y = 6 + i * 5;
        p.drawRect(QRectF(1, y, 4, 2));
        p.drawRect(QRectF(21, y, 4, 2));
    }
    p.setPen(QPen(QColor(200, 200, 208), 1));
    p.setBrush(QColor(50, 50, 58));
    p.drawRect(QRectF(4.5, 3.5, 17, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 130, 225));
    p.drawEllipse(QRectF(14.5, 14.5, 17, 17));
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(23, 18), QPointF(23, 27));
    QPainterPath head;
    head.moveTo(19.5, 24);
    head.lineTo(23, 27.5);
    head.lineTo(26.5, 24);
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
    return image;
}

QImage moduleSearchGlyph() {
    QImage image = canvas(24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A page with lines, under a magnifying glass.
    p.setPen(QPen(QColor(110, 110, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 13, 17));
    p.setPen(QPen(QColor(150, 150, 160), 1));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(5, 5.5 + i * 3), QPointF(13, 5.5 + i * 3));
    // The glass's handle and rim have a light halo.
    p.setPen(QPen(QColor(225, 225, 230), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17.5, 17.5), QPointF(22, 22));
    p.setPen(QPen(QColor(225, 225, 230), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(9, 9, 10, 10));
    p.setPen(QPen(QColor(60, 60, 70), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17.5, 17.5), QPointF(22, 22));
    p.setPen(QPen(QColor(40, 90, 170), 2));
    p.setBrush(QColor(200, 225, 255, 170));
    p.drawEllipse(QRectF(9, 9, 10, 10));
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const bool ok = programPicture().save(folder + "/dimmetric.png") &&
                    emptySlotPicture().save(folder + "/emptyslot.png") &&
                    driversPicture().save(folder + "/drivers.png") &&
                    moduleSearchGlyph().save(folder + "/module-search.png") &&
                    programPicture(48).save(folder + "/dimmetric-48.png") &&
                    programPicture(128).save(folder + "/dimmetric-128.png") &&
                    programPicture(256).save(folder + "/dimmetric-256.png") &&
                    bannerPicture().save(folder + "/banner.png");
    return ok ? 0 : 1;
}
