#pragma once
// A list of pointers that keeps its first few inside itself and spills to the packed store
// beyond them: most entities have one or two listeners of a kind, and a pass then reads them
// from the entity it is visiting, with no further block to fetch.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/entity/EntityStorage.h"

namespace VelaEngine {

template <class T, std::uint32_t Inline>
class SmallPointerList {
public:
    SmallPointerList() = default;
    SmallPointerList(const SmallPointerList&) = delete;
    SmallPointerList& operator=(const SmallPointerList&) = delete;
    ~SmallPointerList() {
        if (data_ != inline_) {
            EntityStorage::Release(data_, Capacity() * sizeof(T*));
        }
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T*& operator[](std::size_t i) { return data_[i]; }
    T* operator[](std::size_t i) const { return data_[i]; }
    T** begin() { return data_; }
    T** end() { return data_ + size_; }
    T* const* begin() const { return data_; }
    T* const* end() const { return data_ + size_; }

    void push_back(T* item) {
        if (size_ == Capacity()) {
            Grow();
        }
        data_[size_++] = item;
    }
    // Drops every entry equal to `item`, keeping the order of the rest.
    void RemoveAll(const T* item) {
        size_ = static_cast<std::uint32_t>(std::remove(begin(), end(), item) - begin());
    }

private:
    std::size_t Capacity() const { return std::size_t{Inline} << doublings_; }
    void Grow() {
        const std::size_t capacity = Capacity() * 2;
        auto** grown = static_cast<T**>(EntityStorage::Allocate(capacity * sizeof(T*)));
        std::memcpy(grown, data_, size_ * sizeof(T*));
        if (data_ != inline_) {
            EntityStorage::Release(data_, Capacity() * sizeof(T*));
        }
        data_ = grown;
        ++doublings_;
    }

    // The size and the doublings of the room last, so that an owner holding the list as a
    // [[no_unique_address]] member may keep three bytes of its own in the padding after.
    T** data_ = inline_;
    T* inline_[Inline] = {};
    std::uint32_t size_ = 0;
    std::uint8_t doublings_ = 0;
};

}  // namespace VelaEngine
