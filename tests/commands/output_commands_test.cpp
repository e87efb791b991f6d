#include "commands/display.h"
#include "commands/output_commands.h"
#include "engine/banner.h"
#include "settings/layout_options.h"
#include "ui/error_windows.h"
#include "ui/window_test.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#ifdef __unix__
#include <sys/resource.h>
#endif

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Composed(const std::u16string& line) {
    EXPECT_TRUE(mod8Zevazuv::ComposePage(line));
    return QByteArray::fromStdString(mod8Zevazuv::PageText);
}

// Every file and folder under the folder, relative to it.
QStringList Tree(const QString& folder) {
    QStringList entries;
    const QDir root(QDir(folder).absolutePath());
    QDirIterator it(root.path(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        entries.append(root.relativeFilePath(it.next()));
    }
    entries.sort();
    return entries;
}

// A clipboard that keeps its text whatever it is asked to do.
class StubbornClipboard : public ui::Clipboard {
public:
    void Clear() override {}
    void SetText(const QString&) override {}
    QString Text() const override { return "kept"; }
};

} // namespace

class OutputCommands : public CommandTest {
protected:
    bool ErrorOutputShown() const {
        return ui::Forms::IsLoaded<ui::ErrorOutput>() &&
               ui::Forms::Load<ui::ErrorOutput>().isVisible();
    }
};

TEST_F(OutputCommands, HiWithTheDefaults) {
    Type("Hi");
    modMain::SaveCommand();
    QByteArray saved = ReadFile("Files/Hi.txt");
    EXPECT_EQ(saved.size(), 134);
    EXPECT_EQ(saved, Composed(u"Hi") + "\r\n");

    modMain::CopyCommand();
    EXPECT_EQ(ui::CurrentClipboard().Text().size(), 132);
    EXPECT_EQ(ui::CurrentClipboard().Text().toLatin1(), Composed(u"Hi"));

    modMain::ShowCommand();
    ASSERT_EQ(OpenDisplays().size(), 1);
    ui::Display* display = OpenDisplays()[0];
    EXPECT_EQ(display->windowTitle(), "Hi");
    EXPECT_EQ(display->lblDisplay[7]->text(), "H      H      ");
    EXPECT_EQ(display->lblDisplay[0]->text(), "H      H  ii  ");
    EXPECT_EQ(beeps.count, 0);
}

TEST_F(OutputCommands, TheEmptyLine) {
    Type("");
    ui::CurrentClipboard().SetText("before");
    modMain::CopyCommand();
    EXPECT_EQ(ui::CurrentClipboard().Text(), "");
    modMain::SaveCommand();
    EXPECT_EQ(ReadFile("Files/.txt"), "\r\n");
    modMain::ShowCommand();
    ASSERT_EQ(OpenDisplays().size(), 1);
    EXPECT_EQ(OpenDisplays()[0]->windowTitle(), "");
}

TEST_F(OutputCommands, SavingAgainReplacesTheFileAndOptionsTakeEffectAtOnce) {
    Type("  Hi ");
    modMain::SaveCommand();
    EXPECT_EQ(Tree("."), QStringList({"Files", "Files/  Hi .txt"}));
    modOptions::HSpaces = 0;
    modOptions::VSpaces = 3;
    modMain::SaveCommand();
    EXPECT_EQ(Tree("."), QStringList({"Files", "Files/  Hi .txt"}));
    EXPECT_EQ(ReadFile("Files/  Hi .txt"), Composed(u"  Hi ") + "\r\n");
    modMain::CopyCommand();
    EXPECT_EQ(ui::CurrentClipboard().Text().toLatin1(), Composed(u"  Hi "));
}

TEST_F(OutputCommands, ALineWiderThanThePageGivesBandsButShowsAsOne) {
    Type("Hello world");
    modOptions::PageWidth = 20;
    modMain::CopyCommand();
    const QString copied = ui::CurrentClipboard().Text();
    EXPECT_EQ(copied.count("\r\n"), 10 * 3); // "Hello", " wo", "rld"
    modMain::SaveCommand();
    EXPECT_EQ(ReadFile("Files/Hello world.txt"), copied.toLatin1() + "\r\n");
    modMain::ShowCommand();
    EXPECT_TRUE(mod8Zevazuv::RenderLine(u"Hello world"));
    EXPECT_EQ(OpenDisplays()[0]->lblDisplay[7]->text().toStdString(), mod8Zevazuv::Rows[7]);
}

TEST_F(OutputCommands, HostileLinesNeverWriteOutsideTheBannerFolder) {
    const QStringList lines = {"../x",  "a/b",     "a\\b",           "C:x",
                               "what?", "\"<>|*",  "a\tb",           QString(QChar(0)) + "z",
                               "CON",   "nul.txt", QString(300, 'L')};
    const QStringList expected = {".._x.txt",     "a_b.txt", "C_x.txt",   "_CON.txt", "_____.txt",
                                  "_nul.txt.txt", "a_b.txt", "what_.txt", "_z.txt"};
    for (const QString& hostile : lines) {
        Type(hostile);
        modMain::SaveCommand();
    }
    QStringList files = Tree("Files");
    QStringList sorted = expected;
    sorted.removeDuplicates();
    sorted.sort();
    EXPECT_EQ(files, sorted);
    EXPECT_EQ(
        Tree("."), QStringList{"Files"} + [&] {
            QStringList inside;
            for (const QString& name : sorted) {
                inside.append("Files/" + name);
            }
            return inside;
        }());
    // The 300-character line is too long a name: the one failure, reported.
    EXPECT_EQ(beeps.count, 1);
    EXPECT_TRUE(ErrorOutputShown());
    EXPECT_TRUE(ui::Forms::Load<ui::ErrorOutput>().lblErrorMessage->text().contains(
        "could not be written"));
}

TEST_F(OutputCommands, SaveReplacesALinkAtTheFileAndLeavesItsTargetAlone) {
    QDir().mkdir("Files");
    WriteFile("victim.txt", "untouched");
    if (!QFile::link("../victim.txt", "Files/Hi.txt")) {
        GTEST_SKIP() << "no symbolic links here";
    }
    Type("Hi");
    modMain::SaveCommand();
    EXPECT_EQ(ReadFile("victim.txt"), "untouched");
    EXPECT_FALSE(QFileInfo("Files/Hi.txt").isSymLink());
    EXPECT_EQ(ReadFile("Files/Hi.txt"), Composed(u"Hi") + "\r\n");
    EXPECT_EQ(beeps.count, 0);
}

TEST_F(OutputCommands, BannerFolderThatIsAFileIsReportedAndLeftAlone) {
    WriteFile("Files", "not a folder");
    Type("x");
    modMain::SaveCommand();
    EXPECT_EQ(ReadFile("Files"), "not a folder");
    EXPECT_EQ(beeps.count, 1);
    EXPECT_TRUE(ErrorOutputShown());
    // The folder in full: a program started from a menu has a current folder that its
    // user does not know.
    EXPECT_EQ(ui::Forms::Load<ui::ErrorOutput>().lblErrorMessage->text().remove(QChar(0x200B)),
              "The folder \"" +
                  QDir::toNativeSeparators(QDir::current().absoluteFilePath("Files")) +
                  "\" could not be made: a file of that name is in the way.");
}

#ifdef __unix__
TEST_F(OutputCommands, AFailedWriteKeepsTheOldFileWhole) {
    QDir().mkdir("Files");
    WriteFile("Files/xxxxx.txt", "old banner");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64; // bytes: far less than the banner
    setrlimit(RLIMIT_FSIZE, &small);
    Type("xxxxx");
    modMain::SaveCommand();
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(ReadFile("Files/xxxxx.txt"), "old banner");
    EXPECT_EQ(Tree("Files"), QStringList{"xxxxx.txt"}); // no temporary file left behind
    EXPECT_EQ(beeps.count, 1);
    EXPECT_TRUE(ErrorOutputShown());
}
#endif

TEST_F(OutputCommands, OverflowingLinesAreReportedAndTheNextCommandWorks) {
    Paste(QString(2000, 'A'));
    ui::CurrentClipboard().SetText("before");
    modMain::ShowCommand();
    modMain::CopyCommand();
    modMain::SaveCommand();
    EXPECT_EQ(beeps.count, 3);
    EXPECT_TRUE(ErrorOutputShown());
    EXPECT_EQ(VisibleWithCaption("Error Output"), 1);
    EXPECT_TRUE(OpenDisplays().isEmpty());
    EXPECT_EQ(ui::CurrentClipboard().Text(), "before");
    EXPECT_FALSE(QFile::exists("Files/" + main->txtInput->text() + ".txt"));
    const QLabel* message = ui::Forms::Load<ui::ErrorOutput>().lblErrorMessage;
    EXPECT_EQ(message->text(), "The line of 2000 characters is too long to enlarge: its banner "
                               "would be wider than 32767 small characters.");

    // No band is wider than the page, but the line has too many characters.
    modOptions::PageWidth = 80;
    Paste(QString(33000, 'i'));
    modMain::SaveCommand();
    EXPECT_EQ(message->text(), "The line of 33000 characters is too long to enlarge: it has more "
                               "than 32767 characters.");

    Type("ok");
    modMain::CopyCommand();
    EXPECT_EQ(ui::CurrentClipboard().Text().toLatin1(), Composed(u"ok"));
    EXPECT_EQ(beeps.count, 4);
}

TEST_F(OutputCommands, AClipboardThatRefusesTheTextIsReported) {
    StubbornClipboard stubborn;
    ui::UseClipboard(&stubborn);
    Type("Hi");
    modMain::CopyCommand();
    ui::UseClipboard(nullptr);
    EXPECT_EQ(beeps.count, 1);
    EXPECT_TRUE(ui::Forms::Load<ui::ErrorOutput>().lblErrorMessage->text().contains("clipboard"));
}
