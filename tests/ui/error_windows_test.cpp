#include "ui/error_windows.h"
#include "window_test.h"

#include <QTest>

using namespace ui;

using ErrorWindows = WindowTest;

TEST_F(ErrorWindows, CaptionsAndMessagesAreToTheLetter) {
    struct Expected {
        ErrorWindow& window;
        const char* caption;
        const char* message;
    };
    const Expected windows[] = {
        {Forms::Load<ErrorInput>(), "Error Input", "Invalid input line (see Help.Info.General)"},
        {Forms::Load<ErrorOSp>(), "Error 0. S.",
         "The number of space between successive characters must be a number between 0 and 12 "
         "inclusive."},
        {Forms::Load<ErrorPageWidth>(), "Error Page Width",
         "The page width must be a number between -32768 and 32767."},
    };
    for (const Expected& expected : windows) {
        EXPECT_EQ(expected.window.windowTitle(), expected.caption);
        EXPECT_EQ(expected.window.lblErrorMessage->text(), expected.message);
        EXPECT_EQ(expected.window.lblOK->text(), "OK");
        EXPECT_TRUE(expected.window.lblOK->isDefault());
    }
}

TEST_F(ErrorWindows, EnterHidesTheWindowAndEscLeavesItOpen) {
    ErrorOSp& window = Forms::Show<ErrorOSp>();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(Forms::IsLoaded<ErrorOSp>());
}

TEST_F(ErrorWindows, TheButtonHasTheFocusAndTheSizeIsFixed) {
    ErrorInput& window = Forms::Show<ErrorInput>();
    EXPECT_EQ(window.focusWidget(), window.lblOK);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST_F(ErrorWindows, OutputFailuresBeepAndSayWhatFailed) {
    modErrors::ReportOutputFailure("The file \"Files/x.txt\" could not be written: Disk full.");
    EXPECT_EQ(beeps.count, 1);
    ErrorOutput& window = Forms::Load<ErrorOutput>();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Error Output");
    EXPECT_EQ(window.lblErrorMessage->text(),
              "The file \"Files/x.txt\" could not be written: Disk full.");
}

TEST_F(ErrorWindows, ErrorOutputFitsEachMessageAnew) {
    const QString longMessage = "The file \"Files/" + QString(300, 'W') +
                                ".txt\" could not be written: File name too long.";
    const QString shortMessage = "The file \"Files/x.txt\" could not be written: Disk full.";
    modErrors::ReportOutputFailure(shortMessage);
    ErrorOutput& window = Forms::Load<ErrorOutput>();
    ProcessEvents();
    const QSize fitted = window.size();
    modErrors::ReportOutputFailure(longMessage);
    ProcessEvents();
    EXPECT_GT(window.height(), fitted.height());
    ExpectNothingCut(window, "ErrorOutput-long");
    modErrors::ReportOutputFailure(shortMessage);
    ProcessEvents();
    EXPECT_EQ(window.size(), fitted);
}
