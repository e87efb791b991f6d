// RenderLine and ComposePage on any UTF-16 text under any layout options: either a
// banner of the expected shape or the refusal of a line too wide, never a crash.

#include "engine/banner.h"
#include "settings/layout_options.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::int16_t Take16(const std::uint8_t*& data, std::size_t& size) {
    std::int16_t value = 0;
    if (size >= 2) {
        std::memcpy(&value, data, 2);
        data += 2;
        size -= 2;
    }
    return value;
}

std::size_t LineBreaks(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    modMain::InitEngine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Small spacing values keep most inputs inside the 16-bit widths.
    modOptions::HSpaces = static_cast<std::int16_t>(Take16(data, size) % 16);
    modOptions::VSpaces = static_cast<std::int16_t>(Take16(data, size) % 16);
    modOptions::PageWidth = Take16(data, size);
    std::u16string line(size / 2, u'\0');
    std::memcpy(line.data(), data, line.size() * 2);

    if (mod8Zevazuv::RenderLine(line)) {
        Check(LineBreaks(mod8Zevazuv::BandText) == 8);
        Check(mod8Zevazuv::LastBandWidth >= 0);
    } else {
        Check(mod8Zevazuv::BandText.empty());
    }
    if (mod8Zevazuv::ComposePage(line)) {
        const std::size_t perBand =
            8 + static_cast<std::size_t>(std::max(0, modOptions::VSpaces + 1));
        Check(LineBreaks(mod8Zevazuv::PageText) % perBand == 0);
        Check(line.empty() == mod8Zevazuv::PageText.empty());
        for (char c : mod8Zevazuv::PageText) {
            Check(c == '\r' || c == '\n' || (c >= 32 && c < 127));
        }
    }
    return 0;
}
