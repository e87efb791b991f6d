#pragma once

// The temporary files of the file writers, shared by both platforms' writers: their
// names, and the list of those under way that an interruption removes.

#include "platform/file_writer.h"

#include <atomic>
#include <cstddef>
#include <string_view>

namespace platform::temporary_files {

// A new name for a temporary file, without a folder.
NativePath NewName();

// The length of the folder part of a path with its last separator, 0 for a bare name.
std::size_t FolderLength(std::u16string_view path);
std::size_t FolderLength(std::basic_string_view<NativePath::value_type> path);

// Where a temporary file under way waits for an interruption's handler, which reads
// the slot alone; the path must stay valid while it is held. On POSIX the path is the
// file's name in the folder open as folder, so that a folder moved or replaced
// meanwhile cannot make the handler remove another file; on Windows it is the whole
// path.
struct Slot {
    std::atomic<const NativePath::value_type*> path{nullptr};
#ifndef _WIN32
    std::atomic<int> folder{-1}; // set before the path
#endif
    bool taken = false; // changed under the list's lock only
};

// Takes a free, empty slot, making room for more when every slot is taken, so that any
// number of saves at once are cleaned up. The first slot in use installs the
// platform's cleanup. Throws std::bad_alloc.
Slot* Take();

// Empties and frees the slot and sets it to nullptr (nullptr: nothing to free); the
// last slot freed restores what was there before the cleanup.
void Free(Slot*& slot);

// Removes every file still listed; safe in a signal handler.
void RemoveAll();

// The platform's cleanup on interruption, defined by its writer.
void InstallCleanup();
void RestoreCleanup();

} // namespace platform::temporary_files
