#pragma once

#include "platform/file_writer.h"

#include <memory>
#include <string_view>

namespace platform {

// The banner folder could not be made: what() names the folder and Reason() says why.
class FolderError : public OutputError {
public:
    // longest: the units of the folder's path that the message shows (ShownPath).
    FolderError(std::u16string_view folder, std::string reason, std::size_t longest = 64);
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

// A text file being written. Nothing reaches the file's name before Close succeeds:
// a replaced file stays whole until then, and no temporary file is left behind.
class TextStream {
public:
    virtual ~TextStream() = default;
    // Writes the text followed by CR LF, bytes as they stand.
    virtual void WriteLine(std::string_view text) = 0;
    virtual void Close() = 0;
};

// The file-system object: the few operations that saving a banner relies on, on
// UTF-16 paths. Each failure throws OutputError.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True for a folder, or a symbolic link to one.
    virtual bool FolderExists(std::u16string_view path) = 0;
    // Makes the folder; one that another process made meanwhile is as good. Throws
    // FolderError.
    virtual void CreateFolder(std::u16string_view path) = 0;
    // Creates or replaces the file: a save always overwrites.
    virtual std::unique_ptr<TextStream> CreateTextFile(std::u16string_view path) = 0;
};

// The file system of this host, writing through FileWriter.
std::unique_ptr<FileSystem> CreateFileSystemObject();

} // namespace platform
