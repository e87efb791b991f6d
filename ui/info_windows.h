#pragma once

#include "ui/notice_window.h"

// The information windows of the Info, Info menu: fixed texts and an OK button.
namespace ui {

class InfoWindow : public NoticeWindow {
public:
    explicit InfoWindow(const QString& caption);

protected:
    // Adds the button last, so that it stands under every text.
    void Finish() { btnOK = AddButton(QStringLiteral("btnOK"), QStringLiteral("OK")); }

public:
    QPushButton* btnOK = nullptr;
};

class Info_General : public InfoWindow {
public:
    Info_General();
    QLabel* lblText;
    QLabel* lblOKChar;
    QLabel* lblNum;
    QLabel* lblCapLet;
    QLabel* lblLCLet;
    QLabel* lblSymbol;
};

// A window of one paragraph.
class InfoParagraph : public InfoWindow {
public:
    InfoParagraph(const QString& caption, const QString& text);
    QLabel* lblText;
};

class Info_Copy : public InfoParagraph {
public:
    Info_Copy();
};

class Info_Save : public InfoParagraph {
public:
    Info_Save();
};

class Info_Show : public InfoParagraph {
public:
    Info_Show();
};

} // namespace ui

namespace modInfo {

// Loads the four information windows, in the start-up order.
void PreloadInfoForms();

} // namespace modInfo
