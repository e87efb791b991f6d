// What the module takes of a C and C++ library in place of the general versions, which
// would be a fifth of the module: a memory allocator, an operator new that stops the
// module when memory runs out, and no destructors at exit.
//
// The allocator: every block is a power of two, 32 bytes to 2 GiB, its
// first 16 bytes holding its size class (so that what follows is aligned as malloc
// promises); a freed block waits in the list of its class for the next request of
// that class. New blocks come from the top of the heap, which grows the memory as it
// must; WebAssembly memory never shrinks, so nothing is given back.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

extern "C" char __heap_base; // where the linker ends the static data

namespace {

constexpr std::size_t kHeader = 16;
constexpr int kSmallestClass = 5;
constexpr int kClasses = 32;
constexpr std::size_t kPage = 65536;

struct FreeBlock {
    FreeBlock* next;
};

FreeBlock* freeBlocks[kClasses];
std::uintptr_t heapTop = 0;

// The smallest class whose blocks hold the header and that many bytes; kClasses when
// none does.
int SizeClass(std::size_t bytes) {
    int size = kSmallestClass;
    while (size < kClasses && (std::size_t{1} << size) - kHeader < bytes) {
        ++size;
    }
    return size;
}

std::size_t Capacity(int size) {
    return (std::size_t{1} << size) - kHeader;
}

// A new block of the class from the top of the heap, the memory grown to hold it.
void* CarveBlock(int size) {
    if (heapTop == 0) {
        heapTop = (reinterpret_cast<std::uintptr_t>(&__heap_base) + kHeader - 1) & ~(kHeader - 1);
    }
    // In 64 bits: the 32-bit address space ends where memory can grow no further.
    const std::uint64_t end = std::uint64_t{heapTop} + (std::uint64_t{1} << size);
    const std::uint64_t memoryEnd = std::uint64_t{__builtin_wasm_memory_size(0)} * kPage;
    if (end > memoryEnd &&
        (end > std::uint64_t{UINTPTR_MAX} ||
         __builtin_wasm_memory_grow(
             0, static_cast<std::size_t>((end - memoryEnd + kPage - 1) / kPage)) == SIZE_MAX)) {
        return nullptr;
    }
    void* block = reinterpret_cast<void*>(heapTop);
    heapTop = static_cast<std::uintptr_t>(end);
    return block;
}

int& ClassOf(void* data) {
    return *reinterpret_cast<int*>(static_cast<char*>(data) - kHeader);
}

} // namespace

extern "C" {

void* malloc(std::size_t bytes) {
    const int size = SizeClass(bytes);
    if (size >= kClasses) {
        return nullptr;
    }
    void* block = freeBlocks[size];
    if (block != nullptr) {
        freeBlocks[size] = freeBlocks[size]->next;
    } else if ((block = CarveBlock(size)) == nullptr) {
        return nullptr;
    }
    void* data = static_cast<char*>(block) + kHeader;
    ClassOf(data) = size;
    return data;
}

void free(void* data) {
    if (data == nullptr) {
        return;
    }
    const int size = ClassOf(data);
    auto* block = reinterpret_cast<FreeBlock*>(static_cast<char*>(data) - kHeader);
    block->next = freeBlocks[size];
    freeBlocks[size] = block;
}

void* calloc(std::size_t count, std::size_t each) {
    if (each != 0 && count > SIZE_MAX / each) {
        return nullptr;
    }
    void* data = malloc(count * each);
    return data == nullptr ? nullptr : std::memset(data, 0, count * each);
}

void* realloc(void* data, std::size_t bytes) {
    if (data == nullptr) {
        return malloc(bytes);
    }
    const std::size_t capacity = Capacity(ClassOf(data));
    if (bytes <= capacity) {
        return data;
    }
    void* moved = malloc(bytes);
    if (moved != nullptr) {
        std::memcpy(moved, data, capacity);
        free(data);
    }
    return moved;
}

// Blocks are aligned to 16 bytes; the module asks for no more.
void* aligned_alloc(std::size_t alignment, std::size_t bytes) {
    return alignment <= kHeader ? malloc(bytes) : nullptr;
}

int posix_memalign(void** data, std::size_t alignment, std::size_t bytes) {
    if (alignment > kHeader) {
        return EINVAL;
    }
    void* block = malloc(bytes);
    if (block == nullptr) {
        return ENOMEM;
    }
    *data = block;
    return 0;
}

// The module never ends (JavaScript calls it until the page goes), so the destructors
// of its globals never run: registering them does nothing.
int __cxa_atexit(void (*)(void*), void*, void*) {
    return 0;
}

} // extern "C"

// Without exceptions, the library's operator new returns null when memory runs out,
// and the strings would write through it. The module stops instead (a trap, which
// JavaScript sees as a RuntimeError).
void* operator new(std::size_t bytes) {
    void* data = malloc(bytes);
    if (data == nullptr) {
        __builtin_trap();
    }
    return data;
}

void* operator new[](std::size_t bytes) {
    return operator new(bytes);
}

void operator delete(void* data) noexcept {
    free(data);
}

void operator delete[](void* data) noexcept {
    free(data);
}

void operator delete(void* data, std::size_t) noexcept {
    free(data);
}

void operator delete[](void* data, std::size_t) noexcept {
    free(data);
}
