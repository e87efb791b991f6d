#pragma once

#include "ui/forms.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

// What every notice window shares: fixed texts in the default font, wrapping at
// word boundaries; one button, the default button, which is first in the tab order
// and hides the window; no cancel button, so Esc does nothing; a fixed size.
class NoticeWindow : public Form<QDialog> {
public:
    // Where the button stands: under the texts, or at the top right beside them.
    enum class ButtonPlace { Under, TopRight };

    NoticeWindow(const QString& caption, ButtonPlace place);

    void setVisible(bool visible) override;

protected:
    // A label in the column of texts, wrapping within the given width.
    QLabel* AddLabel(const QString& name, const QString& text, int width = kTextWidth);
    // The window's one button.
    QPushButton* AddButton(const QString& name, const QString& caption);
    // The column of texts, for windows that put more beside it (an icon).
    QHBoxLayout* Row() { return row_; }

    void keyPressEvent(QKeyEvent* event) override;

    static constexpr int kTextWidth = 320;

private:
    bool fitted_ = false;
    ButtonPlace place_;
    QVBoxLayout* texts_;
    QHBoxLayout* row_;
};

// Gives a word-wrapping label the design width, or the width of its widest word where
// that is wider, so that it wraps at blanks and cuts no word.
void FitWidth(QLabel& label, int designWidth);

// Sizes a word-wrapping label to show its whole text at its fixed width.
void FitHeight(QLabel& label);

// The text with a break opportunity (a zero-width space) in every long run of
// characters without a blank, such as a path, so that it wraps instead of being cut.
QString Breakable(const QString& text);

} // namespace ui
