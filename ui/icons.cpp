#include "ui/icons.h"

#include <QFont>
#include <QPainter>

namespace ui {
namespace {

constexpr int kSide = 48;

QImage Canvas(int side, const QColor& background) {
    QImage image(side, side, QImage::Format_RGB888);
    image.fill(background);
    return image;
}

QImage DrawMakerIcon() {
    QImage image = Canvas(kSide, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xC2, 0x41, 0x0C), 7));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(8.5, 8.5, 31, 31));
    return image;
}

} // namespace

QImage DrawProductIcon(int side) {
    QImage image = Canvas(side, QColor(0x1F, 0x4E, 0x8C));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font; // the windows' own family, which start-up has loaded already
    font.setBold(true);
    font.setPixelSize(side * 30 / kSide);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("h8"));
    return image;
}

// Each picture is drawn once and shared by the windows that show it.
QImage ProductIcon() {
    static const QImage icon = DrawProductIcon(kSide);
    return icon;
}

QImage MakerIcon() {
    static const QImage icon = DrawMakerIcon();
    return icon;
}

} // namespace ui
