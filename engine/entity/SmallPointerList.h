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
            EntityStorage::Release(data_, capacity_ * sizeof(T*));
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
        if (size_ == capacity_) {
            Grow();
        }
        data_[size_++] = item;
    }
    // Drops every entry equal to `item`, keeping the order of the rest.
    void RemoveAll(const T* item) {
        size_ = static_cast<std::uint32_t>(std::remove(begin(), end(), item) - begin());
    }

private:
    void Grow() {
        const std::uint32_t capacity = capacity_ * 2;
        auto** grown = static_cast<T**>(EntityStorage::Allocate(capacity * sizeof(T*)));
        std::memcpy(grown, data_, size_ * sizeof(T*));
        if (data_ != inline_) {
            EntityStorage::Release(data_, capacity_ * sizeof(T*));
        }
        data_ = grown;
        capacity_ = capacity;
    }

    T** data_ = inline_;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = Inline;
    T* inline_[Inline] = {};
};

}  // namespace VelaEngine
