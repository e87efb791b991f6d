#include "commands/output_commands.h"
#include "engine/banner.h"
#include "settings/layout_options.h"
#include "settings/options_dialog.h"
#include "ui/error_windows.h"
#include "ui/window_test.h"

#include <QLocale>
#include <QTest>

using ui::Forms;
using ui::Options;

namespace {

void Type(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

struct Stored {
    int h, v, p;
    bool operator==(const Stored&) const = default;
};

Stored StoredOptions() {
    return {modOptions::HSpaces, modOptions::VSpaces, modOptions::PageWidth};
}

} // namespace

class OptionsDialog : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Forms::Load<Options>().hide(); // as at start-up
    }

    // Opens the dialog, types the three texts and presses OK.
    Options& Confirm(const QString& h, const QString& v, const QString& p) {
        ui::O_Options_Click();
        Options& options = Forms::Load<Options>();
        Type(options.txtHSpaces, h);
        Type(options.txtVSpaces, v);
        Type(options.txtPageWidth, p);
        QTest::mouseClick(options.btnOK, Qt::LeftButton);
        return options;
    }

    bool Shown(QWidget& window) { return window.isVisible(); }
};

TEST_F(OptionsDialog, TheFirstOpeningShowsTheDefaults) {
    ui::O_Options_Click();
    Options& options = Forms::Load<Options>();
    EXPECT_TRUE(options.isVisible());
    EXPECT_EQ(options.windowTitle(), "Options...");
    EXPECT_EQ(options.txtHSpaces->text(), "1");
    EXPECT_EQ(options.txtVSpaces->text(), "1");
    EXPECT_EQ(options.txtPageWidth->text(), "-1");
    EXPECT_EQ(options.lblHSpace->text(), "Enter the number of spaces between after each character");
    EXPECT_EQ(options.lblVSpace->text(),
              "Enter the number of blank lines after each line of characters");
    EXPECT_EQ(options.lblPageWidth->text(), "Width of the page (in small characters)");
    EXPECT_EQ(options.btnOK->text(), "OK");
    EXPECT_EQ(options.btnCancel->text(), "Cancel");
    ExpectNothingCut(options, "Options");
}

TEST_F(OptionsDialog, AcceptedValuesAreRoundedAndStored) {
    struct Case {
        const char *h, *v, *p;
        Stored stored;
    };
    const Case cases[] = {
        {"1.5", "2.5", "-7", {2, 2, -7}},
        {"0.5", " 3", "40.5", {0, 3, 40}},
        {"1e1", "12", "0", {10, 12, 0}},
        {"0.4", "0", "-32768", {0, 0, -32768}},
    };
    for (const Case& c : cases) {
        Options& options = Confirm(c.h, c.v, c.p);
        EXPECT_FALSE(options.isVisible()) << c.h;
        EXPECT_EQ(StoredOptions(), c.stored) << c.h << " " << c.v << " " << c.p;
    }
    ui::O_Options_Click();
    EXPECT_EQ(Forms::Load<Options>().txtHSpaces->text(), "0");
    EXPECT_EQ(Forms::Load<Options>().txtPageWidth->text(), "-32768");
    EXPECT_EQ(beeps.count, 0);
}

TEST_F(OptionsDialog, NumbersAreReadInTheUsersLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Confirm("1,5", "0,4", "40,5");
    EXPECT_EQ(StoredOptions(), (Stored{2, 0, 40}));
    Options& options = Confirm("1.5", "1", "1");
    EXPECT_TRUE(options.isVisible());
    EXPECT_EQ(beeps.count, 1);
    EXPECT_EQ(StoredOptions(), (Stored{2, 0, 40}));
}

TEST_F(OptionsDialog, BadSpacingIsRefusedWithOneBeepAndNothingStored) {
    const std::pair<const char*, const char*> bad[] = {{"12.4", "1"}, {"-0.4", "1"}, {"13", "1"},
                                                       {"", "1"},     {"many", "1"}, {"1", "20"},
                                                       {"x", "99"}};
    for (auto [h, v] : bad) {
        beeps.count = 0;
        Options& options = Confirm(h, v, "30");
        EXPECT_EQ(beeps.count, 1) << h << " " << v;
        EXPECT_TRUE(options.isVisible());
        EXPECT_EQ(options.txtHSpaces->text(), h); // the texts stay as typed
        EXPECT_TRUE(Forms::Load<ui::ErrorOSp>().isVisible());
        EXPECT_EQ(StoredOptions(), (Stored{1, 1, -1}));
    }
    EXPECT_EQ(VisibleWithCaption("Error 0. S."), 1);
}

TEST_F(OptionsDialog, APageWidthThatIsNoNumberKeepsItsValue) {
    Confirm("1", "1", "25");
    for (const char* text : {"wide", ""}) {
        Options& options = Confirm("3", "4", text);
        EXPECT_FALSE(options.isVisible());
        EXPECT_EQ(StoredOptions(), (Stored{3, 4, 25}));
    }
    EXPECT_EQ(beeps.count, 0);
}

TEST_F(OptionsDialog, APageWidthBeyondSixteenBitsIsRefused) {
    for (const char* text : {"99999", "32767.5", "-32769"}) {
        beeps.count = 0;
        Options& options = Confirm("5", "5", text);
        EXPECT_EQ(beeps.count, 1);
        EXPECT_TRUE(options.isVisible());
        EXPECT_TRUE(Forms::Load<ui::ErrorPageWidth>().isVisible());
        EXPECT_EQ(StoredOptions(), (Stored{1, 1, -1}));
    }
}

TEST_F(OptionsDialog, CancelKeepsTheStoredValues) {
    Confirm("4", "5", "60");
    ui::O_Options_Click();
    Options& options = Forms::Load<Options>();
    Type(options.txtHSpaces, "9");
    Type(options.txtPageWidth, "7");
    QTest::mouseClick(options.btnCancel, Qt::LeftButton);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(StoredOptions(), (Stored{4, 5, 60}));
    ui::O_Options_Click();
    EXPECT_EQ(options.txtHSpaces->text(), "4");
    EXPECT_EQ(options.txtPageWidth->text(), "60");
}

TEST_F(OptionsDialog, ClosingThroughTheTitleBarBringsBackTheDefaults) {
    Confirm("4", "5", "60");
    ui::O_Options_Click();
    Forms::Load<Options>().close();
    ProcessEvents();
    EXPECT_FALSE(Forms::IsLoaded<Options>());
    EXPECT_EQ(StoredOptions(), (Stored{4, 5, 60})); // until the next opening
    ui::O_Options_Click();
    Options& options = Forms::Load<Options>();
    EXPECT_EQ(options.txtHSpaces->text(), "1");
    EXPECT_EQ(options.txtVSpaces->text(), "1");
    EXPECT_EQ(options.txtPageWidth->text(), "-1");
    EXPECT_EQ(StoredOptions(), (Stored{1, 1, -1}));
}

TEST_F(OptionsDialog, KeysEnterEscAndTab) {
    ui::O_Options_Click();
    Options& options = Forms::Load<Options>();
    for (QLineEdit* box : {options.txtHSpaces, options.txtVSpaces, options.txtPageWidth}) {
        Type(options.txtHSpaces, "2");
        ui::O_Options_Click();
        Type(box, box == options.txtHSpaces ? "6" : box->text());
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_FALSE(options.isVisible()) << box->objectName().toStdString();
    }
    EXPECT_EQ(modOptions::HSpaces, 6);

    // Enter presses the button that has the focus; back in a box, OK again.
    options.activateWindow();
    for (QPushButton* focused : {options.btnCancel, options.btnOK}) {
        ui::O_Options_Click();
        Type(options.txtHSpaces, "7");
        options.txtHSpaces->setFocus();
        while (options.focusWidget() != focused) {
            QTest::keyClick(options.focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(focused, Qt::Key_Return);
        EXPECT_FALSE(options.isVisible());
        EXPECT_EQ(modOptions::HSpaces, focused == options.btnOK ? 7 : 6);
    }
    ui::O_Options_Click();
    Type(options.txtHSpaces, "9");
    options.btnCancel->setFocus();
    QTest::keyClick(options.btnCancel, Qt::Key_Tab);
    QTest::keyClick(options.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(modOptions::HSpaces, 9);

    ui::O_Options_Click();
    Type(options.txtHSpaces, "8");
    QTest::keyClick(options.txtHSpaces, Qt::Key_Escape);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(modOptions::HSpaces, 9);

    ui::O_Options_Click();
    options.activateWindow();
    options.txtHSpaces->setFocus();
    const QWidget* order[] = {options.btnOK, options.btnCancel, options.txtVSpaces,
                              options.txtPageWidth, options.txtHSpaces};
    for (const QWidget* next : order) {
        QTest::keyClick(options.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(options.focusWidget(), next) << next->objectName().toStdString();
    }
    EXPECT_EQ(options.txtHSpaces->maxLength(), std::numeric_limits<int>::max());
}

TEST_F(OptionsDialog, CommandsUseTheStoredValuesNeverTheTextsBeingEdited) {
    TypeLine(*Forms::Load<ui::Main>().txtInput, "ab");
    ui::O_Options_Click();
    Options& options = Forms::Load<Options>();
    Type(options.txtHSpaces, "5");
    Type(options.txtPageWidth, "1");
    modMain::CopyCommand();
    EXPECT_TRUE(mod8Zevazuv::ComposePage(u"ab"));
    EXPECT_EQ(ui::CurrentClipboard().Text().toStdString(), mod8Zevazuv::PageText);

    QTest::mouseClick(options.btnOK, Qt::LeftButton);
    modMain::CopyCommand();
    const QString copied = ui::CurrentClipboard().Text();
    EXPECT_EQ(copied.count("\r\n"), 2 * 10); // a band for each character
    EXPECT_TRUE(copied.startsWith(QString(7, ' ') + QString(6, ' ') + "\r\n")); // "a", six blanks
}
