#pragma once

#include "platform/output_error.h"

#include <string>
#include <string_view>

#ifndef _WIN32
struct stat;
#endif

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
// following it, and syncs the folder. On POSIX the folder is opened once and every
// call works relative to it, so that a folder moved or replaced during the save cannot
// make another file stand at the target: the banner stands in the folder opened. Until
// then the target is untouched, and a writer that fails or is dropped before Commit
// removes its temporary file; so does a process ended meanwhile by any signal that
// ends it by default and can be caught (SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE,
// SIGALRM, SIGXCPU, a fault, a real-time signal...), which then ends it as the signal
// would; on Windows, Ctrl+C or a closed console. A read-only target is refused, and so
// is one that this user may not write. Every failure throws OutputError, which says
// where a temporary file that could not be removed was left; one that comes after the
// rename says that the new file was written.
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
    // Closes and removes the temporary file; returns what a message adds when it
    // cannot be removed, or "".
    std::string Discard();
    // What a message adds about the temporary file left behind, for the reason given.
    std::string LeftBehind(const std::string& reason) const;
#ifndef _WIN32
    void KeepOwnerAndPermissions(const struct stat& old);
    void SyncFolder() const;
#endif

    std::u16string target_;
    // The temporary file: its name in folder_ on POSIX, its whole path on Windows.
    NativePath temporary_;
    // Where the temporary file's path waits for an interruption's handler; none before
    // the file is being made and after it is gone.
    temporary_files::Slot* pendingSlot_ = nullptr;
#ifdef _WIN32
    void* handle_;
#else
    int descriptor_ = -1;
    // The target's folder, held without the right to read it (a folder of mode 0300
    // is held too), and the target's name in it.
    int folder_ = -1;
    std::string name_;
#endif
};

} // namespace platform
