#pragma once
// A ceiling on what SDL and its mixer may allocate for one piece of work. Decoders inside the
// mixer allocate as much as a file asks for; under a budget an allocation that would go past
// the ceiling fails instead, and the decoder gives up with an out-of-memory error.
#include <cstddef>
#include <unordered_map>

namespace EBInternal {

// Routes SDL's allocator through the budget check. Idempotent; call it before threads that
// allocate through SDL start, so that they never see a half-installed set of functions.
void EBInstallAllocationBudget();

// While alive, the SDL allocations made on this thread may hold at most `limitBytes` at once.
// Budgets do not nest: an inner one limits nothing.
class AllocationBudget {
public:
    explicit AllocationBudget(std::size_t limitBytes);
    ~AllocationBudget();
    AllocationBudget(const AllocationBudget&) = delete;
    AllocationBudget& operator=(const AllocationBudget&) = delete;

    // True once an allocation was refused.
    bool Exceeded() const { return state_.exceeded; }

    struct State {
        std::size_t limit = 0;
        std::size_t held = 0;
        bool exceeded = false;
        // The blocks allocated under the budget and still held, with their sizes.
        std::unordered_map<void*, std::size_t> blocks;
    };

private:
    State state_;
    bool active_ = false;
};

}  // namespace EBInternal
