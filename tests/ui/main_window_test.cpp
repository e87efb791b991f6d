#include "engine/banner.h"
#include "settings/layout_options.h"
#include "settings/options_dialog.h"
#include "ui/about_windows.h"
#include "ui/error_windows.h"
#include "ui/info_windows.h"
#include "ui/main_window.h"
#include "window_test.h"

#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ui;

namespace {

QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (QAction* action : actions) {
        captions.append(action->text());
    }
    return captions;
}

} // namespace

class MainWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        // A stale font and odd options, which start-up must set right.
        mod8Zevazuv::CapitalGlyphs = {};
        modOptions::HSpaces = 7;
        main = &Forms::Load<Main>();
        main->show();
        main->txtInput->setFocus();
    }
    void TearDown() override {
        QDir::setCurrent(previous);
        WindowTest::TearDown();
    }

    void Type(const QString& line) { TypeLine(*main->txtInput, line); }

    QTemporaryDir folder;
    QString previous;
    Main* main = nullptr;
};

TEST_F(MainWindow, StartUpLoadsEveryWindowHiddenAndShowsOnlyMain) {
    EXPECT_EQ(VisibleWindows(), QList<QWidget*>{main});
    EXPECT_TRUE(Forms::IsLoaded<Options>());
    EXPECT_TRUE(Forms::IsLoaded<AboutLoftype>());
    EXPECT_TRUE(Forms::IsLoaded<AboutOrvenna>());
    EXPECT_TRUE(Forms::IsLoaded<AboutAuthor>());
    EXPECT_TRUE(Forms::IsLoaded<License>());
    EXPECT_TRUE(Forms::IsLoaded<ErrorOSp>());
    EXPECT_TRUE(Forms::IsLoaded<ErrorInput>());
    EXPECT_TRUE(Forms::IsLoaded<ErrorOutput>());
    EXPECT_TRUE(Forms::IsLoaded<ErrorPageWidth>());
    EXPECT_TRUE(Forms::IsLoaded<Info_Show>());
    EXPECT_TRUE(Forms::IsLoaded<Info_General>());
    EXPECT_TRUE(Forms::IsLoaded<Info_Copy>());
    EXPECT_TRUE(Forms::IsLoaded<Info_Save>());
    EXPECT_EQ(main->txtInput->text(), "");
    EXPECT_EQ(main->focusWidget(), main->txtInput);
    // The first command finds the defaults and a full font.
    Type("Hi");
    QTest::mouseClick(main->btnCopy, Qt::LeftButton);
    EXPECT_EQ(ui::CurrentClipboard().Text().size(), 132);
}

TEST_F(MainWindow, CaptionsControlsAndMenusAreAsDesigned) {
    EXPECT_EQ(main->windowTitle(), "Input");
    EXPECT_EQ(main->lblCaption->text(), "Enter the line to be enlarged:");
    EXPECT_EQ(main->btnShow->text(), "Show");
    EXPECT_EQ(main->btnSave->text(), "Save");
    EXPECT_EQ(main->btnCopy->text(), "Copy");
    EXPECT_LT(main->btnShow->x(), main->btnSave->x());
    EXPECT_LT(main->btnSave->x(), main->btnCopy->x());
    EXPECT_EQ(main->btnShow->size(), main->btnCopy->size());
    EXPECT_EQ(Captions(main->menuBar()->actions()),
              QStringList({"&File", "&Text", "&Options", "&Info"}));
    EXPECT_EQ(Captions(main->M_File->actions()), QStringList{"&Exit"});
    EXPECT_EQ(Captions(main->M_Text->actions()), QStringList({"&Copy", "S&ave", "S&how"}));
    EXPECT_EQ(Captions(main->M_Options->actions()), QStringList{"&Options..."});
    EXPECT_EQ(Captions(main->M_Info->actions()), QStringList({"&About", "&Info", "&License"}));
    EXPECT_EQ(Captions(main->I_About->actions()), QStringList({"&Loftype", "&Orvenna", "&Author"}));
    EXPECT_EQ(Captions(main->I_Info->actions()),
              QStringList({"&General", "&Copy", "S&ave", "S&how"}));
    for (QAction* item : main->findChildren<QAction*>()) {
        EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
        EXPECT_FALSE(item->isCheckable() || item->isSeparator()) << item->text().toStdString();
    }
    ExpectNothingCut(*main, "Main");
}

TEST_F(MainWindow, ButtonsAndTheirTwinMenuItemsGiveTheSameResults) {
    Type("Twin 42");
    QTest::mouseClick(main->btnCopy, Qt::LeftButton);
    const QString byButton = ui::CurrentClipboard().Text();
    ui::CurrentClipboard().Clear();
    main->T_Copy->trigger();
    EXPECT_EQ(ui::CurrentClipboard().Text(), byButton);

    QTest::mouseClick(main->btnSave, Qt::LeftButton);
    QFile file("Files/Twin 42.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray savedByButton = file.readAll();
    file.close();
    QFile::remove("Files/Twin 42.txt");
    main->T_Save->trigger();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), savedByButton);
    EXPECT_EQ(savedByButton, byButton.toLatin1() + "\r\n");

    QTest::mouseClick(main->btnShow, Qt::LeftButton);
    main->T_Show->trigger();
    QList<ui::Display*> displays = OpenDisplays();
    ASSERT_EQ(displays.size(), 2);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(displays[0]->lblDisplay[i]->text(), displays[1]->lblDisplay[i]->text());
    }
    EXPECT_EQ(displays[0]->windowTitle(), displays[1]->windowTitle());
}

TEST_F(MainWindow, EnterRunsOnlyAFocusedButtonAndTheLineStays) {
    Type("Stay");
    QTest::keyClick(main->txtInput, Qt::Key_Return);
    QTest::keyClick(main->txtInput, Qt::Key_Escape);
    EXPECT_EQ(VisibleWindows(), QList<QWidget*>{main});
    EXPECT_EQ(ui::CurrentClipboard().Text(), "");
    EXPECT_FALSE(QFile::exists("Files"));

    main->activateWindow();
    for (QPushButton* button : {main->btnShow, main->btnSave, main->btnCopy}) {
        QTest::keyClick(main->focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(main->focusWidget(), button);
        QTest::keyClick(button, Qt::Key_Return);
    }
    EXPECT_EQ(OpenDisplays().size(), 1);
    EXPECT_TRUE(QFile::exists("Files/Stay.txt"));
    EXPECT_TRUE(mod8Zevazuv::ComposePage(u"Stay"));
    EXPECT_EQ(ui::CurrentClipboard().Text().toStdString(), mod8Zevazuv::PageText);
    QTest::mouseClick(main->btnShow, Qt::LeftButton);
    QTest::mouseClick(main->btnCopy, Qt::LeftButton);
    QTest::mouseClick(main->btnSave, Qt::LeftButton);
    main->O_Options->trigger();
    QTest::mouseClick(Forms::Load<Options>().btnOK, Qt::LeftButton);
    EXPECT_EQ(main->txtInput->text(), "Stay");
}

TEST_F(MainWindow, EachInfoItemShowsItsWindowOnce) {
    const std::pair<QAction*, const char*> items[] = {{main->I_A_Loftype, "About Loftype"},
                                                      {main->I_A_Orvenna, "About Orvenna Software"},
                                                      {main->I_A_Author, "About Author"},
                                                      {main->I_I_General, "General"},
                                                      {main->I_I_Copy, "Copy"},
                                                      {main->I_I_Save, "Save"},
                                                      {main->I_I_Show, "Show"},
                                                      {main->I_License, "License"}};
    for (auto [item, caption] : items) {
        item->trigger();
        item->trigger();
        EXPECT_EQ(VisibleWithCaption(caption), 1) << caption;
    }
    EXPECT_EQ(VisibleWindows().size(), 9);
    main->O_Options->trigger();
    EXPECT_TRUE(Forms::Load<Options>().isVisible());
}

TEST_F(MainWindow, ClosingANoticeWindowDoesNotEndTheProgram) {
    main->I_I_Copy->trigger();
    bool ended = true;
    QTimer::singleShot(0, [] { Forms::Load<Info_Copy>().close(); });
    QTimer::singleShot(50, [&] {
        ended = false;
        QCoreApplication::exit(3);
    });
    EXPECT_EQ(RunEventLoop(), 3);
    EXPECT_FALSE(ended);
    EXPECT_TRUE(main->isVisible());
    main->I_I_Copy->trigger();
    EXPECT_EQ(VisibleWithCaption("Copy"), 1);
}

TEST_F(MainWindow, ExitAndClosingMainEndTheProgramAtOnce) {
    main->I_A_Author->trigger();
    main->O_Options->trigger();
    QTest::keyClicks(Forms::Load<Options>().txtHSpaces, "9"); // never confirmed
    Type("Hi");
    QTest::mouseClick(main->btnShow, Qt::LeftButton);
    QTimer::singleShot(0, main->F_Exit, &QAction::trigger);
    EXPECT_EQ(RunEventLoop(), 0);
    QTimer::singleShot(0, main, &QWidget::close);
    EXPECT_EQ(RunEventLoop(), 0);
    EXPECT_EQ(modOptions::HSpaces, 1);
}

// Every window as a person opens it, in the desktop's font and in a 14-point one; the
// test runs once more at a font DPI of 144 (see the CMake file).
TEST_F(MainWindow, EveryWindowShowsItsWholeTextsInLargeFonts) {
    const QFont desktopFont = QApplication::font();
    QFont large = desktopFont;
    large.setPointSizeF(14);
    struct FontBack {
        QFont font;
        ~FontBack() { QApplication::setFont(font); }
    } fontBack{desktopFont};
    for (const QFont& font : {desktopFont, large}) {
        QApplication::setFont(font);
        Forms::Reset();
        qDeleteAll(OpenDisplays());
        main = &Forms::Load<Main>();
        main->show();
        for (QAction* item : main->findChildren<QAction*>()) {
            if (item != main->F_Exit && item->menu() == nullptr && item->parent() != main->M_Text) {
                item->trigger(); // every window of the menus
            }
        }
        Type("Loftype 1.2!");
        QTest::mouseClick(main->btnShow, Qt::LeftButton);
        Forms::Show<ErrorInput>();
        Forms::Show<ErrorOSp>();
        Forms::Show<ErrorPageWidth>();
        modErrors::ReportOutputFailure("The file \"Files/" + QString(300, 'W') +
                                       ".txt\" could not be written: File name too long.");
        const QList<QWidget*> windows = VisibleWindows();
        EXPECT_EQ(windows.size(), 15);
        for (QWidget* window : windows) {
            ExpectNothingCut(*window, QStringLiteral("%1-%2pt-%3dpi")
                                          .arg(window->windowTitle())
                                          .arg(font.pointSizeF())
                                          .arg(window->logicalDpiY()));
        }
    }
}
