// What both platforms' writers share; each one's own calls are in file_writer_posix.cpp
// and file_writer_windows.cpp.
#include "platform/file_writer.h"

namespace platform {

FileWriter::~FileWriter() {
    Discard();
}

void FileWriter::Fail(const std::string& reason) {
    Discard();
    throw OutputError("The file \"" + ShownPath(target_) + "\" could not be written: " + reason +
                      ".");
}

} // namespace platform
