#include "engine/banner.h"
#include "settings/layout_options.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    QByteArray out;
    QByteArray err;
    int status = -1;
};

Outcome H8(const QStringList& arguments, const QByteArray& input = {}, const QString& folder = {}) {
    QProcess process;
    if (!folder.isEmpty()) {
        process.setWorkingDirectory(folder);
    }
    process.start(QStringLiteral(H8_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.readAllStandardOutput(), process.readAllStandardError(), process.exitCode()};
}

// The banner the engine composes for a line under the given options.
QByteArray Composed(std::u16string_view line, std::int16_t h, std::int16_t v, std::int16_t p) {
    modMain::InitEngine();
    modOptions::HSpaces = h;
    modOptions::VSpaces = v;
    modOptions::PageWidth = p;
    mod8Zevazuv::ComposePage(line);
    modOptions::SetDefaultOptions();
    return QByteArray::fromStdString(mod8Zevazuv::PageText);
}

} // namespace

TEST(H8, PrintsTheComposedBannerByteForByte) {
    EXPECT_EQ(H8({"Hi"}).out, Composed(u"Hi", 1, 1, -1));
    EXPECT_EQ(H8({"Hi"}).out.size(), 132);
    EXPECT_EQ(H8({"-w", "10", "HiH"}).out, Composed(u"HiH", 1, 1, 10));
    EXPECT_EQ(H8({"-s", "0", "-l", "2.5", "-w", " 40.5", "Big", "banner!"}).out,
              Composed(u"Big banner!", 0, 2, 40));
    EXPECT_EQ(H8({"-w", "-32768", "--", "-s", "x"}).out, Composed(u"-s x", 1, 1, -32768));
    EXPECT_EQ(H8({""}).out, QByteArray());
}

TEST(H8, ReadsEachLineOfStandardInput) {
    Outcome run = H8({"-q"}, "Hi\r\ncaf\xc3\xa9\n\nlast");
    EXPECT_EQ(run.out, Composed(u"Hi", 1, 1, -1) + Composed(u"caf\u00E9", 1, 1, -1) +
                           Composed(u"last", 1, 1, -1));
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(run.status, 0);
}

TEST(H8, ShowPrintsTheOneBand) {
    modMain::InitEngine();
    mod8Zevazuv::RenderLine(u"Hi Hi");
    EXPECT_EQ(H8({"--show", "-w", "5", "Hi", "Hi"}).out,
              QByteArray::fromStdString(mod8Zevazuv::BandText));
}

TEST(H8, SaveWritesTheFileAsTheSaveCommandDoes) {
    QTemporaryDir folder;
    Outcome run = H8({"--save", "a/b"}, {}, folder.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, QByteArray());
    QFile file(folder.filePath("Files/a_b.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), Composed(u"a/b", 1, 1, -1) + "\r\n");
}

TEST(H8, BadOptionValuesAreUsageErrors) {
    for (const QStringList& arguments : {QStringList{"-s", "13", "x"},
                                         {"-l", "-0.4", "x"},
                                         {"-s", "abc", "x"},
                                         {"-w", "99999", "x"},
                                         {"-w", "", "x"},
                                         {"-s"},
                                         {"--bogus", "x"}}) {
        Outcome run = H8(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, QByteArray());
        EXPECT_EQ(run.err.count('\n'), 1);
        EXPECT_TRUE(run.err.startsWith("h8: "));
    }
    Outcome help = H8({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"-s N", "-l N", "-w N", "-q", "--show", "--save", "--"}) {
        EXPECT_TRUE(help.out.contains(option)) << option;
    }
}

TEST(H8, AnOverflowingLineExitsOneAndTheOthersStillPrint) {
    QByteArray input = QByteArray(2000, 'A') + "\nHi\n";
    Outcome run = H8({}, input);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, Composed(u"Hi", 1, 1, -1));
    EXPECT_EQ(run.err, "h8: the line of 2000 characters is too long to enlarge: its banner would "
                       "be wider than 32767 small characters\n");
    EXPECT_EQ(H8({"-w", "80", QString(33000, 'i')}).err,
              "h8: the line of 33000 characters is too long to enlarge: it has more than 32767 "
              "characters\n");
}

TEST(H8, NamesCharactersOutsideTheFontUnlessQuiet) {
    Outcome run = H8({"a#\xe4\xb8\xad#"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "h8: not in the font: U+0023 \"#\" as a blank, U+4E2D \"\xe4\xb8\xad\" as \"?\"\n");
    EXPECT_EQ(run.out, Composed(u"a#\u4E2D#", 1, 1, -1));
    EXPECT_EQ(H8({"-q", "a#"}).err, QByteArray());
    EXPECT_EQ(H8({"Hi there."}).err, QByteArray());
}
