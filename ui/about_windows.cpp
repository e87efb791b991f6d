#include "ui/about_windows.h"

#include "ui/icons.h"
#include "version.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace ui {
namespace {

const QString kWebSite = QStringLiteral("www.orvenna.example");
const QString kCommentsAddress = QStringLiteral("comments@orvenna.example");
const QString kHomePageAddress = QStringLiteral("homepage@orvenna.example");
constexpr int kIconSide = 48;

const QString kProductIconName = QStringLiteral("Loftype (h8) icon");
const QString kMakerIconName = QStringLiteral("Orvenna Software icon");

// Shows the other icon in this one's place; the focus, if this one had it, goes along.
void Swap(QWidget& shown, QWidget& hidden) {
    const bool focused = shown.window()->focusWidget() == &shown;
    hidden.setVisible(true);
    if (focused) {
        hidden.setFocus(Qt::OtherFocusReason);
    }
    shown.setVisible(false);
}

} // namespace

IconBox::IconBox(QWidget* parent, const QString& name, const QString& accessibleName, Painter paint)
    : QLabel(parent), paint_(paint) {
    setObjectName(name);
    setAccessibleName(accessibleName);
    // The picture makes it an image to a screen reader; paintEvent draws it sharp.
    setPixmap(QPixmap::fromImage(DrawIcon(kIconSide, paint_)));
    setFixedSize(kIconSide, kIconSide);
}

void IconBox::OnClick(std::function<void()> handler) {
    onClick_ = std::move(handler);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleDescription(QStringLiteral("Space or Enter shows the other icon"));
}

void IconBox::mousePressEvent(QMouseEvent* event) {
    if (onClick_ && event->button() == Qt::LeftButton) {
        onClick_();
    }
}

void IconBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        if (onClick_) {
            onClick_();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void IconBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_(painter, kIconSide);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

AboutWindow::AboutWindow(const QString& caption) : NoticeWindow(caption, ButtonPlace::TopRight) {}

QWidget* AboutWindow::AddIconSquare() {
    auto* square = new QWidget(this);
    square->setFixedSize(kIconSide, kIconSide);
    Row()->insertWidget(0, square, 0, Qt::AlignTop);
    return square;
}

AboutLoftype::AboutLoftype() : AboutWindow(QStringLiteral("About Loftype")) {
    QWidget* square = AddIconSquare();
    icnLoftype =
        new IconBox(square, QStringLiteral("icnLoftype"), kProductIconName, PaintProductIcon);
    icnOrvenna = new IconBox(square, QStringLiteral("icnOrvenna"), kMakerIconName, PaintMakerIcon);
    icnLoftype->OnClick([this] { icnLoftype_Click(); });
    icnOrvenna->OnClick([this] { icnOrvenna_Click(); });
    lblName = AddLabel(QStringLiteral("lblName"),
                       QStringLiteral("Loftype (h8) version " LOFTYPE_VERSION));
    lblAuthor = AddLabel(QStringLiteral("lblAuthor"), QStringLiteral("by Tarvish"));
    lblComments =
        AddLabel(QStringLiteral("lblComments"),
                 QStringLiteral(
                     "If you have any comments or thoughts on this program, please send them to ") +
                     kCommentsAddress);
    Finish();
}

void AboutLoftype::Form_Load() {
    modAbout::IconState = 0;
    icnOrvenna->setVisible(false);
    icnLoftype->setVisible(true);
}

void AboutLoftype::icnLoftype_Click() {
    if (modAbout::IconState == 0) {
        Swap(*icnLoftype, *icnOrvenna);
        modAbout::IconState = 1;
    }
}

void AboutLoftype::icnOrvenna_Click() {
    if (modAbout::IconState == 1) {
        Swap(*icnOrvenna, *icnLoftype);
        modAbout::IconState = 0;
    }
}

AboutOrvenna::AboutOrvenna() : AboutWindow(QStringLiteral("About Orvenna Software")) {
    icnOrvenna =
        new IconBox(AddIconSquare(), QStringLiteral("icnOrvenna"), kMakerIconName, PaintMakerIcon);
    lblWebPage = AddLabel(
        QStringLiteral("lblWebPage"),
        QStringLiteral("To find out more about Orvenna Software and about other programs made by "
                       "Orvenna Software you can visit our web site. Our website can be reached "
                       "from the web site: "));
    lblzarn = AddLabel(QStringLiteral("lblzarn"), QStringLiteral("      ") + kWebSite);
    lblGetWebPage =
        AddLabel(QStringLiteral("lblGetWebPage"),
                 QStringLiteral(
                     " Or, we will send you the current URL of Orvenna Software's home pae if you "
                     "send an e-mail to:"));
    Label3 = AddLabel(QStringLiteral("Label3"), QStringLiteral("      ") + kHomePageAddress);
    Finish();
}

void AboutOrvenna::Form_Load() {
    icnOrvenna->setVisible(true);
}

AboutAuthor::AboutAuthor() : AboutWindow(QStringLiteral("About Author")) {
    lblText = AddLabel(QStringLiteral("lblText"),
                       QStringLiteral("To find out about the author, you can visit the web site:"));
    lblWebSite = AddLabel(QStringLiteral("lblWebSite"), QStringLiteral("     ") + kWebSite);
    Finish();
}

License::License() : AboutWindow(QStringLiteral("License")) {
    lblCopywrite =
        AddLabel(QStringLiteral("lblCopywrite"),
                 QStringLiteral("Copyright (C) Orvenna Software. Released under the MIT License."));
    Finish();
}

} // namespace ui
