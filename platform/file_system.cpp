#include "platform/file_system.h"

#include <system_error>

namespace platform {
namespace {

class SafeTextStream : public TextStream {
public:
    explicit SafeTextStream(std::u16string_view path) : file_(path) {}

    void WriteLine(std::string_view text) override {
        file_.Write(text);
        file_.Write("\r\n");
    }

    void Close() override { file_.Commit(); }

private:
    FileWriter file_;
};

[[noreturn]] void FolderFailure(std::u16string_view path, std::string_view why) {
    throw OutputError("The folder \"" + ShownPath(path) +
                      "\" could not be made: " + std::string(why) + ".");
}

class HostFileSystem : public FileSystem {
public:
    bool FolderExists(std::u16string_view path) override {
        std::error_code error;
        return std::filesystem::is_directory(PathOf(path), error);
    }

    void CreateFolder(std::u16string_view path) override {
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(PathOf(path), error))) {
            FolderFailure(path, "a file of that name is in the way");
        }
        if (!std::filesystem::create_directory(PathOf(path), error)) {
            FolderFailure(path, "the system refused it");
        }
    }

    std::unique_ptr<TextStream> CreateTextFile(std::u16string_view path, bool overwrite) override {
        std::error_code error;
        if (!overwrite &&
            std::filesystem::exists(std::filesystem::symlink_status(PathOf(path), error))) {
            throw OutputError("The file \"" + ShownPath(path) +
                              "\" could not be written: it exists already.");
        }
        return std::make_unique<SafeTextStream>(path);
    }
};

} // namespace

std::unique_ptr<FileSystem> CreateFileSystemObject() {
    return std::make_unique<HostFileSystem>();
}

} // namespace platform
