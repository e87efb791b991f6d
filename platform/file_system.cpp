#include "platform/file_system.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {
namespace {

// A path as a message shows it: a very long one keeps its start and its end.
QString Shown(const QString& path) {
    constexpr qsizetype kLongest = 64;
    QString shown = QDir::toNativeSeparators(path);
    if (shown.size() > kLongest) {
        shown = shown.left(kLongest - 16) + QChar(0x2026) + shown.right(15);
    }
    return shown;
}

// Writes through QSaveFile: the data goes to a temporary file beside the target,
// which takes the target's name only once everything is written.
class SafeTextStream : public TextStream {
public:
    // Unbuffered, so that a short write (a full disk, a file size limit) shows at once.
    explicit SafeTextStream(const QString& path) : file_(path) {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            Fail();
        }
    }

    void WriteLine(std::string_view text) override {
        WriteAll(text);
        WriteAll("\r\n");
    }

    // QSaveFile (Qt 6.4) commits even after a failed flush, so the flush is checked.
    void Close() override {
        if (!file_.flush() || !file_.commit()) {
            Fail();
        }
    }

private:
    void WriteAll(std::string_view bytes) {
        if (file_.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
            Fail();
        }
    }

    [[noreturn]] void Fail() {
        QString reason = file_.errorString();
        file_.cancelWriting();
        throw OutputError(QStringLiteral("The file \"%1\" could not be written: %2.")
                              .arg(Shown(file_.fileName()), reason));
    }

    QSaveFile file_;
};

class HostFileSystem : public FileSystem {
public:
    bool FolderExists(const QString& path) override { return QFileInfo(path).isDir(); }

    void CreateFolder(const QString& path) override {
        if (QFileInfo::exists(path)) {
            throw OutputError(
                QStringLiteral(
                    "The folder \"%1\" could not be made: a file of that name is in the way.")
                    .arg(Shown(path)));
        }
        if (!QDir().mkdir(path)) {
            throw OutputError(
                QStringLiteral("The folder \"%1\" could not be made: the system refused it.")
                    .arg(Shown(path)));
        }
    }

    std::unique_ptr<TextStream> CreateTextFile(const QString& path, bool overwrite) override {
        if (!overwrite && QFileInfo::exists(path)) {
            throw OutputError(
                QStringLiteral("The file \"%1\" could not be written: it exists already.")
                    .arg(Shown(path)));
        }
        return std::make_unique<SafeTextStream>(path);
    }
};

} // namespace

OutputError::OutputError(const QString& message) : std::runtime_error(message.toStdString()) {}

std::unique_ptr<FileSystem> CreateFileSystemObject() {
    return std::make_unique<HostFileSystem>();
}

} // namespace platform
