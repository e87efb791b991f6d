#include "ui/icons.h"

#include <QFont>

namespace ui {
namespace {

constexpr int kSide = 48;

} // namespace

void PaintProductIcon(QPainter& painter, int side) {
    painter.save();
    painter.fillRect(QRect(0, 0, side, side), QColor(0x1F, 0x4E, 0x8C));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font; // the windows' own family, which start-up has loaded already
    font.setBold(true);
    font.setPixelSize(side * 30 / kSide);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, side, side), Qt::AlignCenter, QStringLiteral("h8"));
    painter.restore();
}

void PaintMakerIcon(QPainter& painter, int side) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / qreal(kSide), side / qreal(kSide));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(1, 1, 46, 46));
    painter.setPen(QPen(QColor(0xC2, 0x41, 0x0C), 7));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(8.5, 8.5, 31, 31));
    painter.restore();
}

QImage DrawIcon(int side, void (*paint)(QPainter&, int)) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(painter, side);
    return image;
}

QImage DrawProductIcon(int side) {
    return DrawIcon(side, PaintProductIcon);
}

// Each picture is drawn once and shared by the windows that show it.
QImage ProductIcon() {
    static const QImage icon = DrawProductIcon(kSide);
    return icon;
}

QImage MakerIcon() {
    static const QImage icon = DrawIcon(kSide, PaintMakerIcon);
    return icon;
}

} // namespace ui
