#include "engine/entity/EntityStorage.h"

#include <array>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

// Under the address sanitizer every block comes from the heap, so that a use after release
// is still caught where the block was.
#if defined(__SANITIZE_ADDRESS__)
#define VELA_STORAGE_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELA_STORAGE_FROM_HEAP 1
#endif
#endif

namespace VelaEngine::EntityStorage {

namespace {

constexpr std::size_t kClasses = kLargestPacked / kAlignment;

struct FreeBlock {
    FreeBlock* next;
};

struct Store {
    std::array<FreeBlock*, kClasses> free{};
    char* next = nullptr;
    char* end = nullptr;
    std::size_t live = 0;
    std::size_t reserved = 0;
};

Store& TheStore() {
    // Never destroyed: blocks are released by destructors that run after every static.
    static Store* store = new Store();
    return *store;
}

#if !defined(VELA_STORAGE_FROM_HEAP)
// Large enough that the system may back it with one huge page.
constexpr std::size_t kChunkBytes = std::size_t{2} << 20;

std::size_t ClassOf(std::size_t bytes) {
    return (bytes + kAlignment - 1) / kAlignment - 1;
}

char* NewChunk() {
#if defined(__linux__)
    // Twice the size, then trimmed to a chunk on a chunk boundary, so that it can be one page.
    void* mapped =
        mmap(nullptr, 2 * kChunkBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kChunkBytes - 1) & ~(kChunkBytes - 1);
    if (aligned > start) {
        munmap(mapped, aligned - start);
    }
    const std::uintptr_t tail = aligned + kChunkBytes;
    const std::uintptr_t mappedEnd = start + 2 * kChunkBytes;
    if (mappedEnd > tail) {
        munmap(reinterpret_cast<void*>(tail), mappedEnd - tail);
    }
    auto* chunk = reinterpret_cast<char*>(aligned);
#if defined(MADV_HUGEPAGE)
    madvise(chunk, kChunkBytes, MADV_HUGEPAGE);
#endif
    return chunk;
#else
    return static_cast<char*>(::operator new (kChunkBytes, std::align_val_t{kChunkBytes}));
#endif
}
#endif

}  // namespace

bool Packed() {
#if defined(VELA_STORAGE_FROM_HEAP)
    return false;
#else
    return true;
#endif
}

void* Allocate(std::size_t bytes) {
#if defined(VELA_STORAGE_FROM_HEAP)
    void* block = ::operator new(bytes);
    TheStore().live += bytes;
    return block;
#else
    if (bytes == 0 || bytes > kLargestPacked) {
        void* block = ::operator new(bytes);
        TheStore().live += bytes;
        return block;
    }
    Store& store = TheStore();
    const std::size_t type = ClassOf(bytes);
    const std::size_t size = (type + 1) * kAlignment;
    store.live += size;
    if (FreeBlock* block = store.free[type]) {
        store.free[type] = block->next;
        return block;
    }
    if (static_cast<std::size_t>(store.end - store.next) < size) {
        // The rest of the old chunk is left unused: at most one block's worth.
        store.next = NewChunk();
        store.end = store.next + kChunkBytes;
        store.reserved += kChunkBytes;
    }
    void* block = store.next;
    store.next += size;
    return block;
#endif
}

void Release(void* block, std::size_t bytes) noexcept {
#if defined(VELA_STORAGE_FROM_HEAP)
    if (block != nullptr) {
        ::operator delete(block);
        TheStore().live -= bytes;
    }
#else
    if (block == nullptr) {
        return;
    }
    if (bytes == 0 || bytes > kLargestPacked) {
        ::operator delete(block);
        TheStore().live -= bytes;
        return;
    }
    Store& store = TheStore();
    const std::size_t type = ClassOf(bytes);
    store.live -= (type + 1) * kAlignment;
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = store.free[type];
    store.free[type] = freed;
#endif
}

std::size_t LiveBytes() {
    return TheStore().live;
}

std::size_t ReservedBytes() {
    return TheStore().reserved;
}

}  // namespace VelaEngine::EntityStorage
