#include "ui/fit.h"

#include <QFontMetricsF>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace ui {
namespace {

int Pixels(qreal width) {
    return static_cast<int>(std::ceil(width));
}

} // namespace

QSize ButtonSize(const QPushButton& button, QSize design) {
    const QStyle* style = button.style();
    int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button) +
                 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    if (button.autoDefault() || button.isDefault()) {
        margin += 2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, nullptr, &button);
    }
    const QSize text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    return design.expandedTo(text + QSize(margin, margin));
}

QSize BoxSize(const QLineEdit& box, QSize design, const QString& widestValue) {
    // The box's own size hint is its frame and margins around seventeen "x".
    const QSize hint = box.sizeHint();
    const int frame = hint.width() - box.fontMetrics().horizontalAdvance(QLatin1Char('x')) * 17;
    const int text = Pixels(QFontMetricsF(box.font()).horizontalAdvance(widestValue));
    return design.expandedTo(QSize(text + frame, hint.height()));
}

int UnbreakableWidth(const QFontMetrics& metrics, const QString& text) {
    const QFontMetricsF exact(metrics);
    qreal widest = 0;
    QString piece;
    bool leading = true;
    for (QChar c : text) {
        const bool breaks = c == QChar(0x200B) || (c.isSpace() && !leading);
        if (breaks) {
            widest = std::max(widest, exact.horizontalAdvance(piece));
            piece.clear();
            continue;
        }
        leading = leading && c.isSpace();
        piece += c;
    }
    return Pixels(std::max(widest, exact.horizontalAdvance(piece)));
}

} // namespace ui
