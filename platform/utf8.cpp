#include "platform/utf8.h"

#include <array>

namespace platform {
namespace utf8_detail {

Sequence ReadSequence(std::string_view bytes) {
    constexpr std::array<char32_t, 5> kLowest = {0, 0, 0x80, 0x800, 0x10000};
    const auto lead = static_cast<unsigned char>(bytes[0]);
    int length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return {};
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < static_cast<std::size_t>(length); ++k) {
        if (k == bytes.size()) {
            return {0, -1};
        }
        const auto next = static_cast<unsigned char>(bytes[k]);
        if ((next & 0xC0) != 0x80) {
            return {};
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < kLowest[static_cast<std::size_t>(length)] || IsHighSurrogate(code) ||
        IsLowSurrogate(code) || code > 0x10FFFF) {
        return {};
    }
    return {code, length};
}

} // namespace utf8_detail

bool IsFormatCharacter(char32_t code) {
    struct Range {
        char32_t first, last;
    };
    constexpr Range kFormats[] = {
        {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
        {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
        {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x206F},   {0xFEFF, 0xFEFF},
        {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F},
        {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
    };
    for (const Range& range : kFormats) {
        if (code >= range.first && code <= range.last) {
            return true;
        }
    }
    return false;
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    return bytes.starts_with(kMark) ? bytes.substr(kMark.size()) : bytes;
}

std::u16string_view WithoutByteOrderMark(std::u16string_view text) {
    return text.starts_with(u'\uFEFF') ? text.substr(1) : text;
}

std::u16string FromUtf8(std::string_view bytes) {
    bytes = WithoutByteOrderMark(bytes);
    std::u16string text;
    text.reserve(bytes.size());
    DecodeUtf8(bytes, false, [&](char16_t unit) { text += unit; });
    return text;
}

void AppendUtf8(std::u16string_view text, std::string& to) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (IsHighSurrogate(code) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            code = PairedCode(code, text[++i]);
        } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
            code = u'?';
        }
        if (code < 0x80) {
            to += static_cast<char>(code);
            continue;
        }
        const int trailing = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        constexpr std::array<unsigned char, 4> kLeads = {0, 0xC0, 0xE0, 0xF0};
        to += static_cast<char>(kLeads[static_cast<std::size_t>(trailing)] |
                                (code >> (6 * trailing)));
        for (int k = trailing - 1; k >= 0; --k) {
            to += static_cast<char>(0x80 | ((code >> (6 * k)) & 0x3F));
        }
    }
}

std::string ToUtf8(std::u16string_view text) {
    std::string bytes;
    AppendUtf8(text, bytes);
    return bytes;
}

} // namespace platform
