// What both platforms' writers share; each one's own calls are in file_writer_posix.cpp
// and file_writer_windows.cpp.
#include "platform/file_writer.h"

#include "platform/temporary_files.h"

namespace platform {

// A writer dropped before Commit without a failure of its own (another exception
// leaving) has no message to say it in.
FileWriter::~FileWriter() {
    Discard();
}

void FileWriter::Fail(const std::string& reason) {
    const std::string left = Discard();
    throw OutputError("The file \"" + ShownPath(target_) + "\" could not be written: " + reason +
                      left + ".");
}

// The temporary file is named in the target's folder as the target names it.
std::string FileWriter::LeftBehind(const std::string& reason) const {
    std::u16string path = target_.substr(0, temporary_files::FolderLength(target_));
    const std::size_t nameStart = temporary_files::FolderLength(temporary_);
    path.append(temporary_.begin() + static_cast<std::ptrdiff_t>(nameStart), temporary_.end());
    return "; its temporary file \"" + ShownPath(path) +
           "\" was left there, as it could not be removed: " + reason;
}

} // namespace platform
