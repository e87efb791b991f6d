#include "platform/file_name.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

bool IsForbidden(char16_t c) {
    return c < 32 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
}

char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return Upper(x) == Upper(y); });
}

// Windows ignores trailing blanks in a device name: "CON .txt" is the console too.
std::u16string_view Stem(std::u16string_view name) {
    std::u16string_view stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') {
        stem.remove_suffix(1);
    }
    return stem;
}

// COM and LPT take a digit 1 to 9, or a superscript one, two or three.
bool IsNumberedDevice(std::u16string_view stem) {
    constexpr std::u16string_view kNumbers = u"123456789\u00B9\u00B2\u00B3";
    if (stem.size() != 4 || kNumbers.find(stem[3]) == std::u16string_view::npos) {
        return false;
    }
    return SameIgnoringCase(stem.substr(0, 3), u"COM") ||
           SameIgnoringCase(stem.substr(0, 3), u"LPT");
}

bool IsDeviceName(std::u16string_view name) {
    constexpr std::array<std::u16string_view, 4> kDevices = {u"CON", u"PRN", u"AUX", u"NUL"};
    std::u16string_view stem = Stem(name);
    return IsNumberedDevice(stem) ||
           std::any_of(kDevices.begin(), kDevices.end(),
                       [&](auto device) { return SameIgnoringCase(stem, device); });
}

} // namespace

std::u16string BannerFileName(std::u16string_view line) {
    std::u16string name(line);
    std::replace_if(name.begin(), name.end(), IsForbidden, u'_');
    name += u".txt";
    if (IsDeviceName(name)) {
        name.insert(name.begin(), u'_');
    }
    return name;
}

} // namespace platform
