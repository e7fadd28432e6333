#pragma once
// Where entities, their components and their listener lists live: small blocks handed out
// one after another from large chunks, in the order they are made, so that an entity and
// everything it owns share a few cache lines and the whole scene a few pages. A freed block
// is kept for the next one of its size. Main thread only, as the scene is.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace VelaEngine {

namespace EntityStorage {

// Blocks up to this size come from the chunks; larger ones from the heap.
inline constexpr std::size_t kLargestPacked = 1024;
inline constexpr std::size_t kAlignment = 16;

// False in builds that check memory use, where every block comes from the heap.
bool Packed();
void* Allocate(std::size_t bytes);
void Release(void* block, std::size_t bytes) noexcept;

// Bytes in blocks handed out and not yet released, and bytes taken from the system for
// chunks (never given back: a scene's high-water mark is reused by the next one).
std::size_t LiveBytes();
std::size_t ReservedBytes();

}  // namespace EntityStorage

// A standard allocator over EntityStorage, for the containers and shared blocks of entities.
template <class T>
struct PackedAllocator {
    using value_type = T;
    static_assert(alignof(T) <= EntityStorage::kAlignment, "over-aligned for the packed store");

    PackedAllocator() noexcept = default;
    template <class U>
    PackedAllocator(const PackedAllocator<U>&) noexcept {}

    // Containers of pointers are meant here: the store holds the pointers themselves.
    static constexpr std::size_t kItemBytes = sizeof(T);  // NOLINT(bugprone-sizeof-expression)

    T* allocate(std::size_t n) {
        if (n > SIZE_MAX / kItemBytes) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(EntityStorage::Allocate(n * kItemBytes));
    }
    void deallocate(T* block, std::size_t n) noexcept {
        EntityStorage::Release(block, n * kItemBytes);
    }

    template <class U>
    bool operator==(const PackedAllocator<U>&) const noexcept {
        return true;
    }
};

// std::make_shared, with the object and its count in the packed store.
template <class T, class... Args>
std::shared_ptr<T> MakePacked(Args&&... args) {
    return std::allocate_shared<T>(PackedAllocator<T>(), std::forward<Args>(args)...);
}

}  // namespace VelaEngine
