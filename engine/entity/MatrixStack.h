#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/core/Singleton.h"
#include "engine/entity/Matrix3x3.h"

namespace VelaEngine {

// The stack of world matrices the entity passes push and pop: while a pass is inside an
// entity, the current matrix is that entity's world placement.
class MatrixStack : public Singleton<MatrixStack> {
public:
    // The stack reports itself under the matrix type's name.
    static constexpr const char* kServiceName = "Matrix3x3";

    const Matrix3x3& GetCurrent() const { return current_; }
    // Saves the current matrix, then current := current × m.
    void Push(const Matrix3x3& m);
    // Back to the matrix saved by the matching Push; unmatched pops are fatal.
    void Pop();
    // Current := identity. Saved matrices stay: every pass pops what it pushed.
    void Reset();
    // What the pushes of a walk would have left: `world` on top, `depth` matrices deep. The
    // frame's passes work the placements out themselves and only show them here.
    void Load(const Matrix3x3& world, std::size_t depth) { Load(world.m, depth); }
    void Load(const Matrix3x3::Elements& world, std::size_t depth) {
        std::memcpy(current_.m, world, sizeof current_.m);
        loaded_ = depth >= saved_.size() ? depth - saved_.size() : 0;
        ++loads_;
    }
    std::size_t GetDepth() const { return saved_.size() + loaded_; }
    // Counts the pushes, pops and resets: while it stays put, what the last Load showed is
    // still there.
    std::uint64_t GetEdits() const { return edits_; }
    // Counts the loads: while it stays put, no one else has shown another matrix since.
    std::uint64_t GetLoads() const { return loads_; }

private:
    Matrix3x3 current_;
    std::vector<Matrix3x3> saved_;
    // Depth shown by the last Load beyond the saved matrices.
    std::size_t loaded_ = 0;
    std::uint64_t edits_ = 0;
    std::uint64_t loads_ = 0;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::MatrixStack)
