#pragma once

// The temporary files of the file writers, shared by both platforms' writers: their
// names, and the list of those under way that an interruption removes.

#include "platform/file_writer.h"

#include <atomic>

namespace platform::temporary_files {

// A new name for a temporary file beside the target, in the same folder.
NativePath NameBeside(const NativePath& target);

// Where the path of a temporary file under way waits for an interruption's handler,
// which reads the path alone; the path must stay valid while it is held.
struct Slot {
    std::atomic<const NativePath::value_type*> path{nullptr};
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
