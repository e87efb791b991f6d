#include "platform/temporary_files.h"

#include <array>
#include <atomic>
#include <mutex>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace platform::temporary_files {
namespace {

#ifdef _WIN32
constexpr const wchar_t* kSeparators = L"\\/";
#else
constexpr const char* kSeparators = "/";
#endif

// Each path is prepared before it is stored, so that the handler of an interruption
// only reads the slots and removes the files, which is safe in a signal handler.
using PathChar = NativePath::value_type;
static_assert(std::atomic<const PathChar*>::is_always_lock_free);
std::array<std::atomic<const PathChar*>, 8> pendingFiles;
// Guards the count of the slots in use.
std::mutex pendingLock;
int pendingCount = 0;

} // namespace

NativePath NameBeside(const NativePath& target) {
    static std::random_device source;
    const std::string name = ".~loftype-" + std::to_string(source()) + ".tmp";
    const std::size_t folderEnd = target.find_last_of(kSeparators);
    NativePath path =
        folderEnd == NativePath::npos ? NativePath() : target.substr(0, folderEnd + 1);
    path.append(name.begin(), name.end());
    return path;
}

int Add(const PathChar* path) {
    std::lock_guard<std::mutex> lock(pendingLock);
    for (std::size_t i = 0; i < pendingFiles.size(); ++i) {
        if (pendingFiles[i].load() == nullptr) {
            if (pendingCount++ == 0) {
                InstallCleanup();
            }
            pendingFiles[i].store(path);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void Remove(int& slot) {
    if (slot < 0) {
        return;
    }
    std::lock_guard<std::mutex> lock(pendingLock);
    pendingFiles[static_cast<std::size_t>(slot)].store(nullptr);
    slot = -1;
    if (--pendingCount == 0) {
        RestoreCleanup();
    }
}

void RemoveAll() {
    for (std::atomic<const PathChar*>& slot : pendingFiles) {
        if (const PathChar* path = slot.load()) {
#ifdef _WIN32
            DeleteFileW(path);
#else
            unlink(path);
#endif
        }
    }
}

} // namespace platform::temporary_files
