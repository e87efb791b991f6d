#pragma once

#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>

// Sizes that let a control show its whole text in the current font and style, never
// less than the design gives it.
namespace ui {

// A push button's size: its caption with the style's margins, at least the design size.
QSize ButtonSize(const QPushButton& button, QSize design);

// A one-line text box's size: room for the widest value it is meant to hold.
QSize BoxSize(const QLineEdit& box, QSize design, const QString& widestValue);

// The width of the widest piece of a text that cannot wrap: a word, an address, or the
// first word with the blanks that lead it. A zero-width space is a break too.
int UnbreakableWidth(const QFontMetrics& metrics, const QString& text);

} // namespace ui
