// The file-name rule on any UTF-16 line: always one plain name ending in ".txt",
// directly inside the banner folder: no separator, no reserved character, no device.

#include "platform/file_name.h"

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
           stem[3] >= u'1' && stem[3] <= u'9';
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
    return 0;
}
