#include "ui/icons.h"

#include <QFont>
#include <QPainter>

namespace ui {
namespace {

constexpr int kSide = 48;

QImage Canvas(const QColor& background) {
    QImage image(kSide, kSide, QImage::Format_RGB888);
    image.fill(background);
    return image;
}

QImage DrawProductIcon() {
    QImage image = Canvas(QColor(0x1F, 0x4E, 0x8C));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font; // the windows' own family, which start-up has loaded already
    font.setBold(true);
    font.setPixelSize(30);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("h8"));
    return image;
}

QImage DrawMakerIcon() {
    QImage image = Canvas(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xC2, 0x41, 0x0C), 7));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(8.5, 8.5, 31, 31));
    return image;
}

} // namespace

// Each picture is drawn once and shared by the windows that show it.
QImage ProductIcon() {
    static const QImage icon = DrawProductIcon();
    return icon;
}

QImage MakerIcon() {
    static const QImage icon = DrawMakerIcon();
    return icon;
}

} // namespace ui
