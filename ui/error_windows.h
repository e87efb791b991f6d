#pragma once

#include "ui/notice_window.h"

// The error windows: each a fixed text and an OK button under it.
namespace ui {

class ErrorWindow : public NoticeWindow {
public:
    ErrorWindow(const QString& caption, const QString& message);

    QLabel* lblErrorMessage;
    QPushButton* lblOK;
};

// A line the input check refused.
class ErrorInput : public ErrorWindow {
public:
    ErrorInput();
};

// A value for the spaces or the blank lines outside 0..12.
class ErrorOSp : public ErrorWindow {
public:
    ErrorOSp();
};

// A page width that is numeric but no 16-bit number.
class ErrorPageWidth : public ErrorWindow {
public:
    ErrorPageWidth();
};

// A banner that could not be delivered; its message is set when it is shown.
class ErrorOutput : public ErrorWindow {
public:
    ErrorOutput();
    void SetMessage(const QString& message);
};

} // namespace ui

namespace modErrors {

// Loads the error windows hidden, in the start-up order.
void PreloadErrorForms();

// Beeps and shows ErrorOutput with the message.
void ReportOutputFailure(const QString& message);

} // namespace modErrors
