#include "engine/figfont.h"
#include "engine/figfont_layout.h"
#include "engine/figfont_zip.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
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

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
        out += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    } else {
        out += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
}

// figlet reads beyond its line when a line right to left begins with a figure whose
// every row ends in a blank; such figures are left out of those lines.
bool EndsInBlankEveryRow(const Figure& figure) {
    return figure.width() > 0 &&
           std::all_of(figure.rows.begin(), figure.rows.end(),
                       [](const std::u32string& row) { return row.back() == U' '; });
}

// One case of the comparison: the options, figlet's arguments for them and the text.
struct Case {
    LayoutOptions options;
    std::vector<std::string> arguments;
    std::string text;
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
        static const int kWidths[] = {79, 79, 40, 20, 12, 6, 1, 300};
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
        return made;
    }

private:
    std::size_t Pick(std::size_t count) { return random_() % count; }

    // A few lines of words, blanks and the odd character the font lacks.
    std::string Text(bool mayRunRightToLeft) {
        std::string text;
        std::size_t lines = 1 + Pick(3);
        for (std::size_t line = 0; line < lines; ++line) {
            std::size_t length = Pick(4) == 0 ? 0 : Pick(24);
            for (std::size_t i = 0; i < length; ++i) {
                AppendUtf8(Character(mayRunRightToLeft), text);
            }
            text += Pick(5) == 0 ? " \n" : "\n";
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

} // namespace

// Every font of Debian's figlet and toilet-fonts, in generated cases of layout,
// direction, justification, width and paragraphs, byte for byte as figlet draws them.
// Three fonts hold Latin-1 rows, which figlet misreads: only ASCII is drawn in those.
// figlet stops short in a long zipped font, so it is given the font unzipped.
TEST(FigFont, DrawsEveryInstalledFontAsFigletDoes) {
    testing_support::TemporaryFolder unzipped;
    fs::path figlet = FindFiglet();
    ASSERT_FALSE(figlet.empty()) << "figlet is needed: apt-get install figlet toilet-fonts";
    std::vector<fs::path> fonts = EveryFont();
    ASSERT_GE(fonts.size(), 39u) << "figlet's and toilet-fonts' fonts are needed in "
                                 << kFontFolder;
    int failures = 0;
    for (const fs::path& path : fonts) {
        std::string bytes = testing_support::ReadFile(path);
        Font font = ReadOrFail(bytes);
        std::string name = path.stem().string();
        fs::path figletFont = path;
        if (IsZipArchive(bytes)) {
            figletFont = unzipped.Path() / path.filename();
            testing_support::WriteFile(figletFont, std::get<std::string>(FirstZipMember(bytes)));
        }
        bool asciiOnly = name == "bubble" || name == "digital" || name == "term";
        CaseMaker maker(font, asciiOnly, static_cast<unsigned>(std::hash<std::string>{}(name)));
        for (int i = 0; i < 24 && failures < 5; ++i) {
            Case made = maker.Make();
            std::vector<std::string> arguments = made.arguments;
            arguments.insert(arguments.end(), {"-f", figletFont.string()});
            auto expected = testing_support::RunProgram(figlet, arguments, made.text);
            std::string actual = Joined(Render(font, std::string_view(made.text), made.options));
            if (actual != expected.out) {
                ++failures;
                std::string command;
                for (const std::string& argument : arguments) {
                    command += argument + " ";
                }
                ADD_FAILURE() << command << "\ninput:\n"
                              << made.text << "\n"
                              << FirstDifference(expected.out, actual);
            }
        }
    }
}
