// The broad phase's two grids on their own: which ids a query over some cells visits, after
// building, removing, inserting and moving.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "engine/physics/DynamicGrid.h"
#include "engine/physics/GridCells.h"
#include "engine/physics/ShapeBounds.h"
#include "engine/physics/StaticGrid.h"

namespace {

using VelaEngine::Collision::CellBuckets;
using VelaEngine::Collision::CellRange;
using VelaEngine::Collision::CellRangeOf;
using VelaEngine::Collision::CentresInside;
using VelaEngine::Collision::CircleBounds;
using VelaEngine::Collision::DynamicGrid;
using VelaEngine::Collision::ShapeBounds;
using VelaEngine::Collision::StaticGrid;

template <class Grid>
std::vector<std::uint32_t> Visited(const Grid& grid, const CellRange& range) {
    std::vector<std::uint32_t> ids;
    grid.ForEach(range, [&](std::uint32_t id) { ids.push_back(id); });
    return ids;
}

template <class Grid>
std::vector<std::uint32_t> VisitedOnce(const Grid& grid, const CellRange& range) {
    std::vector<std::uint32_t> ids = Visited(grid, range);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

ShapeBounds Box(float minX, float minY, float maxX, float maxY) {
    ShapeBounds box;
    box.minX = minX;
    box.minY = minY;
    box.maxX = maxX;
    box.maxY = maxY;
    box.bounded = true;
    return box;
}

TEST(GridCells, BoxesMapToTheCellsTheyCoverAndHugeOrBrokenOnesToNone) {
    CellRange range;
    ASSERT_TRUE(CellRangeOf(Box(-5, 15, 25, 19), 0.0f, 0.1, range));
    EXPECT_EQ(range, (CellRange{-1, 1, 2, 1}));
    ASSERT_TRUE(CellRangeOf(Box(-5, 15, 25, 19), 6.0f, 0.1, range));
    EXPECT_EQ(range, (CellRange{-2, 0, 3, 2}));
    EXPECT_FALSE(CellRangeOf(Box(0, 0, 1000, 1), 0.0f, 0.1, range)) << "too many cells";
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(CellRangeOf(Box(nan, 0, 1, 1), 0.0f, 0.1, range));
    EXPECT_FALSE(CellRangeOf(Box(3e9f, 0, 3e9f, 1), 0.0f, 1.0, range)) << "beyond the grid";
}

TEST(ShapeBounds, EveryCentreInsideARegionsInnerBoxHasItsBoxInTheRegion) {
    // Regions from a unit near the origin to a few units far out, where the rounding margin
    // is largest, with centres drawn right up to the inner box's edges.
    std::mt19937 random(7);
    int inside = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        const float far = std::ldexp(1.0f, static_cast<int>(random() % 40) - 10);
        std::uniform_real_distribution<float> at(-far, far);
        std::uniform_real_distribution<float> size(0.0f, far * 0.01f + 1.0f);
        const float x = at(random);
        const float y = at(random);
        const ShapeBounds region = Box(x, y, x + size(random), y + size(random));
        const ShapeBounds inner = CentresInside(region);
        ASSERT_TRUE(inner.bounded);
        for (const float fx : {0.0f, 1.0f, 0.5f}) {
            for (const float fy : {0.0f, 1.0f, 0.3f}) {
                const float cx = inner.minX + fx * (inner.maxX - inner.minX);
                const float cy = inner.minY + fy * (inner.maxY - inner.minY);
                if (!(inner.minX <= cx && cx <= inner.maxX && inner.minY <= cy &&
                      cy <= inner.maxY)) {
                    continue;
                }
                ++inside;
                const ShapeBounds box = CircleBounds({cx, cy}, 0.0f);
                ASSERT_TRUE(region.minX <= box.minX && box.maxX <= region.maxX &&
                            region.minY <= box.minY && box.maxY <= region.maxY)
                    << "centre " << cx << ", " << cy << " in a region from " << x << ", " << y;
            }
        }
    }
    EXPECT_GT(inside, 1000) << "most regions leave room for centres";
    EXPECT_FALSE(CentresInside(ShapeBounds{}).bounded);
    const ShapeBounds point = CentresInside(Box(5, 5, 5, 5));
    EXPECT_GT(point.minX, point.maxX) << "a point region holds no centre";
}

TEST(StaticGrid, ListsEachMemberInEveryCellOfItsRangeInAscendingOrder) {
    StaticGrid grid;
    const std::vector<StaticGrid::Member> members = {
        {2, {0, 0, 1, 0}}, {5, {1, 0, 1, 1}}, {7, {3, 3, 3, 3}}, {9, {0, 0, 0, 0}}};
    grid.Build(members);
    ASSERT_TRUE(grid.IsDense());
    EXPECT_EQ(grid.ListingCount(), 6u);
    EXPECT_EQ(Visited(grid, {0, 0, 0, 0}), (std::vector<std::uint32_t>{2, 9}));
    EXPECT_EQ(Visited(grid, {1, 0, 1, 0}), (std::vector<std::uint32_t>{2, 5}));
    EXPECT_EQ(Visited(grid, {1, 1, 1, 1}), (std::vector<std::uint32_t>{5}));
    EXPECT_EQ(VisitedOnce(grid, {-100, -100, 100, 100}), (std::vector<std::uint32_t>{2, 5, 7, 9}))
        << "queries reaching past the members' cells";
    EXPECT_TRUE(Visited(grid, {4, 4, 9, 9}).empty());
    EXPECT_TRUE(Visited(grid, {2, 0, 2, 2}).empty());
}

TEST(StaticGrid, RemovedMembersLeaveEveryCellAndTheOthersStay) {
    StaticGrid grid;
    const std::vector<StaticGrid::Member> members = {{1, {0, 0, 1, 1}}, {4, {1, 1, 2, 2}}};
    grid.Build(members);
    grid.Remove(4, {1, 1, 2, 2});
    EXPECT_EQ(VisitedOnce(grid, {0, 0, 2, 2}), (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(Visited(grid, {1, 1, 1, 1}), (std::vector<std::uint32_t>{1}));
    grid.Build({});
    EXPECT_TRUE(Visited(grid, {0, 0, 2, 2}).empty()) << "an empty grid after a new build";
}

TEST(StaticGrid, MembersFarApartAreFoundThroughHashedBuckets) {
    StaticGrid grid;
    const std::vector<StaticGrid::Member> members = {
        {0, {-900000, 5, -900000, 5}}, {3, {0, 0, 1, 0}}, {6, {700000, -400000, 700001, -400000}}};
    grid.Build(members);
    ASSERT_FALSE(grid.IsDense());
    EXPECT_EQ(VisitedOnce(grid, {-900000, 5, -900000, 5}), (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(VisitedOnce(grid, {700001, -400000, 700001, -400000}),
              (std::vector<std::uint32_t>{6}));
    const std::vector<std::uint32_t> middle = Visited(grid, {0, 0, 0, 0});
    EXPECT_NE(std::find(middle.begin(), middle.end(), 3u), middle.end());
    grid.Remove(3, {0, 0, 1, 0});
    const std::vector<std::uint32_t> after = Visited(grid, {0, 0, 1, 0});
    EXPECT_EQ(std::find(after.begin(), after.end(), 3u), after.end());
}

TEST(DynamicGrid, InsertedIdsAreFoundOnlyInTheirCellsAndLeaveWhenRemoved) {
    DynamicGrid grid;
    grid.Insert(3, {0, 0, 1, 0});
    grid.Insert(8, {1, 0, 1, 1});
    EXPECT_EQ(grid.ListingCount(), 4u);
    EXPECT_EQ(VisitedOnce(grid, {0, 0, 0, 0}), (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(VisitedOnce(grid, {1, 0, 1, 0}), (std::vector<std::uint32_t>{3, 8}));
    EXPECT_EQ(VisitedOnce(grid, {1, 1, 5, 5}), (std::vector<std::uint32_t>{8}));
    EXPECT_TRUE(Visited(grid, {2, 2, 4, 4}).empty());
    // Moved: out of the old cells, into the new ones.
    grid.Remove(3, {0, 0, 1, 0});
    grid.Insert(3, {4, 4, 4, 4});
    EXPECT_EQ(VisitedOnce(grid, {0, 0, 1, 0}), (std::vector<std::uint32_t>{8}));
    EXPECT_EQ(Visited(grid, {4, 4, 4, 4}), (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(grid.ListingCount(), 3u);
    grid.Clear();
    EXPECT_TRUE(Visited(grid, {0, 0, 4, 4}).empty());
    EXPECT_EQ(grid.ListingCount(), 0u);
}

TEST(DynamicGrid, KeepsEveryIdThroughGrowthAndManyMoves) {
    DynamicGrid grid;
    std::vector<CellRange> where(500);
    for (std::uint32_t id = 0; id < where.size(); ++id) {
        const auto x = static_cast<std::int32_t>(id % 37);
        const auto y = static_cast<std::int32_t>(id / 37);
        where[id] = {x, y, x + static_cast<std::int32_t>(id % 2), y};
        grid.Insert(id, where[id]);
    }
    for (int round = 0; round < 3; ++round) {
        for (std::uint32_t id = 0; id < where.size(); id += 3) {
            grid.Remove(id, where[id]);
            where[id] = {where[id].x0 - 7, where[id].y0 + 2, where[id].x1 - 7, where[id].y1 + 2};
            grid.Insert(id, where[id]);
        }
    }
    std::size_t listings = 0;
    for (std::uint32_t id = 0; id < where.size(); ++id) {
        const std::vector<std::uint32_t> found = Visited(grid, where[id]);
        const auto times = std::count(found.begin(), found.end(), id);
        const CellRange& r = where[id];
        EXPECT_EQ(times, (r.x1 - r.x0 + 1) * (r.y1 - r.y0 + 1)) << "id " << id;
        listings += static_cast<std::size_t>(times);
    }
    EXPECT_EQ(grid.ListingCount(), listings);
}

// A range's buckets worked out once must tell a change in its cells exactly as the range
// itself does, through joins, leaves, emptying and the regrowths that spread the cells anew.
TEST(DynamicGrid, ARangesBucketsSeeEveryChangeOfItsCellsAndNoOther) {
    std::mt19937 random(7);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto someRange = [&] {
        const std::int32_t x = below(12) - 6;
        const std::int32_t y = below(12) - 6;
        return CellRange{x, y, x + below(3), y + below(3)};
    };
    DynamicGrid grid;
    std::vector<CellRange> where(200);
    std::vector<bool> listed(where.size(), false);
    struct Watch {
        CellRange range;
        CellBuckets buckets;
        std::uint64_t at = 0;
    };
    std::vector<Watch> watches;
    int changed = 0;
    int unchanged = 0;
    for (int step = 0; step < 4000; ++step) {
        const int what = below(100);
        const auto id = static_cast<std::uint32_t>(below(static_cast<int>(where.size())));
        if (what == 0) {
            grid.Clear();
            std::fill(listed.begin(), listed.end(), false);
        } else if (what < 40) {
            if (listed[id]) {
                grid.Remove(id, where[id]);
            }
            where[id] = someRange();
            grid.Insert(id, where[id]);
            listed[id] = true;
        } else if (what < 60 && listed[id]) {
            grid.Remove(id, where[id]);
            listed[id] = false;
        } else {
            Watch watch;
            watch.range = someRange();
            grid.BucketsOf(watch.range, watch.buckets);
            watch.at = grid.LastChange();
            watches.push_back(watch);
        }
        for (const Watch& watch : watches) {
            const bool byRange = grid.LastChangeIn(watch.range) > watch.at;
            ASSERT_EQ(grid.LastChangeIn(watch.range, watch.buckets) > watch.at, byRange)
                << "step " << step;
            ++(byRange ? changed : unchanged);
        }
        if (watches.size() > 30) {
            watches.erase(watches.begin());
        }
    }
    // Both answers came up often enough to prove something.
    EXPECT_GT(changed, 1000);
    EXPECT_GT(unchanged, 1000);
}

}  // namespace
