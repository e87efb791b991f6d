#include "settings/options_dialog.h"

#include "settings/layout_options.h"
#include "settings/numeric_text.h"
#include "ui/desktop.h"
#include "ui/error_windows.h"
#include "ui/fit.h"
#include "ui/own_window.h"
#include "ui/twips.h"

#include <QLocale>
#include <algorithm>
#include <limits>

namespace ui {
namespace {

// The design, in twips: three rows of a prompt and its box, the buttons at the right
// of the first two rows.
constexpr int kInnerWidth = Pixels(5595);
constexpr int kInnerHeight = Pixels(1755);
constexpr int kPromptLeft = Pixels(240);
constexpr int kPromptWidth = Pixels(3135);
constexpr int kPromptHeight = Pixels(495);
constexpr int kBoxLeft = Pixels(3480);
constexpr int kBoxWidth = Pixels(615);
constexpr int kBoxHeight = Pixels(375);
constexpr int kButtonLeft = Pixels(4320);
constexpr int kButtonWidth = Pixels(1095);
constexpr int kButtonHeight = Pixels(375);
constexpr int kRowTops[] = {Pixels(240), Pixels(720), Pixels(1200)};
constexpr int kRowPitch = kRowTops[1] - kRowTops[0];

QLabel* Prompt(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit* Box(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// The room a prompt needs to show its whole text: the design width, widened until the
// text fits in the design height or in two lines, whichever is taller, but never wider
// than the text on one line (a font so large that one line is taller than the design
// would otherwise widen it without end).
QSize PromptSize(const QLabel& prompt) {
    const int room = std::max(kPromptHeight, 2 * prompt.fontMetrics().lineSpacing());
    const int oneLine = prompt.fontMetrics().horizontalAdvance(prompt.text()) + 1;
    int width = kPromptWidth;
    while (width < oneLine && prompt.heightForWidth(width) > room) {
        width += 8;
    }
    return {width, prompt.heightForWidth(width)};
}

std::u16string TextOf(const QLineEdit* box) {
    return box->text().toStdU16String();
}

// The toolkit's locale: the user's own on every system, unless the program set another.
char16_t DecimalSeparator() {
    return QLocale().decimalPoint().front().unicode();
}

bool IsValidSpacing(const QLineEdit* box) {
    return modOptions::IsValidSpacing(TextOf(box), DecimalSeparator());
}

std::optional<double> ReadNumber(const QLineEdit* box) {
    return modOptions::ReadNumber(TextOf(box), DecimalSeparator());
}

std::optional<std::int16_t> ReadInt16(const QLineEdit* box) {
    return modOptions::ReadInt16(TextOf(box), DecimalSeparator());
}

} // namespace

Options::Options()
    : lblHSpace(
          Prompt(this, "lblHSpace", "Enter the number of spaces between after each character")),
      txtHSpaces(Box(this, "txtHSpaces")),
      lblVSpace(Prompt(this, "lblVSpace",
                       "Enter the number of blank lines after each line of characters")),
      txtVSpaces(Box(this, "txtVSpaces")),
      lblPageWidth(Prompt(this, "lblPageWidth", "Width of the page (in small characters)")),
      txtPageWidth(Box(this, "txtPageWidth")), btnOK(Button(this, "btnOK", "OK")),
      btnCancel(Button(this, "btnCancel", "Cancel")) {
    setWindowTitle(QStringLiteral("Options..."));
    MakeOwnWindow(*this);
    // OK takes Enter unless a button has the focus: then that button does.
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &Options::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &Options::btnCancel_Click);
    setTabOrder(txtHSpaces, btnOK);
    setTabOrder(btnOK, btnCancel);
    setTabOrder(btnCancel, txtVSpaces);
    setTabOrder(txtVSpaces, txtPageWidth);
    // Each prompt names its box for a screen reader.
    lblHSpace->setBuddy(txtHSpaces);
    lblVSpace->setBuddy(txtVSpaces);
    lblPageWidth->setBuddy(txtPageWidth);
    Arrange();
}

// Places the controls as designed. Where a text would be cut in the current font, its
// control grows, the controls to its right or below it move along and the window grows
// with them.
void Options::Arrange() {
    QLabel* prompts[] = {lblHSpace, lblVSpace, lblPageWidth};
    QLineEdit* boxes[] = {txtHSpaces, txtVSpaces, txtPageWidth};
    QSize prompt(kPromptWidth, 0); // the room the prompts' texts take
    QSize box(kBoxWidth, kBoxHeight);
    for (int row = 0; row < 3; ++row) {
        prompt = prompt.expandedTo(PromptSize(*prompts[row]));
        box = BoxSize(*boxes[row], box, QStringLiteral("-32768"));
    }
    const QSize button =
        ButtonSize(*btnCancel, ButtonSize(*btnOK, QSize(kButtonWidth, kButtonHeight)));
    // Each row keeps the design's room below the tallest of its controls.
    const int growth = std::max({0, prompt.height() - kRowPitch, box.height() - kBoxHeight,
                                 button.height() - kButtonHeight});
    prompt.setHeight(std::max(kPromptHeight, prompt.height()));
    const int pitch = kRowPitch + growth;
    const int boxLeft = kBoxLeft + prompt.width() - kPromptWidth;
    const int buttonLeft = boxLeft + box.width() + kButtonLeft - kBoxLeft - kBoxWidth;
    for (int row = 0; row < 3; ++row) {
        const int top = kRowTops[0] + row * pitch;
        prompts[row]->setGeometry(QRect(QPoint(kPromptLeft, top), prompt));
        boxes[row]->setGeometry(QRect(QPoint(boxLeft, top), box));
    }
    btnOK->setGeometry(QRect(QPoint(buttonLeft, kRowTops[0]), button));
    btnCancel->setGeometry(QRect(QPoint(buttonLeft, kRowTops[0] + pitch), button));
    setFixedSize(buttonLeft + button.width() + kInnerWidth - kButtonLeft - kButtonWidth,
                 kInnerHeight + 3 * growth);
}

void Options::Form_Load() {
    modOptions::SetDefaultOptions();
}

void Options::btnOK_Click() {
    const bool vSpacesValid = IsValidSpacing(txtVSpaces);
    const bool hSpacesValid = IsValidSpacing(txtHSpaces);
    if (!vSpacesValid || !hSpacesValid) {
        ui::Beep();
        Forms::Show<ErrorOSp>();
        return;
    }
    // A numeric page width must fit 16 bits; anything else leaves the old value.
    const bool pageWidthNumeric = ReadNumber(txtPageWidth).has_value();
    const std::optional<std::int16_t> pageWidth = ReadInt16(txtPageWidth);
    if (pageWidthNumeric && !pageWidth) {
        ui::Beep();
        Forms::Show<ErrorPageWidth>();
        return;
    }
    modOptions::HSpaces = *ReadInt16(txtHSpaces);
    modOptions::VSpaces = *ReadInt16(txtVSpaces);
    if (pageWidth) {
        modOptions::PageWidth = *pageWidth;
    }
    hide();
}

void Options::btnCancel_Click() {
    hide();
}

void Options::reject() {
    btnCancel_Click();
}

void O_Options_Click() {
    // An unloaded dialog loads first, and its load handler puts the defaults back.
    Options& options = Forms::Load<Options>();
    options.txtHSpaces->setText(QString::number(modOptions::HSpaces));
    options.txtVSpaces->setText(QString::number(modOptions::VSpaces));
    options.txtPageWidth->setText(QString::number(modOptions::PageWidth));
    Forms::Show<Options>();
}

} // namespace ui
