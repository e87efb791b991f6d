#include "ui/about_windows.h"

#include "ui/icons.h"

#include <QHBoxLayout>
#include <QMouseEvent>

namespace ui {
namespace {

const QString kWebSite = QStringLiteral("www.orvenna.example");
const QString kCommentsAddress = QStringLiteral("comments@orvenna.example");
const QString kHomePageAddress = QStringLiteral("homepage@orvenna.example");
constexpr int kIconSide = 48;

} // namespace

IconBox::IconBox(QWidget* parent, const QString& name, const QImage& icon) : QLabel(parent) {
    setObjectName(name);
    setPixmap(QPixmap::fromImage(icon));
    setFixedSize(kIconSide, kIconSide);
}

void IconBox::mousePressEvent(QMouseEvent* event) {
    if (onClick && event->button() == Qt::LeftButton) {
        onClick();
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
    icnLoftype = new IconBox(square, QStringLiteral("icnLoftype"), ProductIcon());
    icnOrvenna = new IconBox(square, QStringLiteral("icnOrvenna"), MakerIcon());
    icnLoftype->onClick = [this] { icnLoftype_Click(); };
    icnOrvenna->onClick = [this] { icnOrvenna_Click(); };
    lblName = AddLabel(QStringLiteral("lblName"), QStringLiteral("Loftype (h8) version 1.2"));
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
        icnLoftype->setVisible(false);
        icnOrvenna->setVisible(true);
        modAbout::IconState = 1;
    }
}

void AboutLoftype::icnOrvenna_Click() {
    if (modAbout::IconState == 1) {
        icnOrvenna->setVisible(false);
        icnLoftype->setVisible(true);
        modAbout::IconState = 0;
    }
}

AboutOrvenna::AboutOrvenna() : AboutWindow(QStringLiteral("About Orvenna Software")) {
    icnOrvenna = new IconBox(AddIconSquare(), QStringLiteral("icnOrvenna"), MakerIcon());
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
