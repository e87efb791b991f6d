#include "commands/display.h"

#include "platform/checked16.h"
#include "ui/twips.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

namespace ui {

using mod8Zevazuv::kGlyphRows;

namespace {

// The design is in twips: a character unit is 120 across and 240 down.
constexpr std::int16_t kTwipsPerCharacter = 120;
constexpr int kCharacterWidth = Pixels(kTwipsPerCharacter); // 8
constexpr int kRowPitch = Pixels(240);                      // 16
constexpr int kLabelLeft = Pixels(120);
constexpr int kLabelTop = Pixels(120);
constexpr int kLabelHeight = Pixels(255);
constexpr int kInnerHeight = Pixels(2175);

// The outer width in pixels that the 16-bit twips product gives, or -1 when the
// band is too wide for it.
int DesignWidth(std::int16_t bandWidth) {
    try {
        return Pixels(platform::Mul16(bandWidth, kTwipsPerCharacter));
    } catch (const platform::Overflow&) {
        return -1;
    }
}

int AvailableWidth() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry().width() : 1024;
}

} // namespace

QFont DisplayFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

Display* Display::Open(const QString& caption, const std::array<std::string, kGlyphRows>& rows,
                       std::int16_t bandWidth) {
    auto* display = new Display(caption, rows, bandWidth);
    display->show();
    return display;
}

Display::Display(const QString& caption, const std::array<std::string, kGlyphRows>& rows,
                 std::int16_t bandWidth)
    : caption_(caption), scroller_(new QScrollArea(this)), rows_(new QWidget) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Display"));
    // "[*]" in a title marks unsaved changes; doubled, it shows as written.
    setWindowTitle(QString(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    const QFont font = DisplayFont();
    const QFontMetrics metrics(font);
    for (int i = 0; i < kGlyphRows; ++i) {
        QLabel* label = new QLabel(rows_);
        label->setObjectName(QStringLiteral("lblDisplay%1").arg(i));
        label->setFont(font);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setWordWrap(false);
        label->setFocusPolicy(Qt::NoFocus);
        label->setText(QString::fromLatin1(rows[i].data(), static_cast<qsizetype>(rows[i].size())));
        // A label is as wide as the band, or as its text where a row is longer.
        int width =
            std::max(int{bandWidth} * kCharacterWidth, metrics.horizontalAdvance(label->text()));
        label->setGeometry(kLabelLeft, kLabelTop + (kGlyphRows - 1 - i) * kRowPitch, width,
                           kLabelHeight);
        lblDisplay[i] = label;
    }
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller_->setWidget(rows_);
    SizeFor(bandWidth);
}

// The window is as wide as the 16-bit product of the design says, widened where a
// row would be cut. A band too wide for that product gets the band's width or the
// screen's, whichever is less, and its rows scroll sideways.
void Display::SizeFor(int bandWidth) {
    int labelsRight = 0;
    int textRight = 0;
    for (QLabel* label : lblDisplay) {
        labelsRight = std::max(labelsRight, label->x() + label->width());
        textRight =
            std::max(textRight, label->x() + label->fontMetrics().horizontalAdvance(label->text()));
    }
    const int designWidth = DesignWidth(static_cast<std::int16_t>(bandWidth));
    int width = 0;
    int contentWidth = 0;
    if (designWidth >= 0) {
        // Text longer than the design width widens the window rather than being cut.
        width = std::max({designWidth, textRight, 1});
        contentWidth = width;
    } else {
        width = std::min(bandWidth * kCharacterWidth, AvailableWidth());
        contentWidth = std::max(width, labelsRight);
    }
    rows_->setFixedSize(contentWidth, kInnerHeight);
    const bool scrolls = contentWidth > width;
    const int height =
        kInnerHeight + (scrolls ? scroller_->horizontalScrollBar()->sizeHint().height() : 0);
    scroller_->setGeometry(0, 0, width, height);
    setFixedSize(width, height);
}

} // namespace ui
