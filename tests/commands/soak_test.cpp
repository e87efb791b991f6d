#include "commands/output_commands.h"
#include "engine/banner.h"
#include "settings/layout_options.h"
#include "ui/window_test.h"

#include <QFile>
#include <QTemporaryDir>
#include <fstream>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true; // the sanitizer keeps freed memory in quarantine
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The resident memory of this process in kilobytes, or -1 where it cannot be read.
long ResidentKilobytes() {
    std::ifstream status("/proc/self/statm");
    long pages = 0, resident = -1;
    if (!(status >> pages >> resident)) {
        return -1;
    }
    return resident * 4;
}

} // namespace

class Soak : public CommandTest {
protected:
    // The saves go to memory where the system has such a folder: this test counts
    // windows and memory, and each save's syncs to disk take whatever time the other
    // programs on the machine leave them.
    Soak() {
        if (memoryFolder_.isValid()) {
            QDir::setCurrent(memoryFolder_.path());
        }
    }

    // Opens a Display, closes it, copies and saves, as often as asked.
    void Work(int rounds) {
        for (int i = 0; i < rounds; ++i) {
            line = QStringLiteral("Soak %1").arg(i % 10);
            modMain::ShowCommand();
            for (ui::Display* display : OpenDisplays()) {
                display->close();
            }
            ProcessEvents();
            modMain::CopyCommand();
            modMain::SaveCommand();
        }
    }

private:
    QTemporaryDir memoryFolder_{QStringLiteral("/dev/shm/loftype-soak-XXXXXX")};
};

// 2,000 rounds leave no window behind and, after a warm-up, grow the memory of the
// process by less than 4 MB (measured: well under 1 MB).
TEST_F(Soak, TwoThousandRoundsLeaveNoWindowAndNoGrowth) {
    const qsizetype windowsBefore = QApplication::topLevelWidgets().size();
    Work(200);
    const long before = ResidentKilobytes();
    Work(2000);
    const long after = ResidentKilobytes();
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
    EXPECT_EQ(beeps.count, 0);
    EXPECT_EQ(QDir("Files").entryList(QDir::Files).size(), 10);
    RecordProperty("resident_growth_kb", std::to_string(after - before));
    std::printf("resident memory: %ld kB before, %ld kB after 2,000 rounds\n", before, after);
    if (!kSanitized && before > 0) {
        EXPECT_LT(after - before, 4 * 1024);
    }
}
