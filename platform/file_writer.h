#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// A failure of the platform's output that the user must hear of; what() says in one
// sentence (UTF-8) what failed and why, with the path.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A path as a message shows it, in UTF-8: a very long one keeps its start and end.
std::string ShownPath(std::u16string_view path);

// The file-system path of a UTF-16 name (UTF-8 on POSIX, the units themselves on
// Windows, so that a name outside the code page still names the right file).
std::filesystem::path PathOf(std::u16string_view path);

// Replaces a file in one step. The bytes go to a temporary file created anew beside
// the target (nothing standing in the folder can redirect it); Commit syncs it and
// renames it over the target, which replaces a symbolic link standing there instead
// of following it. Until then the target is untouched, and a writer that fails or is
// dropped before Commit removes its temporary file. Every failure throws OutputError.
class FileWriter {
public:
    explicit FileWriter(std::u16string_view target);
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    void Write(std::string_view bytes);
    void Commit();

private:
    [[noreturn]] void Fail(const std::string& reason);
    void Discard();

    std::u16string target_;
    std::filesystem::path temporary_;
#ifdef _WIN32
    void* handle_;
#else
    int descriptor_;
#endif
};

} // namespace platform
