#include "commands/banner_file.h"

#include "platform/file_name.h"

#include <filesystem>

namespace modMain {

std::u16string BannerFilePath(std::u16string_view line) {
    return std::u16string(kBannerFolder) +
           static_cast<char16_t>(std::filesystem::path::preferred_separator) +
           platform::BannerFileName(line);
}

void WriteBannerFile(platform::FileSystem& fileSystem, std::u16string_view line,
                     const std::string& pageText) {
    if (!fileSystem.FolderExists(kBannerFolder)) {
        fileSystem.CreateFolder(kBannerFolder);
    }
    std::unique_ptr<platform::TextStream> stream = fileSystem.CreateTextFile(BannerFilePath(line));
    stream->WriteLine(pageText);
    stream->Close();
}

} // namespace modMain
