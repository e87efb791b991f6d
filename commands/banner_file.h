#pragma once

#include "platform/file_system.h"

#include <string>
#include <string_view>

namespace modMain {

// The folder that Save writes into, relative to the current working directory.
inline constexpr std::u16string_view kBannerFolder = u"Files";

// The path of the banner file for a line: the folder, the platform's separator and
// the line's file name (platform::BannerFileName).
std::u16string BannerFilePath(std::u16string_view line);

// Creates the banner folder when missing and writes the banner followed by one line
// break into the line's file, replacing any file (or link) of that name. Throws
// platform::OutputError; a failure leaves an existing file as it was.
void WriteBannerFile(platform::FileSystem& fileSystem, std::u16string_view line,
                     const std::string& pageText);

} // namespace modMain
