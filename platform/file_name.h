#pragma once

#include <string>
#include <string_view>

namespace platform {

// The name of the banner file for a line: the line and ".txt", with every character
// that a Windows file name may not hold (\ / : * ? " < > | and codes below 32) made
// "_", and "_" put before a name that a Windows device would claim (CON, NUL, COM1,
// COM¹, ...). The same rule on every host, so a name is always one file directly inside
// the banner folder, never a path or a device.
std::u16string BannerFileName(std::u16string_view line);

} // namespace platform
