#include "platform/file_system.h"

#include <cerrno>

#ifdef _WIN32
#include <filesystem>
#include <system_error>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace platform {

FolderError::FolderError(std::u16string_view folder, std::string reason, std::size_t longest)
    : OutputError("The folder \"" + ShownPath(folder, longest) + "\" could not be made: " + reason +
                  "."),
      reason_(std::move(reason)) {}

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

// Makes the folder; returns the system's error code, 0 on success.
int MakeFolder(const NativePath& path) {
#ifdef _WIN32
    return CreateDirectoryW(path.c_str(), nullptr) ? 0 : static_cast<int>(GetLastError());
#else
    return mkdir(path.c_str(), 0777) == 0 ? 0 : errno;
#endif
}

// A folder, or a symbolic link to one.
bool IsFolder(const NativePath& path) {
#ifdef _WIN32
    std::error_code error;
    return std::filesystem::is_directory(path, error);
#else
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
#endif
}

#ifdef _WIN32
constexpr int kFolderExists = ERROR_ALREADY_EXISTS;
#else
constexpr int kFolderExists = EEXIST;
#endif

class HostFileSystem : public FileSystem {
public:
    bool FolderExists(std::u16string_view path) override { return IsFolder(PathOf(path)); }

    void CreateFolder(std::u16string_view path) override {
        const int error = MakeFolder(PathOf(path));
        if (error == kFolderExists && !FolderExists(path)) {
            throw FolderError(path, "a file of that name is in the way");
        }
        if (error != 0 && error != kFolderExists) {
            throw FolderError(path, SystemReason(error));
        }
    }

    std::unique_ptr<TextStream> CreateTextFile(std::u16string_view path) override {
        return std::make_unique<SafeTextStream>(path);
    }
};

} // namespace

std::unique_ptr<FileSystem> CreateFileSystemObject() {
    return std::make_unique<HostFileSystem>();
}

} // namespace platform
