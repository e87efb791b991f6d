#include "commands/display.h"
#include "engine/banner.h"
#include "ui/window_test.h"

#include <QScrollBar>
#include <QTest>

namespace {

ui::Display* ShowBand(const std::u16string& line) {
    EXPECT_TRUE(mod8Zevazuv::RenderLine(line));
    return ui::Display::Open(QString::fromStdU16String(line), mod8Zevazuv::Rows,
                             mod8Zevazuv::LastBandWidth);
}

std::array<std::string, 8> RowsOf(const std::string& row) {
    std::array<std::string, 8> rows;
    rows.fill(row);
    return rows;
}

} // namespace

class DisplayWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        modMain::InitEngine();
    }
};

TEST_F(DisplayWindow, ShowsHiTopRowFirstAtTheDesignWidth) {
    ui::Display* display = ShowBand(u"Hi");
    EXPECT_EQ(display->windowTitle(), "Hi");
    EXPECT_EQ(display->width(), 1680 / 15);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(display->lblDisplay[i]->width(), 14 * 8);
        EXPECT_EQ(display->lblDisplay[i]->text().toStdString(), mod8Zevazuv::Rows[i]);
    }
    EXPECT_EQ(display->lblDisplay[7]->text(), "H      H      ");
    EXPECT_LT(display->lblDisplay[7]->y(), display->lblDisplay[6]->y());
    EXPECT_LT(display->lblDisplay[1]->y(), display->lblDisplay[0]->y());
    EXPECT_EQ(display->height(), 2175 / 15);
    ExpectNothingCut(*display, "Display-Hi");
}

TEST_F(DisplayWindow, UsesAFixedPitchFontOfEightPoints) {
    ui::Display* display = ShowBand(u"Hi");
    const QFont font = display->lblDisplay[0]->font();
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.italic());
    QFontMetrics metrics(font);
    EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
}

TEST_F(DisplayWindow, EmptyLineGivesEmptyCaptionAndRows) {
    ui::Display* display = ShowBand(u"");
    EXPECT_EQ(display->windowTitle(), "");
    EXPECT_TRUE(display->isVisible());
    for (QLabel* label : display->lblDisplay) {
        EXPECT_EQ(label->text(), "");
    }
}

TEST_F(DisplayWindow, TheWidestDesignBandKeepsTheSixteenBitProduct) {
    ui::Display* display = ui::Display::Open("wide", RowsOf(std::string(273, 'x')), 273);
    EXPECT_EQ(display->width(), 32760 / 15);
}

TEST_F(DisplayWindow, WiderBandsScrollToTheirLastColumnInAWindowNoWiderThanTheScreen) {
    const int screen = QGuiApplication::primaryScreen()->availableGeometry().width();
    for (int band : {274, 3000}) {
        const std::string row(band, 'x');
        ui::Display* display =
            ui::Display::Open("wider", RowsOf(row), static_cast<std::int16_t>(band));
        EXPECT_EQ(display->width(), std::min(band * 8, screen)) << band;
        auto* scroller = display->findChild<QScrollArea*>();
        ASSERT_NE(scroller, nullptr);
        // The last column can be scrolled into view and nothing lies beyond it; no row
        // hides behind the bar.
        QScrollBar* bar = scroller->horizontalScrollBar();
        const int lastColumn =
            display->lblDisplay[0]->x() +
            QFontMetrics(ui::DisplayFont()).size(Qt::TextSingleLine, row.c_str()).width();
        EXPECT_EQ(bar->maximum() + scroller->viewport()->width(), lastColumn) << band;
        EXPECT_LE(display->lblDisplay[0]->geometry().bottom(), scroller->viewport()->height());
        // Home, End and the arrow keys scroll it.
        QTest::keyClick(scroller, Qt::Key_End);
        EXPECT_EQ(bar->value(), bar->maximum());
        QTest::keyClick(scroller, Qt::Key_Home);
        EXPECT_EQ(bar->value(), 0);
        QTest::keyClick(scroller, Qt::Key_Right);
        EXPECT_GT(bar->value(), 0);
    }
}

TEST_F(DisplayWindow, EachWindowKeepsItsOwnCaptionAndRows) {
    ui::Display* first = ShowBand(u"Hi");
    ui::Display* second = ShowBand(u" 42 ");
    EXPECT_EQ(first->windowTitle(), "Hi");
    EXPECT_EQ(first->lblDisplay[7]->text(), "H      H      ");
    EXPECT_EQ(second->windowTitle(), " 42 ");
    EXPECT_NE(second->lblDisplay[7]->text(), first->lblDisplay[7]->text());
    EXPECT_EQ(VisibleWindows().size(), 2);
    first->close();
    ProcessEvents();
    EXPECT_EQ(VisibleWindows(), QList<QWidget*>{second});
}

TEST_F(DisplayWindow, ShortBandsAreWidenedRatherThanCut) {
    ui::Display* display = ShowBand(u".");
    ExpectNothingCut(*display, "Display-dot");
}

TEST_F(DisplayWindow, ACaptionShowsAsTyped) {
    ui::Display* display = ShowBand(u"a[*]b");
    EXPECT_EQ(display->Caption(), "a[*]b");
    EXPECT_EQ(display->windowTitle(), "a[*][*]b"); // what the toolkit shows as a[*]b
}
