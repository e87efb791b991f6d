#include "platform/temporary_files.h"

#include <array>
#include <mutex>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace platform::temporary_files {
namespace {

bool IsSeparator(char32_t c) {
#ifdef _WIN32
    return c == U'\\' || c == U'/';
#else
    return c == U'/';
#endif
}

template <class Char> std::size_t FolderLengthOf(std::basic_string_view<Char> path) {
    std::size_t length = path.size();
    while (length > 0 && !IsSeparator(path[length - 1])) {
        --length;
    }
    return length;
}

// Each path is prepared before it is stored, so that the handler of an interruption
// only reads the slots and removes the files, which is safe in a signal handler. The
// slots come in blocks, linked as more saves run at once and never freed, so that the
// handler may walk them at any moment.
using PathChar = NativePath::value_type;
static_assert(std::atomic<const PathChar*>::is_always_lock_free);
#ifndef _WIN32
static_assert(std::atomic<int>::is_always_lock_free);
#endif
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

NativePath NewName() {
    static std::random_device source;
    const std::string name = ".~loftype-" + std::to_string(source()) + ".tmp";
    return NativePath(name.begin(), name.end());
}

std::size_t FolderLength(std::u16string_view path) {
    return FolderLengthOf(path);
}

std::size_t FolderLength(std::basic_string_view<NativePath::value_type> path) {
    return FolderLengthOf(path);
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
                unlinkat(slot.folder.load(), path, 0);
#endif
            }
        }
    }
}

} // namespace platform::temporary_files
