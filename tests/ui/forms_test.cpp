#include "ui/error_windows.h"
#include "window_test.h"

#include <QTest>

using ui::ErrorInput;
using ui::ErrorOSp;
using ui::Forms;

namespace {

// A window that counts how often it was loaded.
int loads = 0;
class Counted : public ui::Form<QWidget> {
public:
    void Form_Load() { ++loads; }
};

} // namespace

using FormsRegistry = WindowTest;

TEST_F(FormsRegistry, LoadingCreatesOneHiddenInstanceAndRunsItsLoadHandlerOnce) {
    loads = 0;
    EXPECT_FALSE(Forms::IsLoaded<Counted>());
    Counted& first = Forms::Load<Counted>();
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(&Forms::Load<Counted>(), &first);
    EXPECT_EQ(&Forms::Show<Counted>(), &first);
    EXPECT_EQ(loads, 1);
}

TEST_F(FormsRegistry, ShowingTwiceLeavesOneWindow) {
    Forms::Show<ErrorInput>();
    Forms::Show<ErrorInput>();
    EXPECT_EQ(VisibleWithCaption("Error Input"), 1);
    EXPECT_EQ(VisibleWindows().size(), 1);
}

TEST_F(FormsRegistry, ClosingThroughTheTitleBarUnloadsAndTheNextShowLoadsAgain) {
    loads = 0;
    QPointer<Counted> first = &Forms::Show<Counted>();
    first->close();
    EXPECT_FALSE(Forms::IsLoaded<Counted>());
    ProcessEvents();
    EXPECT_TRUE(first.isNull());
    Counted& second = Forms::Show<Counted>();
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(loads, 2);
}

TEST_F(FormsRegistry, WindowsStayOpenWhileOthersAreUsed) {
    ErrorInput& input = Forms::Show<ErrorInput>();
    ErrorOSp& spacing = Forms::Show<ErrorOSp>();
    QTest::mouseClick(spacing.lblOK, Qt::LeftButton);
    Forms::Show<ErrorOSp>().close();
    ProcessEvents();
    EXPECT_TRUE(input.isVisible());
    EXPECT_EQ(VisibleWindows(), QList<QWidget*>{&input});
}

TEST_F(FormsRegistry, ResetDestroysEveryWindow) {
    QPointer<ErrorInput> window = &Forms::Show<ErrorInput>();
    Forms::Reset();
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(Forms::IsLoaded<ErrorInput>());
}
