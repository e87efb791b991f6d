#pragma once

// The temporary files of the file writers, shared by both platforms' writers: their
// names, and the list of those under way that an interruption removes.

#include "platform/file_writer.h"

namespace platform::temporary_files {

// A new name for a temporary file beside the target, in the same folder.
NativePath NameBeside(const NativePath& target);

// Stores the path, which must stay valid, in a free slot; returns the slot, or -1 when
// all are taken. The first path in use installs the platform's cleanup.
int Add(const NativePath::value_type* path);

// Clears the slot and sets it to -1; the last path gone restores what was there.
void Remove(int& slot);

// Removes every file still listed; safe in a signal handler.
void RemoveAll();

// The platform's cleanup on interruption, defined by its writer.
void InstallCleanup();
void RestoreCleanup();

} // namespace platform::temporary_files
