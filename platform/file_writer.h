#pragma once

#include "platform/output_error.h"

#include <string>
#include <string_view>

namespace platform {
namespace temporary_files {
struct Slot;
}

// A path as the system's calls take it: UTF-16 units on Windows, UTF-8 bytes elsewhere.
#ifdef _WIN32
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif

// The system's path of a UTF-16 name (UTF-8 on POSIX; on Windows the units themselves,
// so that a name outside the code page still names the right file, in the long form
// \\?\ of the absolute path, which takes paths of any length).
NativePath PathOf(std::u16string_view path);

// Replaces a file in one step. The bytes go to a temporary file created anew beside
// the target (nothing standing in the folder can redirect it); Commit syncs it, renames
// it over the target, which replaces a symbolic link standing there instead of
// following it, and syncs the folder. Until then the target is untouched, and a writer
// that fails or is dropped before Commit removes its temporary file; so does a process
// ended meanwhile by any signal that ends it by default and can be caught (SIGINT,
// SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM, SIGXCPU, a fault, a real-time signal...),
// which then ends it as the signal would; on Windows, Ctrl+C or a closed console.
// A read-only target is refused. Every failure throws OutputError; one that comes
// after the rename says that the new file was written.
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
#ifndef _WIN32
    void SyncFolder(const std::string& folder) const;
#endif

    std::u16string target_;
    NativePath temporary_;
    // Where the temporary file's path waits for an interruption's handler; none before
    // the file is being made and after it is gone.
    temporary_files::Slot* pendingSlot_ = nullptr;
#ifdef _WIN32
    void* handle_;
#else
    int descriptor_;
#endif
};

} // namespace platform
