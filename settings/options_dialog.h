#pragma once

#include "ui/forms.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

// The Options dialog: edits the spaces after each character, the blank lines after
// each band and the page width. Commands always use the stored values, never the
// texts being edited; OK stores them only when every value passes its check.
class Options : public Form<QDialog> {
public:
    Options();

    // Sets the three layout options to their defaults, at every load.
    void Form_Load();
    void btnOK_Click();
    void btnCancel_Click();

    QLabel* lblHSpace;
    QLineEdit* txtHSpaces;
    QLabel* lblVSpace;
    QLineEdit* txtVSpaces;
    QLabel* lblPageWidth;
    QLineEdit* txtPageWidth;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    // Esc presses Cancel.
    void reject() override;

private:
    void Arrange();
};

// Opens the dialog from the main window's menu: fills the boxes from the stored
// options (loading the dialog first if it was unloaded) and shows it modeless.
void O_Options_Click();

} // namespace ui
