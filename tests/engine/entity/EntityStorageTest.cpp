#include "engine/entity/EntityStorage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"

namespace VelaEngine {
namespace {

bool Aligned(const void* block) {
    return reinterpret_cast<std::uintptr_t>(block) % EntityStorage::kAlignment == 0;
}

TEST(EntityStorage, BlocksAreAlignedDistinctAndAccounted) {
    const std::size_t before = EntityStorage::LiveBytes();
    std::vector<std::pair<char*, std::size_t>> blocks;
    // Every packed size, the first heap size, and enough of the largest to fill several
    // chunks, so that the store moves on to new ones.
    for (std::size_t bytes = 1; bytes <= EntityStorage::kLargestPacked + 1; ++bytes) {
        blocks.emplace_back(static_cast<char*>(EntityStorage::Allocate(bytes)), bytes);
    }
    for (int i = 0; i < 8000; ++i) {
        blocks.emplace_back(
            static_cast<char*>(EntityStorage::Allocate(EntityStorage::kLargestPacked)),
            EntityStorage::kLargestPacked);
    }
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        ASSERT_TRUE(Aligned(blocks[i].first)) << blocks[i].second << " bytes";
        std::memset(blocks[i].first, static_cast<int>(i & 0xff), blocks[i].second);
    }
    // No block overlaps another: each still holds its own pattern.
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const auto pattern = static_cast<char>(i & 0xff);
        for (std::size_t b = 0; b < blocks[i].second; ++b) {
            ASSERT_EQ(blocks[i].first[b], pattern) << "block " << i;
        }
    }
    EXPECT_GE(EntityStorage::LiveBytes() - before, 8000 * EntityStorage::kLargestPacked);
    for (const auto& [block, bytes] : blocks) {
        EntityStorage::Release(block, bytes);
    }
    EXPECT_EQ(EntityStorage::LiveBytes(), before);
}

TEST(EntityStorage, AReleasedBlockServesTheNextOfItsSize) {
    if (!EntityStorage::Packed()) {
        GTEST_SKIP() << "blocks come from the heap in this build";
    }
    void* first = EntityStorage::Allocate(40);
    void* second = EntityStorage::Allocate(48);
    EntityStorage::Release(first, 40);
    // 33 to 48 bytes share a size; the freed 40-byte block is the one handed out.
    void* reused = EntityStorage::Allocate(33);
    EXPECT_EQ(reused, first);
    EntityStorage::Release(reused, 33);
    EntityStorage::Release(second, 48);
}

TEST(EntityStorage, AnEntityTreeLeavesNothingBehind) {
    const std::size_t before = EntityStorage::LiveBytes();
    {
        auto parent = Entity::Create("Parent");
        for (int i = 0; i < 50; ++i) {
            auto child = Entity::Create("Child");
            child->GetTransform().SetPosition({static_cast<float>(i), 1.0f});
            parent->GetChildren().push_back(child);
        }
        EXPECT_GT(EntityStorage::LiveBytes(), before);
    }
    EXPECT_EQ(EntityStorage::LiveBytes(), before);
}

}  // namespace
}  // namespace VelaEngine
