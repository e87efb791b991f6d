#pragma once

#include "ui/notice_window.h"

#include <QPainter>
#include <cstdint>
#include <functional>

namespace modAbout {

// 0 while AboutLoftype shows the product icon, 1 while it shows the maker icon.
inline std::int16_t IconState = 0;

} // namespace modAbout

namespace ui {

// A picture box holding an icon, painted at the screen's own resolution. Given a
// handler, it tells of clicks, and a keyboard user can Tab to it and press Space or
// Enter for a click.
class IconBox : public QLabel {
public:
    using Painter = void (*)(QPainter&, int side);

    IconBox(QWidget* parent, const QString& name, const QString& accessibleName, Painter paint);
    void OnClick(std::function<void()> handler);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Painter paint_;
    std::function<void()> onClick_;
};

// The about windows and the licence notice: texts beside an optional icon, the Ok
// button at the top right.
class AboutWindow : public NoticeWindow {
public:
    explicit AboutWindow(const QString& caption);

protected:
    // The square at the top left that holds the icons, one over the other.
    QWidget* AddIconSquare();
    void Finish() { Ok = AddButton(QStringLiteral("Ok"), QStringLiteral("Ok")); }

public:
    QPushButton* Ok = nullptr;
};

class AboutLoftype : public AboutWindow {
public:
    AboutLoftype();
    void Form_Load();
    void icnLoftype_Click();
    void icnOrvenna_Click();

    IconBox* icnLoftype;
    IconBox* icnOrvenna;
    QLabel* lblName;
    QLabel* lblAuthor;
    QLabel* lblComments;
};

class AboutOrvenna : public AboutWindow {
public:
    AboutOrvenna();
    void Form_Load();

    IconBox* icnOrvenna;
    QLabel* lblWebPage;
    QLabel* lblzarn;
    QLabel* lblGetWebPage;
    QLabel* Label3;
};

class AboutAuthor : public AboutWindow {
public:
    AboutAuthor();
    QLabel* lblText;
    QLabel* lblWebSite;
};

class License : public AboutWindow {
public:
    License();
    QLabel* lblCopywrite;
};

} // namespace ui
