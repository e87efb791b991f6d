#include "platform/temporary_files.h"

#include <array>
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
// only reads the slots and removes the files, which is safe in a signal handler. The
// slots come in blocks, linked as more saves run at once and never freed, so that the
// handler may walk them at any moment.
using PathChar = NativePath::value_type;
static_assert(std::atomic<const PathChar*>::is_always_lock_free);
struct Block {
    std::array<Slot, 8> slots;
    std::atomic<Block*> next{nullptr};
};
Block firstBlock;
// Guards the blocks' growth, what is taken and the count of slots in use.
std::mutex pendingLock;
int pendingCount = 0;

Slot* TakeFreeSlot() {
    for (Block* block = &firstBlock;; block = block->next.load()) {
        for (Slot& slot : block->slots) {
            if (!slot.taken) {
                slot.taken = true;
                return &slot;
            }
        }
        if (block->next.load() == nullptr) {
            block->next.store(new Block);
        }
    }
}

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

Slot* Take() {
    std::lock_guard<std::mutex> lock(pendingLock);
    Slot* slot = TakeFreeSlot();
    if (pendingCount++ == 0) {
        InstallCleanup();
    }
    return slot;
}

void Free(Slot*& slot) {
    if (slot == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(pendingLock);
    slot->path.store(nullptr);
    slot->taken = false;
    slot = nullptr;
    if (--pendingCount == 0) {
        RestoreCleanup();
    }
}

void RemoveAll() {
    for (Block* block = &firstBlock; block != nullptr; block = block->next.load()) {
        for (const Slot& slot : block->slots) {
            if (const PathChar* path = slot.path.load()) {
#ifdef _WIN32
                DeleteFileW(path);
#else
                unlink(path);
#endif
            }
        }
    }
}

} // namespace platform::temporary_files
