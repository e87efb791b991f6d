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

// What the system says about one of its error codes (errno on POSIX, GetLastError()
// on Windows), without the full stop it may add. A code that means success is no
// reason: it is never shown as one.
std::string SystemReason(int code);

// Text (UTF-8) as a message shows it: every control character written as an escape
// (\x1b, \u009b), so that no message can move a terminal's cursor or change it.
std::string ShownText(std::string_view utf8);

// A path as a message shows it, in UTF-8 through ShownText: one longer than longest
// units keeps its start and end, and no character is cut in two.
std::string ShownPath(std::u16string_view path, std::size_t longest = 64);

// The file-system path of a UTF-16 name (UTF-8 on POSIX; on Windows the units
// themselves, so that a name outside the code page still names the right file, in the
// long form \\?\ of the absolute path, which takes paths of any length).
std::filesystem::path PathOf(std::u16string_view path);

// Replaces a file in one step. The bytes go to a temporary file created anew beside
// the target (nothing standing in the folder can redirect it); Commit syncs it, renames
// it over the target, which replaces a symbolic link standing there instead of
// following it, and syncs the folder. Until then the target is untouched, and a writer
// that fails or is dropped before Commit removes its temporary file; so does a process
// ended meanwhile by SIGINT, SIGTERM or SIGHUP (Ctrl+C or a closed console on
// Windows). A read-only target is refused. Every failure throws OutputError.
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
    void CreateTemporaryFile();
    void Discard();

    std::u16string target_;
    std::filesystem::path temporary_;
    // Where the temporary file's path waits for an interruption's handler; -1: none.
    int pendingSlot_ = -1;
#ifdef _WIN32
    void* handle_;
#else
    int descriptor_;
#endif
};

} // namespace platform
