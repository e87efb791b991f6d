#include "settings/options_dialog.h"

#include "platform/desktop.h"
#include "settings/layout_options.h"
#include "settings/numeric_text.h"
#include "ui/error_windows.h"
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

// The width a prompt needs to show its whole text within the design height.
int PromptWidth(const QLabel& prompt) {
    int width = kPromptWidth;
    while (prompt.heightForWidth(width) > kPromptHeight) {
        width += 8;
    }
    return width;
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
    // OK takes Enter unless a button has the focus: then that button does.
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &Options::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &Options::btnCancel_Click);
    setTabOrder(txtHSpaces, btnOK);
    setTabOrder(btnOK, btnCancel);
    setTabOrder(btnCancel, txtVSpaces);
    setTabOrder(txtVSpaces, txtPageWidth);
    Arrange();
}

// Places the controls as designed; where a prompt would be cut, the prompts widen
// and everything to their right moves along.
void Options::Arrange() {
    QLabel* prompts[] = {lblHSpace, lblVSpace, lblPageWidth};
    int promptWidth = kPromptWidth;
    for (const QLabel* prompt : prompts) {
        promptWidth = std::max(promptWidth, PromptWidth(*prompt));
    }
    const int shift = promptWidth - kPromptWidth;
    QLineEdit* boxes[] = {txtHSpaces, txtVSpaces, txtPageWidth};
    for (int row = 0; row < 3; ++row) {
        prompts[row]->setGeometry(kPromptLeft, kRowTops[row], promptWidth, kPromptHeight);
        boxes[row]->setGeometry(kBoxLeft + shift, kRowTops[row], kBoxWidth, kBoxHeight);
    }
    btnOK->setGeometry(kButtonLeft + shift, kRowTops[0], kButtonWidth, kButtonHeight);
    btnCancel->setGeometry(kButtonLeft + shift, kRowTops[1], kButtonWidth, kButtonHeight);
    setFixedSize(kInnerWidth + shift, kInnerHeight);
}

void Options::Form_Load() {
    modOptions::SetDefaultOptions();
}

void Options::btnOK_Click() {
    const bool vSpacesValid = IsValidSpacing(txtVSpaces);
    const bool hSpacesValid = IsValidSpacing(txtHSpaces);
    if (!vSpacesValid || !hSpacesValid) {
        platform::Beep();
        Forms::Show<ErrorOSp>();
        return;
    }
    // A numeric page width must fit 16 bits; anything else leaves the old value.
    const bool pageWidthNumeric = ReadNumber(txtPageWidth).has_value();
    const std::optional<std::int16_t> pageWidth = ReadInt16(txtPageWidth);
    if (pageWidthNumeric && !pageWidth) {
        platform::Beep();
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
