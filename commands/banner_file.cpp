#include "commands/banner_file.h"

#include "platform/file_name.h"

#include <QDir>

namespace modMain {

QString BannerFilePath(std::u16string_view line) {
    return kBannerFolder + QDir::separator() +
           QString::fromStdU16String(platform::BannerFileName(line));
}

void WriteBannerFile(platform::FileSystem& fileSystem, std::u16string_view line,
                     const std::string& pageText) {
    if (!fileSystem.FolderExists(kBannerFolder)) {
        fileSystem.CreateFolder(kBannerFolder);
    }
    std::unique_ptr<platform::TextStream> stream =
        fileSystem.CreateTextFile(BannerFilePath(line), /*overwrite=*/true);
    stream->WriteLine(pageText);
    stream->Close();
}

} // namespace modMain
