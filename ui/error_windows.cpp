#include "ui/error_windows.h"

#include "ui/desktop.h"

namespace ui {

ErrorWindow::ErrorWindow(const QString& caption, const QString& message)
    : NoticeWindow(caption, ButtonPlace::Under),
      lblErrorMessage(AddLabel(QStringLiteral("lblErrorMessage"), message)),
      lblOK(AddButton(QStringLiteral("lblOK"), QStringLiteral("OK"))) {}

ErrorInput::ErrorInput()
    : ErrorWindow(QStringLiteral("Error Input"),
                  QStringLiteral("Invalid input line (see Help.Info.General)")) {}

ErrorOSp::ErrorOSp()
    : ErrorWindow(QStringLiteral("Error 0. S."),
                  QStringLiteral("The number of space between successive characters must be a "
                                 "number between 0 and 12 inclusive.")) {}

ErrorPageWidth::ErrorPageWidth()
    : ErrorWindow(QStringLiteral("Error Page Width"),
                  QStringLiteral("The page width must be a number between -32768 and 32767.")) {}

ErrorOutput::ErrorOutput() : ErrorWindow(QStringLiteral("Error Output"), QString()) {}

void ErrorOutput::SetMessage(const QString& message) {
    lblErrorMessage->setText(Breakable(message));
    FitWidth(*lblErrorMessage, kTextWidth);
    FitHeight(*lblErrorMessage);
}

} // namespace ui

namespace modErrors {

void PreloadErrorForms() {
    ui::Forms::Load<ui::ErrorOSp>().hide();
    ui::Forms::Load<ui::ErrorInput>().hide();
    ui::Forms::Load<ui::ErrorOutput>().hide();
    ui::Forms::Load<ui::ErrorPageWidth>().hide();
}

void ReportOutputFailure(const QString& message) {
    ui::Beep();
    ui::Forms::Load<ui::ErrorOutput>().SetMessage(message);
    ui::Forms::Show<ui::ErrorOutput>();
}

} // namespace modErrors
