#pragma once

#include <QString>
#include <memory>
#include <stdexcept>
#include <string_view>

namespace platform {

// A failure of the platform's output that the user must hear of; the message says in
// one sentence what failed and why, with the path.
class OutputError : public std::runtime_error {
public:
    explicit OutputError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
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

// The file-system object: the few operations that saving a banner relies on. Each
// failure throws OutputError.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool FolderExists(const QString& path) = 0;
    virtual void CreateFolder(const QString& path) = 0;
    // Creates or replaces the file; fails when overwrite is false and it exists.
    virtual std::unique_ptr<TextStream> CreateTextFile(const QString& path, bool overwrite) = 0;
};

// The file system of this host.
std::unique_ptr<FileSystem> CreateFileSystemObject();

} // namespace platform
