#include "engine/figfont.h"
#include "engine/figfont_layout.h"
#include "engine/figfont_zip.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <zlib.h>

using namespace figfont;
namespace fs = std::filesystem;

namespace {

const fs::path kFontFolder = "/usr/share/figlet";

fs::path FindFiglet() {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = std::min(folders.find(':', start), folders.size());
        fs::path candidate = fs::path(folders.substr(start, end - start)) / "figlet";
        if (fs::exists(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

Font ReadOrFail(const std::string& bytes) {
    auto read = ReadFont(bytes);
    if (auto* error = std::get_if<FontError>(&read)) {
        ADD_FAILURE() << error->reason;
        return {};
    }
    return std::get<Font>(std::move(read));
}

std::string Joined(const Banner& banner) {
    std::string text;
    for (const std::string& row : banner.rows) {
        text += row + "\n";
    }
    return text;
}

// figlet reads beyond its line when a line right to left begins with a figure whose
// every row ends in a blank; such figures are left out of those lines.
bool EndsInBlankEveryRow(const Figure& figure) {
    return figure.Width() > 0 &&
           std::all_of(figure.rows.begin(), figure.rows.end(),
                       [](const std::u32string& row) { return row.back() == U' '; });
}

// One case of the comparison: the options, figlet's arguments for them and the text.
struct Case {
    LayoutOptions options;
    std::vector<std::string> arguments;
    std::u32string text;
    std::string utf8;
};

class CaseMaker {
public:
    CaseMaker(const Font& font, bool asciiOnly, unsigned seed) : random_(seed) {
        for (auto& [code, index] : font.codes) {
            if (code >= 33 && code < (asciiOnly ? 127 : 0x110000) && code != 127 &&
                (code < 0x80 || code >= 0xA0)) {
                (EndsInBlankEveryRow(font.figures[index]) ? trailing_ : letters_)
                    .push_back(static_cast<char32_t>(code));
            }
        }
        std::sort(letters_.begin(), letters_.end());
        std::sort(trailing_.begin(), trailing_.end());
    }

    Case Make() {
        Case made;
        static const char* const kLayouts[] = {"-s", "-S", "-k", "-W", "-o"};
        static const char* const kDirections[] = {"-X", "-L", "-R"};
        static const char* const kJustifications[] = {"", "-l", "-c", "-r"};
        static const int kWidths[] = {79, 79, 40, 20, 12, 6, 1, 0, 300};
        int layout = Pick(5), direction = Pick(3), justification = Pick(4);
        made.options.layout = std::array{Layout::kFont, Layout::kSmushing, Layout::kFitting,
                                         Layout::kFullWidth, Layout::kOverlap}[layout];
        made.options.direction = std::array{Direction::kFont, Direction::kLeftToRight,
                                            Direction::kRightToLeft}[direction];
        made.options.justification =
            std::array{Justification::kByDirection, Justification::kLeft, Justification::kCentre,
                       Justification::kRight}[justification];
        made.options.width = kWidths[Pick(std::size(kWidths))];
        made.options.paragraphs = Pick(4) == 0;
        made.arguments = {"-C",
                          "utf8",
                          kLayouts[layout],
                          kDirections[direction],
                          "-w",
                          std::to_string(made.options.width + 1)};
        if (*kJustifications[justification]) {
            made.arguments.push_back(kJustifications[justification]);
        }
        if (made.options.paragraphs) {
            made.arguments.push_back("-p");
        }
        made.text = Text(direction != 1);
        for (char32_t c : made.text) {
            AppendUtf8(c, made.utf8);
        }
        return made;
    }

private:
    std::size_t Pick(std::size_t count) { return random_() % count; }

    // A few lines of words, blanks and the odd character the font lacks.
    std::u32string Text(bool mayRunRightToLeft) {
        std::u32string text;
        std::size_t lines = 1 + Pick(3);
        for (std::size_t line = 0; line < lines; ++line) {
            std::size_t length = Pick(4) == 0 ? 0 : Pick(24);
            for (std::size_t i = 0; i < length; ++i) {
                text += Character(mayRunRightToLeft);
            }
            text += Pick(5) == 0 ? U" \n" : U"\n";
        }
        if (Pick(4) == 0) {
            text.pop_back();
        }
        return text;
    }

    char32_t Character(bool mayRunRightToLeft) {
        std::size_t kind = Pick(20);
        if (kind < 4) {
            return kind == 0 ? U'\t' : U' ';
        }
        if (kind == 4) {
            return U'\u4E2D'; // in none of the fonts
        }
        if (kind == 5 && !mayRunRightToLeft && !trailing_.empty()) {
            return trailing_[Pick(trailing_.size())];
        }
        if (kind < 12 && letters_.size() > 95) {
            return letters_[Pick(letters_.size())];
        }
        char32_t ascii = static_cast<char32_t>(33 + Pick(94));
        bool known = std::binary_search(letters_.begin(), letters_.end(), ascii);
        return known || letters_.empty() ? ascii : letters_[Pick(letters_.size())];
    }

    std::mt19937 random_;
    std::vector<char32_t> letters_;
    std::vector<char32_t> trailing_;
};

// The first row where two drawings differ, with the rows before it.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    std::size_t rowStart = expected.rfind('\n', at == 0 ? 0 : at - 1);
    rowStart = rowStart == std::string::npos || at == 0 ? 0 : rowStart + 1;
    auto row = [&](const std::string& text) {
        return text.substr(rowStart, text.find('\n', rowStart) - rowStart);
    };
    return "row " +
           std::to_string(std::count(expected.begin(), expected.begin() + rowStart, '\n')) +
           " differs:\nfiglet: [" + row(expected) + "]\nours:   [" + row(actual) + "]\n";
}

std::vector<fs::path> EveryFont() {
    std::vector<fs::path> fonts;
    for (const auto& entry : fs::directory_iterator(kFontFolder)) {
        std::string extension = entry.path().extension().string();
        if (extension == ".flf" || extension == ".tlf") {
            fonts.push_back(entry.path());
        }
    }
    std::sort(fonts.begin(), fonts.end());
    return fonts;
}

// A font of random figures three rows high, each with an edge on either side that the
// smushing rules may join, here and there a blank instead; with code tags in decimal,
// octal, hex and negative and a figure for code 0 after the required characters. The
// header line is given.
std::string GeneratedFont(const std::string& header, unsigned seed, const std::string& lineEnd) {
    static constexpr std::string_view kCells = "|/\\[]{}()<>_-X$";
    static constexpr std::string_view kEdges = "/\\<>$_|[]";
    std::mt19937 random(seed);
    auto cell = [&] { return kCells[random() % kCells.size()]; };
    auto edge = [&] { return kEdges[random() % kEdges.size()]; };
    std::string font = header + lineEnd + "generated" + lineEnd;
    auto figure = [&] {
        std::size_t width = random() % 6;
        char edges[2] = {edge(), edge()};
        for (int row = 0; row < 3; ++row) {
            for (std::size_t i = 0; i < width; ++i) {
                bool edge = i == 0 || i + 1 == width;
                char drawn = edge ? edges[i != 0] : cell();
                font += random() % 8 == 0 ? ' ' : drawn;
            }
            font += row == 2 ? "@@" + lineEnd : "@" + lineEnd;
        }
    };
    for (int i = 0; i < 102; ++i) {
        figure();
    }
    for (const char* tag : {"200", "0311 octal", "0xCA hex", "-0x2 negative", "0 missing"}) {
        font += tag + lineEnd;
        figure();
    }
    return font;
}

// A ZIP archive of one member, deflated unless told otherwise, whose headers may lie.
struct ZipFields {
    int method = 8;
    std::optional<std::uint32_t> size = {};
    std::optional<std::uint32_t> packedSize = {};
    std::optional<std::uint32_t> crc = {};
};

std::string Deflated(const std::string& bytes) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string packed(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

std::string Zip(const std::string& member, const ZipFields& fields = {}) {
    std::string packed = fields.method == 8 ? Deflated(member) : member;
    auto number = [](std::string& to, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            to.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(member.data()), static_cast<uInt>(member.size())));
    std::string described; // method, time, date, CRC, sizes, name length, extra length
    number(described, static_cast<std::uint32_t>(fields.method), 2);
    number(described, 0, 4);
    number(described, fields.crc.value_or(crc), 4);
    number(described, fields.packedSize.value_or(static_cast<std::uint32_t>(packed.size())), 4);
    number(described, fields.size.value_or(static_cast<std::uint32_t>(member.size())), 4);
    number(described, 1, 2);
    number(described, 0, 2);
    std::string zip;
    number(zip, 0x04034b50, 4);
    number(zip, 20, 2);
    number(zip, 0, 2);
    zip += described + "f" + packed;
    auto directory = static_cast<std::uint32_t>(zip.size());
    number(zip, 0x02014b50, 4);
    number(zip, 20, 2);
    number(zip, 20, 2);
    number(zip, 0, 2);
    zip += described;
    zip += std::string(2 + 2 + 2 + 4 + 4, '\0'); // comment, disk, attributes, local header at 0
    zip += "f";
    auto directorySize = static_cast<std::uint32_t>(zip.size() - directory);
    number(zip, 0x06054b50, 4);
    number(zip, 0, 4);
    number(zip, 1, 2);
    number(zip, 1, 2);
    number(zip, directorySize, 4);
    number(zip, directory, 4);
    number(zip, 0, 2);
    return zip;
}

// Ours: the whole text at once in UTF-8, or its characters in two pieces.
std::string Drawn(const Font& font, const Case& made, bool inPieces) {
    if (!inPieces) {
        return Joined(Render(font, std::string_view(made.utf8), made.options));
    }
    std::string drawn;
    Renderer renderer(font, made.options,
                      [&](std::string_view row) { drawn.append(row).push_back('\n'); });
    std::u32string_view text = made.text;
    renderer.Feed(text.substr(0, text.size() / 2));
    renderer.Feed(text.substr(text.size() / 2));
    renderer.Finish();
    return drawn;
}

// Draws generated cases in the font, ours against figlet's drawing with the font file
// given, and reports the first few that differ; returns how many did.
int CompareWithFiglet(const Font& font, const fs::path& figletFont, bool asciiOnly, unsigned seed,
                      int cases) {
    static const fs::path figlet = FindFiglet();
    if (figlet.empty()) {
        ADD_FAILURE() << "figlet is needed: apt-get install figlet toilet-fonts";
        return 1;
    }
    CaseMaker maker(font, asciiOnly, seed);
    int failures = 0;
    for (int i = 0; i < cases && failures < 3; ++i) {
        Case made = maker.Make();
        std::vector<std::string> arguments = made.arguments;
        arguments.insert(arguments.end(), {"-f", figletFont.string()});
        auto expected = testing_support::RunProgram(figlet, arguments, made.utf8);
        std::string actual = Drawn(font, made, i % 2 == 1);
        if (actual != expected.out) {
            ++failures;
            std::string command = "figlet";
            for (const std::string& argument : arguments) {
                command += " " + argument;
            }
            ADD_FAILURE() << command << "\ninput:\n"
                          << made.utf8 << "\n"
                          << FirstDifference(expected.out, actual);
        }
    }
    return failures;
}

} // namespace

// Every font of Debian's figlet and toilet-fonts, in generated cases of layout,
// direction, justification, width and paragraphs, byte for byte as figlet draws them.
// Three fonts hold Latin-1 rows, which figlet misreads: only ASCII is drawn in those.
// figlet stops short in a long zipped font, so it is given the font unzipped.
TEST(FigFont, DrawsEveryInstalledFontAsFigletDoes) {
    testing_support::TemporaryFolder unzipped;
    std::vector<fs::path> fonts = EveryFont();
    ASSERT_GE(fonts.size(), 39u) << "figlet's and toilet-fonts' fonts are needed in "
                                 << kFontFolder;
    int failures = 0;
    for (std::size_t i = 0; i < fonts.size() && failures < 3; ++i) {
        std::string bytes = testing_support::ReadFile(fonts[i]);
        fs::path figletFont = fonts[i];
        if (IsZipArchive(bytes)) {
            figletFont = unzipped.Path() / fonts[i].filename();
            testing_support::WriteFile(figletFont, std::get<std::string>(FirstZipMember(bytes)));
        }
        std::string name = fonts[i].stem().string();
        bool asciiOnly = name == "bubble" || name == "digital" || name == "term";
        failures += CompareWithFiglet(ReadOrFail(bytes), figletFont, asciiOnly,
                                      static_cast<unsigned>(i), 24);
    }
}

// Generated fonts in every horizontal layout a header can give, the full layout or
// the old one alone, each smushing rule alone and all together, right to left, with
// CR LF line ends and zipped (figlet is given the plain file).
TEST(FigFont, DrawsGeneratedFontsAsFigletDoes) {
    testing_support::TemporaryFolder folder;
    const std::vector<std::string> headers = {
        "flf2a$ 3 2 8 1 1 0 129 5",  "flf2a$ 3 2 8 2 1 0 130 5",  "flf2a$ 3 2 8 4 1 0 132 5",
        "flf2a$ 3 2 8 8 1 0 136 5",  "flf2a$ 3 2 8 16 1 0 144 5", "flf2a$ 3 2 8 32 1 0 160 5",
        "flf2a$ 3 2 8 63 1 0 191 5", "flf2a$ 3 2 8 0 1 0 128 5",  "flf2a$ 3 2 8 0 1 0 64 5",
        "flf2a$ 3 2 8 -1 1 0 0 5",   "flf2a$ 3 2 8 -1 1",         "flf2a$ 3 2 8 0 1",
        "flf2a$3 2 8 5 1",           "flf2a$ 3 2 8 63 1 0",       "flf2a$ 3 2 8 31 1 1 159 5",
    };
    int failures = 0;
    for (std::size_t i = 0; i < headers.size() && failures < 3; ++i) {
        std::string lineEnd = i % 4 == 3 ? "\r\n" : "\n";
        std::string plain = GeneratedFont(headers[i], static_cast<unsigned>(i), lineEnd);
        fs::path file = folder.Path() / ("generated" + std::to_string(i) + ".flf");
        testing_support::WriteFile(file, plain);
        failures += CompareWithFiglet(ReadOrFail(i % 2 ? Zip(plain) : plain), file, false,
                                      static_cast<unsigned>(i), 30);
    }
}

namespace {

// The required figures of a font one row high, each drawing its own character.
std::string RequiredFigures(int count = 102) {
    std::string figures;
    for (int i = 0; i < count; ++i) {
        char c = i < 95 ? static_cast<char>(32 + i) : 'x';
        figures += std::string(1, c) + (c == '@' ? "##\n" : "@@\n");
    }
    return figures;
}

std::string Tagged(int count) {
    std::string figures;
    for (int i = 0; i < count; ++i) {
        figures += std::to_string(1000 + i) + "\nx@@\n";
    }
    return figures;
}

const std::string kHeader = "flf2a$ 1 1 3 0 0 0 64\n";

std::string WithBytes(std::string bytes, std::size_t at, std::string_view replacement) {
    return bytes.replace(at, replacement.size(), replacement);
}

} // namespace

// Each is refused with its reason, whatever it is: the header, the figures, the limits
// and ZIP archives that lie.
TEST(FigFont, RefusesBadFontsWithTheirReason) {
    const std::string font = kHeader + RequiredFigures();
    const auto size = static_cast<std::uint32_t>(font.size());
    const struct {
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"", "empty file"},
        {"hello\n", "not a FIGfont: it does not begin with flf2a or tlf2a"},
        {"flf2a$\n", "not a FIGfont: its first line lacks"},
        {"flf2a$ 0 1 3 0 0\n", "absurd height 0 (at most 256)"},
        {"flf2a$ 257 1 3 0 0\n", "absurd height 257 (at most 256)"},
        {"flf2a$ 1 1 3 0 -1\n", "absurd count of comment lines -1"},
        {"flf2a$ 1 1 3 0 0 0 64 70000\n", "absurd count of code-tagged characters 70000"},
        {"flf2a$ 1 1 3 0 3\nonly one\n", "truncated: the file ends within its 3 comment lines"},
        {kHeader + RequiredFigures(50), "truncated: the file ends in the figure of character 82"},
        {"flf2a$ 2 1 3 0 0\n" + RequiredFigures(204) + "300\nx@\n",
         "truncated: the file ends in the figure of character 300"},
        {font + "x1 name\nx@@\n", "line 104: a code tag was expected"},
        {font + "4294967296\nx@@\n", "line 104: a code tag was expected"},
        {kHeader + std::string(5000, '-') + "@@\n" + RequiredFigures(101),
         "line 2: a figure row wider than 4096 columns"},
        {kHeader + std::string(70000, '-') + "@@\n" + RequiredFigures(101),
         "line 2: a figure row wider than 4096 columns"},
        {font + Tagged(65536 - 101), "more than 65536 characters"},
        {std::string(kMaxFontBytes + 1, 'x'), "larger than 16 MB"},
        {Zip(font).substr(0, 40), "truncated ZIP archive: no central directory"},
        {Zip(font, {.size = size - 1}),
         "ZIP archive lies about its sizes: the member inflates to more"},
        {Zip(font, {.size = size + 1}), "truncated ZIP archive: the member inflates to fewer"},
        {Zip(font, {.packedSize = size}), "the member lies outside it"},
        {Zip(font, {.crc = 1}), "corrupt ZIP archive: the member's CRC does not match"},
        {Zip(font, {.size = 17 << 20}), "ZIP archive's member is larger than 16 MB"},
        {Zip(font, {.method = 12}), "compressed in a way other than deflate"},
        {Zip(font, {.method = 0, .size = size - 1}), "a stored member of two sizes"},
        {WithBytes(Zip(font), 31, "\xff\xff\xff\xff"),
         "corrupt ZIP archive: its member does not inflate"},
        {Zip("hello\n"), "not a FIGfont"},
    };
    for (const auto& [bytes, reason] : cases) {
        auto read = ReadFont(bytes);
        auto* error = std::get_if<FontError>(&read);
        ASSERT_NE(error, nullptr) << reason;
        EXPECT_NE(error->reason.find(reason), std::string::npos) << error->reason;
    }
}

// Code tags in every notation, a row in Latin-1 beside one in UTF-8, the comments kept,
// a stored ZIP archive, and the characters a font lacks: reported once each, in order,
// drawn as nothing or as the figure for code 0.
TEST(FigFont, ReadsCodeTagsLatin1RowsAndReportsMissingCharacters) {
    std::string font = "flf2a$ 1 1 3 0 2 0 64 5\nby someone\nkeep this line\n" + RequiredFigures() +
                       "200\nd@@\n0311 octal\no@@\n0xCA\nh@@\n-0x2\nn@@\n203\n\xe9@@\n"
                       "204\n\xc3\xa9@@\n";
    Font plain = ReadOrFail(font);
    Font stored = ReadOrFail(Zip(font, {.method = 0}));
    LayoutOptions options;
    EXPECT_EQ(plain.comments, "by someone\nkeep this line\n");
    EXPECT_NE(plain.Find(-2), nullptr);
    Banner drawn = Render(plain, std::u32string_view(U"\u00C8\u00C9\u00CA\u00CB\u00CC"), options);
    EXPECT_EQ(drawn.rows, std::vector<std::string>{"doh\u00e9\u00e9"});
    EXPECT_EQ(Render(stored, std::string_view("\u00C8\u00C9"), options).rows,
              std::vector<std::string>{"do"});

    Banner missing = Render(plain, std::u32string_view(U"a\u4E2Da\u4E2D\U0001F600"), options);
    EXPECT_EQ(missing.rows, std::vector<std::string>{"aa"});
    EXPECT_EQ(missing.missing, (std::vector<char32_t>{0x4E2D, 0x1F600}));
    Font withZero = ReadOrFail(font + "0\n?@@\n");
    EXPECT_EQ(Render(withZero, std::u32string_view(U"a\u4E2Da"), options).rows,
              std::vector<std::string>{"a?a"});
}

// Every control file of Debian's figlet, and one in stages, against figlet in the
// standard font over Latin-1, Greek and Cyrillic; those for other input encodings
// are refused.
TEST(FigFont, TranslatesByEveryInstalledControlFileAsFigletDoes) {
    fs::path figlet = FindFiglet();
    ASSERT_FALSE(figlet.empty()) << "figlet is needed: apt-get install figlet toilet-fonts";
    testing_support::TemporaryFolder folder;
    fs::path staged = folder.Path() / "staged.flc";
    testing_support::WriteFile(staged, "flc2a\nt a-z A-Z\nf\nt Q ~\nt \\65-\\0x43 \\-2-\\0\n");
    std::vector<fs::path> controls = {staged};
    for (const auto& entry : fs::directory_iterator(kFontFolder)) {
        if (entry.path().extension() == ".flc") {
            controls.push_back(entry.path());
        }
    }
    std::sort(controls.begin(), controls.end());
    ASSERT_GE(controls.size(), 40u);
    std::string text = "Quick ABC\n";
    for (char32_t c : {0xA0, 0x100, 0x370, 0x400}) {
        for (char32_t i = c; i < c + 0x60; ++i) {
            AppendUtf8(i, text);
        }
        text += "\n";
    }
    for (std::string_view bad : {"t\n", "flc2a\n0x41\n", "g 0 94 B\n"}) {
        EXPECT_TRUE(std::holds_alternative<FontError>(ReadControlFile(bad))) << bad;
    }
    Font standard = ReadOrFail(testing_support::ReadFile(kFontFolder / "standard.flf"));
    for (const fs::path& path : controls) {
        auto control = ReadControlFile(testing_support::ReadFile(path));
        if (auto* error = std::get_if<FontError>(&control)) {
            EXPECT_NE(error->reason.find("other than UTF-8"), std::string::npos)
                << path << ": " << error->reason;
            continue;
        }
        LayoutOptions options;
        options.controls = {std::get<ControlFile>(control)};
        auto expected = testing_support::RunProgram(
            figlet, {"-C", "utf8", "-C", path.string(), "-f", "standard"}, text);
        std::string actual = Joined(Render(standard, std::string_view(text), options));
        EXPECT_EQ(actual, expected.out) << path << FirstDifference(expected.out, actual);
    }
}
