#include "engine/figfont.h"

#include "engine/figfont_number.h"
#include "engine/figfont_zip.h"
#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>

namespace figfont {
namespace {

// The characters every font holds first, in this order: printable ASCII, then the
// seven German ones.
constexpr int kFirstAscii = 32;
constexpr int kLastAscii = 126;
constexpr std::array<int, 7> kGermanCodes{196, 214, 220, 228, 246, 252, 223};
constexpr int kRequiredCount = kLastAscii - kFirstAscii + 1 + 7;
// The code that no figure may have.
constexpr std::int32_t kForbiddenCode = -1;
// A row longer than this in bytes is too wide whatever it holds: it is not decoded.
constexpr std::size_t kMaxRowBytes = 16 * kMaxRowColumns;
// The cells of all figures, padded, may not exceed the bytes a font may have.
constexpr std::size_t kMaxCells = kMaxFontBytes;

bool IsAsciiSpace(char32_t c) {
    return c == U' ' || (c >= U'\t' && c <= U'\r');
}

// The lines of a font file: LF, CR LF and CR each end one.
class Lines {
public:
    explicit Lines(std::string_view text) : rest_(text) {}

    std::optional<std::string_view> Next() {
        if (rest_.empty()) {
            return std::nullopt;
        }
        auto lineEnd =
            std::find_if(rest_.begin(), rest_.end(), [](char c) { return c == '\n' || c == '\r'; });
        auto end = static_cast<std::size_t>(lineEnd - rest_.begin());
        std::string_view line = rest_.substr(0, end);
        std::size_t ending = end == rest_.size() ? 0 : 1;
        if (rest_.substr(end, 2) == "\r\n") {
            ending = 2;
        }
        rest_.remove_prefix(end + ending);
        ++number_;
        return line;
    }

    bool OnlyBlankLinesLeft() const {
        return std::all_of(rest_.begin(), rest_.end(),
                           [](char c) { return IsAsciiSpace(static_cast<unsigned char>(c)); });
    }

    int Number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

std::u32string DecodeLatin1(std::string_view bytes) {
    std::u32string cells;
    for (char byte : bytes) {
        cells.push_back(static_cast<unsigned char>(byte));
    }
    return cells;
}

// The code points of a row: UTF-8 when it is valid UTF-8 throughout, else Latin-1.
std::u32string DecodeRow(std::string_view bytes) {
    std::u32string cells;
    cells.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            cells.push_back(byte);
            ++at;
            continue;
        }
        auto sequence = platform::utf8_detail::ReadSequence(bytes.substr(at));
        if (sequence.length <= 0) {
            return DecodeLatin1(bytes);
        }
        cells.push_back(sequence.code);
        at += static_cast<std::size_t>(sequence.length);
    }
    return cells;
}

// A row without its trailing blanks and without the run of endmarks before them.
std::u32string WithoutEndmarks(std::u32string row) {
    while (!row.empty() && IsAsciiSpace(row.back())) {
        row.pop_back();
    }
    if (!row.empty()) {
        char32_t endmark = row.back();
        while (!row.empty() && row.back() == endmark) {
            row.pop_back();
        }
    }
    return row;
}

struct Header {
    Font font;
    int commentLines = 0;
};

std::optional<std::string_view> Signature(std::string_view line) {
    if (line.size() < 5 || !(line.starts_with("flf2") || line.starts_with("tlf2"))) {
        return std::nullopt;
    }
    return line.substr(5);
}

// The bytes of the hardblank at the start of the text: one character, in UTF-8 if it
// is valid there, else one byte.
std::size_t HardblankLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    auto sequence = platform::utf8_detail::ReadSequence(text);
    return sequence.length > 1 ? static_cast<std::size_t>(sequence.length) : 1;
}

// The whitespace-separated integers of the header after its hardblank, up to the
// first word that is none; at least the five that every header has.
std::optional<std::vector<std::int64_t>> HeaderNumbers(std::string_view text) {
    std::vector<std::int64_t> numbers;
    for (std::size_t start = text.find_first_not_of(" \t"); start != std::string_view::npos;
         start = text.find_first_not_of(" \t")) {
        text.remove_prefix(start);
        std::size_t end = std::min(text.find_first_of(" \t"), text.size());
        std::int64_t value = 0;
        auto [stop, error] = std::from_chars(text.data(), text.data() + end, value);
        if (error != std::errc{} || stop != text.data() + end) {
            break;
        }
        numbers.push_back(value);
        text.remove_prefix(end);
    }
    return numbers.size() >= 5 ? std::optional(numbers) : std::nullopt;
}

// The full layout of a header that gives only the old one.
int LayoutFromOldLayout(std::int64_t oldLayout) {
    if (oldLayout == 0) {
        return kFitting;
    }
    return oldLayout < 0 ? 0 : static_cast<int>((oldLayout & 31) | kSmushing);
}

// Height, count of comment lines, count of code-tagged characters: the first beyond
// the limits, if any.
std::optional<FontError> AbsurdNumber(const std::vector<std::int64_t>& n) {
    if (n[0] < 1 || n[0] > kMaxHeight) {
        return FontError{"absurd height " + std::to_string(n[0]) + " (at most 256)"};
    }
    if (n[4] < 0 || n[4] > std::numeric_limits<int>::max()) {
        return FontError{"absurd count of comment lines " + std::to_string(n[4])};
    }
    if (n.size() > 7 && (n[7] < 0 || n[7] > static_cast<std::int64_t>(kMaxCharacters))) {
        return FontError{"absurd count of code-tagged characters " + std::to_string(n[7]) +
                         " (at most 65536)"};
    }
    return std::nullopt;
}

std::variant<Header, FontError> ReadHeader(std::string_view line) {
    auto afterSignature = Signature(line);
    if (!afterSignature) {
        return FontError{"not a FIGfont: it does not begin with flf2a or tlf2a"};
    }
    std::size_t length = HardblankLength(*afterSignature);
    std::u32string hardblank = DecodeRow(afterSignature->substr(0, length));
    auto numbers = HeaderNumbers(afterSignature->substr(length));
    if (length == 0 || IsAsciiSpace(hardblank.front()) || !numbers) {
        return FontError{"not a FIGfont: its first line lacks the hardblank, height, baseline, "
                         "maximum length, old layout and comment lines"};
    }
    if (auto error = AbsurdNumber(*numbers)) {
        return *error;
    }
    const std::vector<std::int64_t>& n = *numbers;
    Header header;
    header.font.hardblank = hardblank.front();
    header.font.height = static_cast<int>(n[0]);
    header.font.baseline = static_cast<int>(std::clamp<std::int64_t>(n[1], 0, n[0]));
    header.font.rightToLeft = n.size() > 5 && n[5] == 1;
    header.font.layout = n.size() > 6 ? static_cast<int>(n[6] & 0x7FFF) : LayoutFromOldLayout(n[3]);
    header.commentLines = static_cast<int>(n[4]);
    return header;
}

class Reader {
public:
    Reader(Lines lines, Font& font) : lines_(lines), font_(font) {}

    std::optional<FontError> ReadAll(int commentLines) {
        for (int i = 0; i < commentLines; ++i) {
            auto line = lines_.Next();
            if (!line) {
                return Truncated("within its " + std::to_string(commentLines) + " comment lines");
            }
            font_.comments.append(*line).push_back('\n');
        }
        for (int i = 0; i < kRequiredCount; ++i) {
            if (auto error = ReadFigure(RequiredCode(i))) {
                return error;
            }
        }
        return ReadCodeTagged();
    }

private:
    static std::int32_t RequiredCode(int index) {
        int asciiCount = kLastAscii - kFirstAscii + 1;
        return index < asciiCount ? kFirstAscii + index : kGermanCodes[index - asciiCount];
    }

    FontError Truncated(const std::string& where) const {
        return FontError{"truncated: the file ends " + where};
    }

    FontError AtLine(const std::string& what) const {
        return FontError{"line " + std::to_string(lines_.Number()) + ": " + what};
    }

    std::optional<FontError> ReadCodeTagged() {
        while (!lines_.OnlyBlankLinesLeft()) {
            std::string_view tag = *lines_.Next();
            auto code = ReadCNumber(tag.substr(std::min(tag.find_first_not_of(" \t"), tag.size())));
            if (!code) {
                return AtLine("a code tag was expected: a number in decimal, octal or hex");
            }
            if (auto error = ReadFigure(code->value)) {
                return error;
            }
        }
        return std::nullopt;
    }

    std::optional<FontError> ReadFigure(std::int32_t code) {
        if (font_.figures.size() >= kMaxCharacters) {
            return AtLine("more than 65536 characters");
        }
        Figure figure;
        figure.rows.reserve(static_cast<std::size_t>(font_.height));
        if (auto error = ReadRows(code, figure)) {
            return error;
        }
        if (auto error = Pad(figure)) {
            return error;
        }
        Keep(code, std::move(figure));
        return std::nullopt;
    }

    std::optional<FontError> ReadRows(std::int32_t code, Figure& figure) {
        for (int row = 0; row < font_.height; ++row) {
            auto line = lines_.Next();
            if (!line) {
                return Truncated("in the figure of character " + std::to_string(code));
            }
            if (line->size() <= kMaxRowBytes) {
                figure.rows.push_back(WithoutEndmarks(DecodeRow(*line)));
            }
            if (line->size() > kMaxRowBytes || figure.rows.back().size() > kMaxRowColumns) {
                return AtLine("a figure row wider than 4096 columns");
            }
        }
        return std::nullopt;
    }

    // Pads the rows to the widest, within the limit of cells of the whole font.
    std::optional<FontError> Pad(Figure& figure) {
        std::size_t width = 0;
        for (const auto& row : figure.rows) {
            width = std::max(width, row.size());
        }
        cells_ += width * figure.rows.size();
        if (cells_ > kMaxCells) {
            return AtLine("the figures hold more than 16M cells");
        }
        for (auto& row : figure.rows) {
            row.resize(width, U' ');
        }
        return std::nullopt;
    }

    void Keep(std::int32_t code, Figure figure) {
        if (code == kForbiddenCode) {
            return;
        }
        font_.codes[code] = font_.figures.size();
        font_.figures.push_back(std::move(figure));
    }

    Lines lines_;
    Font& font_;
    std::size_t cells_ = 0;
};

std::variant<Font, FontError> ReadText(std::string_view text) {
    if (text.empty()) {
        return FontError{"empty file"};
    }
    Lines lines(text);
    std::string_view first = *lines.Next();
    auto header = ReadHeader(first);
    if (auto* error = std::get_if<FontError>(&header)) {
        return *error;
    }
    Header& read = std::get<Header>(header);
    if (auto error = Reader(lines, read.font).ReadAll(read.commentLines)) {
        return *error;
    }
    return std::move(read.font);
}

} // namespace

const Figure* Font::Find(std::int32_t code) const {
    auto found = codes.find(code);
    return found == codes.end() ? nullptr : &figures[found->second];
}

std::variant<Font, FontError> ReadFont(std::string_view bytes) {
    if (IsZipArchive(bytes)) {
        auto member = FirstZipMember(bytes);
        if (auto* error = std::get_if<FontError>(&member)) {
            return *error;
        }
        return ReadText(std::get<std::string>(member));
    }
    if (bytes.size() > kMaxFontBytes) {
        return FontError{"larger than 16 MB"};
    }
    return ReadText(bytes);
}

} // namespace figfont
