#include "engine/figfont_control.h"

#include "engine/figfont_number.h"
#include "engine/figfont_zip.h"

#include <optional>
#include <string>

namespace figfont {
namespace {

constexpr std::string_view kBlanks = " \t";

void SkipBlanks(std::string_view& text) {
    text.remove_prefix(std::min(text.find_first_not_of(kBlanks), text.size()));
}

std::int32_t Escaped(char c) {
    switch (c) {
    case 'a':
        return 7;
    case 'b':
        return 8;
    case 'e':
        return 27;
    case 'f':
        return 12;
    case 'n':
        return 10;
    case 'r':
        return 13;
    case 't':
        return 9;
    case 'v':
        return 11;
    default:
        return static_cast<unsigned char>(c); // "\\", "\ " and any other
    }
}

// A character of a command: a byte standing for its own Latin-1 code, or after "\"
// a number in C's notation or an escape.
std::optional<std::int32_t> TakeCharacter(std::string_view& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    if (text[0] != '\\' || text.size() == 1) {
        auto code = static_cast<unsigned char>(text[0]);
        text.remove_prefix(1);
        return code;
    }
    auto number = ReadCNumber(text.substr(1));
    if (number && number->length > 0) {
        text.remove_prefix(1 + number->length);
        return number->value;
    }
    std::int32_t code = Escaped(text[1]);
    text.remove_prefix(2);
    return code;
}

// A character, or a range of them written first-last.
std::optional<Translation> TakeRange(std::string_view& text) {
    auto first = TakeCharacter(text);
    if (!first) {
        return std::nullopt;
    }
    Translation range{*first, *first, 0};
    if (text.size() > 1 && text[0] == '-' && kBlanks.find(text[1]) == std::string_view::npos) {
        text.remove_prefix(1);
        auto last = TakeCharacter(text);
        if (!last || *last < *first) {
            return std::nullopt;
        }
        range.last = *last;
    }
    return range;
}

// "t from to", each a character or a range; a range goes to the codes from the first
// of `to` on, whatever the end it gives.
std::optional<Translation> ReadTranslate(std::string_view text) {
    SkipBlanks(text);
    auto from = TakeRange(text);
    SkipBlanks(text);
    auto to = TakeRange(text);
    if (!from || !to) {
        return std::nullopt;
    }
    return Translation{from->first, from->last, to->first};
}

// "number number": one code to another.
std::optional<Translation> ReadPair(std::string_view text) {
    auto from = ReadCNumber(text);
    if (!from) {
        return std::nullopt;
    }
    text.remove_prefix(from->length);
    SkipBlanks(text);
    auto to = ReadCNumber(text);
    return to ? std::optional(Translation{from->value, from->value, to->value}) : std::nullopt;
}

class ControlReader {
public:
    std::optional<FontError> Read(std::string_view line) {
        ++number_;
        line = line.substr(0, line.find_last_not_of(" \t\r") + 1);
        if (line.empty() || (number_ == 1 && line.starts_with("flc2"))) {
            return std::nullopt;
        }
        std::optional<Translation> translation;
        switch (line[0]) {
        case 'f':
            control_.stages.emplace_back();
            return std::nullopt;
        case 'u':
            return std::nullopt; // UTF-8, as the text always is
        case 'h':
        case 'j':
        case 'b':
        case 'g':
            return At("input encodings other than UTF-8 (" + std::string(1, line[0]) +
                      ") are not supported");
        case 't':
            translation = ReadTranslate(line.substr(1));
            break;
        case '-':
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9':
            translation = ReadPair(line);
            break;
        default:
            return std::nullopt; // a comment, or a command figlet does not know either
        }
        if (!translation) {
            return At("a translation was expected: t FROM TO, or two numbers");
        }
        control_.stages.back().push_back(*translation);
        return std::nullopt;
    }

    ControlFile Take() { return std::move(control_); }

private:
    FontError At(const std::string& what) const {
        return FontError{"line " + std::to_string(number_) + ": " + what};
    }

    ControlFile control_{{{}}};
    int number_ = 0;
};

std::variant<ControlFile, FontError> ReadControlText(std::string_view text) {
    ControlReader reader;
    while (!text.empty()) {
        std::size_t end = std::min(text.find('\n'), text.size());
        if (auto error = reader.Read(text.substr(0, end))) {
            return *error;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return reader.Take();
}

} // namespace

std::int32_t ControlFile::Translate(std::int32_t code) const {
    for (const std::vector<Translation>& stage : stages) {
        for (const Translation& translation : stage) {
            if (code >= translation.first && code <= translation.last) {
                code = static_cast<std::int32_t>(std::int64_t{translation.to} + code -
                                                 translation.first);
                break;
            }
        }
    }
    return code;
}

std::variant<ControlFile, FontError> ReadControlFile(std::string_view bytes) {
    if (!IsZipArchive(bytes)) {
        return bytes.size() > kMaxFontBytes ? FontError{"larger than 16 MB"}
                                            : ReadControlText(bytes);
    }
    auto member = FirstZipMember(bytes);
    if (auto* error = std::get_if<FontError>(&member)) {
        return *error;
    }
    return ReadControlText(std::get<std::string>(member));
}

} // namespace figfont
