#include "commands/display.h"

#include "platform/checked16.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <optional>

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
constexpr int kBottomMargin =
    kInnerHeight - (kLabelTop + (kGlyphRows - 1) * kRowPitch + kLabelHeight);

// The outer width in pixels that the 16-bit twips product gives, or -1 when the
// band is too wide for it.
int DesignWidth(std::int16_t bandWidth) {
    const std::optional<std::int16_t> twips = platform::Mul16(bandWidth, kTwipsPerCharacter);
    return twips ? Pixels(*twips) : -1;
}

// A screen reader meets a Display as a window, not as a bare area.
QAccessibleInterface* DisplayAccessible(const QString&, QObject* object) {
    if (auto* display = dynamic_cast<Display*>(object)) {
        return new QAccessibleWidget(display, QAccessible::Window);
    }
    return nullptr;
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
    static const bool accessible = (QAccessible::installFactory(DisplayAccessible), true);
    Q_UNUSED(accessible);
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
    setAccessibleName(caption);
    setAccessibleDescription(
        QStringLiteral("banner of \"%1\", eight rows, top row first").arg(caption));
    const QFont font = DisplayFont();
    // Made top row first, so that a screen reader meets them in the order the eye does.
    for (int i = kGlyphRows - 1; i >= 0; --i) {
        QLabel* label = new QLabel(rows_);
        label->setObjectName(QStringLiteral("lblDisplay%1").arg(i));
        label->setFont(font);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setWordWrap(false);
        label->setFocusPolicy(Qt::NoFocus);
        label->setText(QString::fromLatin1(rows[i].data(), static_cast<qsizetype>(rows[i].size())));
        lblDisplay[i] = label;
    }
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller_->setFocusPolicy(Qt::StrongFocus);
    scroller_->installEventFilter(this);
    scroller_->setWidget(rows_);
    SizeFor(bandWidth);
}

// The rows stand as designed, further apart where the font is taller (a large font
// DPI). The window is as wide as the 16-bit product of the design says, widened where
// a row would be cut. A band too wide for that product gets the band's width or the
// screen's, whichever is less, and its rows scroll sideways as far as the banner's
// last column.
void Display::SizeFor(int bandWidth) {
    const QFontMetrics metrics(DisplayFont());
    int textWidth = 0;
    int textHeight = 0;
    for (const QLabel* label : lblDisplay) {
        const QSize text = metrics.size(Qt::TextSingleLine, label->text());
        textWidth = std::max(textWidth, text.width());
        textHeight = std::max(textHeight, text.height());
    }
    const int pitch = std::max(kRowPitch, textHeight);
    const int labelHeight = std::max(kLabelHeight, textHeight);
    const int designWidth = DesignWidth(static_cast<std::int16_t>(bandWidth));
    int width = 0;
    int labelWidth = textWidth;
    if (designWidth >= 0) {
        width = std::max({designWidth, kLabelLeft + textWidth, 1});
        labelWidth = std::max(bandWidth * kCharacterWidth, textWidth);
    } else {
        width = std::min(bandWidth * kCharacterWidth, AvailableWidth());
    }
    for (int i = 0; i < kGlyphRows; ++i) {
        lblDisplay[i]->setGeometry(kLabelLeft, kLabelTop + (kGlyphRows - 1 - i) * pitch, labelWidth,
                                   labelHeight);
    }
    const int contentWidth = std::max(width, kLabelLeft + textWidth);
    const int contentHeight =
        std::max(kInnerHeight, kLabelTop + (kGlyphRows - 1) * pitch + labelHeight + kBottomMargin);
    rows_->setFixedSize(contentWidth, contentHeight);
    const bool scrolls = contentWidth > width;
    const int height =
        contentHeight + (scrolls ? scroller_->horizontalScrollBar()->sizeHint().height() : 0);
    scroller_->setGeometry(0, 0, width, height);
    setFixedSize(width, height);
}

// Home and End scroll to the banner's first and last columns; the scroll area itself
// takes the arrow keys.
bool Display::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroller_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Home || key == Qt::Key_End) {
            scroller_->horizontalScrollBar()->triggerAction(key == Qt::Key_Home
                                                                ? QAbstractSlider::SliderToMinimum
                                                                : QAbstractSlider::SliderToMaximum);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
