#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 in and out, as the desktop toolkit converts it: every byte that does not
// begin a well-formed sequence (overlong, a surrogate, beyond U+10FFFF, cut short)
// becomes one U+FFFD; a lone surrogate is written as "?".
namespace platform {

constexpr bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point of a high and a low surrogate.
constexpr char32_t PairedCode(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// True when the unit ends a character that the unit before it began: a low surrogate
// after a high one.
constexpr bool EndsPair(char32_t previous, char32_t unit) {
    return IsHighSurrogate(previous) && IsLowSurrogate(unit);
}

// True for the invisible format characters, Unicode's general category Cf: the marks,
// embeddings, overrides and isolates of direction, the joiners and zero-width spaces,
// the soft hyphen, the byte order mark, the tags and the like. Printed, they draw
// nothing, and some reorder the text around them.
bool IsFormatCharacter(char32_t code);

// The characters of the text as its reader counts them: a surrogate pair is one.
constexpr std::size_t CharacterCount(std::u16string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        count += i > 0 && EndsPair(text[i - 1], text[i]) ? 0 : 1;
    }
    return count;
}

namespace utf8_detail {

// A sequence at the start of some bytes: its code point and its length in bytes;
// length 0 when malformed, -1 when the bytes end before it does.
struct Sequence {
    char32_t code = 0;
    int length = 0;
};

Sequence ReadSequence(std::string_view bytes);

} // namespace utf8_detail

// Hands every UTF-16 unit of the bytes to put. With more true (further bytes of the
// same text follow), a sequence cut short at the end is left for the next call.
// Returns how many bytes were used.
template <class Put> std::size_t DecodeUtf8(std::string_view bytes, bool more, Put put) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            put(static_cast<char16_t>(byte));
            ++at;
            continue;
        }
        const utf8_detail::Sequence sequence = utf8_detail::ReadSequence(bytes.substr(at));
        if (sequence.length < 0 && more) {
            break;
        }
        if (sequence.length <= 0) {
            put(u'\uFFFD');
            ++at;
        } else if (sequence.code >= 0x10000) {
            put(static_cast<char16_t>(0xD7C0 + (sequence.code >> 10)));
            put(static_cast<char16_t>(0xDC00 + (sequence.code & 0x3FF)));
            at += static_cast<std::size_t>(sequence.length);
        } else {
            put(static_cast<char16_t>(sequence.code));
            at += static_cast<std::size_t>(sequence.length);
        }
    }
    return at;
}

// A byte order mark at the start of a text marks its encoding and is no character of
// it: an argument, standard input and the page's line are all taken without it.
std::string_view WithoutByteOrderMark(std::string_view bytes);
std::u16string_view WithoutByteOrderMark(std::u16string_view text);

// The text of some UTF-8 bytes, without a byte order mark at their start.
std::u16string FromUtf8(std::string_view bytes);

// Appends the UTF-8 of the text.
void AppendUtf8(std::u16string_view text, std::string& to);
std::string ToUtf8(std::u16string_view text);

} // namespace platform
