#include "platform/EBAllocationBudget.h"

#include <SDL.h>

#include <cstdint>

namespace EBInternal {

namespace {

using Budget = AllocationBudget::State;

SDL_malloc_func g_malloc = nullptr;
SDL_calloc_func g_calloc = nullptr;
SDL_realloc_func g_realloc = nullptr;
SDL_free_func g_free = nullptr;
bool g_installed = false;
thread_local Budget* t_budget = nullptr;

// The size `block` counted for, which it no longer does; 0 for blocks from before the budget.
std::size_t Forget(Budget& budget, void* block) {
    const auto found = budget.blocks.find(block);
    if (found == budget.blocks.end()) {
        return 0;
    }
    const std::size_t size = found->second;
    budget.blocks.erase(found);
    budget.held -= size;
    return size;
}

// True when `size` more bytes, after `released` go back, stay within the budget.
bool Admits(Budget& budget, std::size_t size, std::size_t released) {
    if (size > budget.limit || budget.held - released > budget.limit - size) {
        budget.exceeded = true;
        return false;
    }
    return true;
}

void* Count(Budget& budget, void* block, std::size_t size) {
    if (block != nullptr) {
        budget.blocks[block] = size;
        budget.held += size;
    }
    return block;
}

void* BudgetMalloc(std::size_t size) {
    Budget* budget = t_budget;
    if (budget == nullptr) {
        return g_malloc(size);
    }
    return Admits(*budget, size, 0) ? Count(*budget, g_malloc(size), size) : nullptr;
}

void* BudgetCalloc(std::size_t count, std::size_t size) {
    Budget* budget = t_budget;
    if (budget == nullptr) {
        return g_calloc(count, size);
    }
    if (size != 0 && count > SIZE_MAX / size) {
        return nullptr;
    }
    const std::size_t total = count * size;
    return Admits(*budget, total, 0) ? Count(*budget, g_calloc(count, size), total) : nullptr;
}

void* BudgetRealloc(void* old, std::size_t size) {
    Budget* budget = t_budget;
    if (budget == nullptr) {
        return g_realloc(old, size);
    }
    const auto found = budget->blocks.find(old);
    const std::size_t released = found == budget->blocks.end() ? 0 : found->second;
    if (!Admits(*budget, size, released)) {
        return nullptr;
    }
    void* block = g_realloc(old, size);
    if (block != nullptr || size == 0) {
        Forget(*budget, old);
    }
    return Count(*budget, block, size);
}

void BudgetFree(void* block) {
    if (t_budget != nullptr && block != nullptr) {
        Forget(*t_budget, block);
    }
    g_free(block);
}

}  // namespace

void EBInstallAllocationBudget() {
    if (g_installed) {
        return;
    }
    SDL_GetMemoryFunctions(&g_malloc, &g_calloc, &g_realloc, &g_free);
    // The hooks hand every call on to the functions they replace, so a block may be freed
    // through either set.
    SDL_SetMemoryFunctions(BudgetMalloc, BudgetCalloc, BudgetRealloc, BudgetFree);
    g_installed = true;
}

AllocationBudget::AllocationBudget(std::size_t limitBytes) {
    EBInstallAllocationBudget();
    state_.limit = limitBytes;
    active_ = t_budget == nullptr;
    if (active_) {
        t_budget = &state_;
    }
}

AllocationBudget::~AllocationBudget() {
    if (active_) {
        t_budget = nullptr;
    }
}

}  // namespace EBInternal
