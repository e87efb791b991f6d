// The file-name rule on any UTF-16 line: always one plain name ending in ".txt",
// directly inside the banner folder: no separator, no reserved character, no device;
// and its UTF-8, as POSIX systems get it, decodes back to it. The same bytes decode
// alike whole and in two pieces.

#include "platform/file_name.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::u16string Upper(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) {
        c = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    }
    return upper;
}

bool IsDevice(std::u16string_view name) {
    std::u16string stem = Upper(name.substr(0, name.find(u'.')));
    while (!stem.empty() && stem.back() == u' ') {
        stem.pop_back();
    }
    for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL"}) {
        if (stem == device) {
            return true;
        }
    }
    return stem.size() == 4 && (stem.starts_with(u"COM") || stem.starts_with(u"LPT")) &&
           std::u16string_view(u"123456789\u00B9\u00B2\u00B3").find(stem[3]) !=
               std::u16string_view::npos;
}

// The text with every lone surrogate made "?".
std::u16string WithoutLoneSurrogates(std::u16string_view text) {
    std::u16string kept(text);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const bool high = kept[i] >= 0xD800 && kept[i] <= 0xDBFF;
        const bool lowNext = i + 1 < kept.size() && kept[i + 1] >= 0xDC00 && kept[i + 1] <= 0xDFFF;
        if (high && lowNext) {
            ++i;
        } else if (kept[i] >= 0xD800 && kept[i] <= 0xDFFF) {
            kept[i] = u'?';
        }
    }
    return kept;
}

std::u16string Decoded(std::string_view bytes, std::size_t cut) {
    std::u16string text;
    const auto put = [&](char16_t unit) { text += unit; };
    const std::size_t used = platform::DecodeUtf8(bytes.substr(0, cut), true, put);
    platform::DecodeUtf8(bytes.substr(used), false, put);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string line(size / 2, u'\0');
    std::memcpy(line.data(), data, line.size() * 2);
    const std::u16string name = platform::BannerFileName(line);
    Check(name.ends_with(u".txt"));
    Check(name != u"." && name != u"..");
    Check(std::none_of(name.begin(), name.end(), [](char16_t c) {
        return c < 32 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
    }));
    Check(!IsDevice(name));
    Check(name.size() == line.size() + 4 || name.size() == line.size() + 5);

    const std::string encoded = platform::ToUtf8(name);
    Check(encoded.find('/') == std::string::npos && encoded.find('\0') == std::string::npos);
    Check(Decoded(encoded, encoded.size()) == WithoutLoneSurrogates(name));
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(Decoded(bytes, size == 0 ? 0 : data[0] % size) == Decoded(bytes, size));
    return 0;
}
