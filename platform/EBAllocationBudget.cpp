#include "platform/EBAllocationBudget.h"

#include <SDL.h>
#include <malloc.h>

#include <cstdint>
#include <cstdlib>

namespace EBInternal {

namespace {

using Budget = AllocationBudget::State;

SDL_malloc_func g_malloc = nullptr;
SDL_calloc_func g_calloc = nullptr;
SDL_realloc_func g_realloc = nullptr;
SDL_free_func g_free = nullptr;
bool g_installed = false;
// Block sizes come from the C library, so only its allocator can be measured.
bool g_measurable = false;
thread_local Budget* t_budget = nullptr;

std::int64_t SizeOf(void* block) {
    return block == nullptr ? 0 : static_cast<std::int64_t>(malloc_usable_size(block));
}

// True when `size` more bytes, after `released` go back, would stay within the budget.
bool Admits(Budget& budget, std::size_t size, std::int64_t released) {
    if (size > static_cast<std::size_t>(budget.limit) ||
        budget.held - released + static_cast<std::int64_t>(size) > budget.limit) {
        budget.exceeded = true;
        return false;
    }
    return true;
}

void* BudgetMalloc(std::size_t size) {
    Budget* budget = t_budget;
    if (budget == nullptr) {
        return g_malloc(size);
    }
    if (!Admits(*budget, size, 0)) {
        return nullptr;
    }
    void* block = g_malloc(size);
    budget->held += SizeOf(block);
    return block;
}

void* BudgetCalloc(std::size_t count, std::size_t size) {
    Budget* budget = t_budget;
    if (budget == nullptr) {
        return g_calloc(count, size);
    }
    if (size != 0 && count > SIZE_MAX / size) {
        return nullptr;
    }
    if (!Admits(*budget, count * size, 0)) {
        return nullptr;
    }
    void* block = g_calloc(count, size);
    budget->held += SizeOf(block);
    return block;
}

void* BudgetRealloc(void* old, std::size_t size) {
    Budget* budget = t_budget;
    if (budget == nullptr) {
        return g_realloc(old, size);
    }
    const std::int64_t released = SizeOf(old);
    if (!Admits(*budget, size, released)) {
        return nullptr;
    }
    void* block = g_realloc(old, size);
    if (block != nullptr || size == 0) {
        budget->held += SizeOf(block) - released;
    }
    return block;
}

void BudgetFree(void* block) {
    if (t_budget != nullptr) {
        t_budget->held -= SizeOf(block);
    }
    g_free(block);
}

}  // namespace

void EBInstallAllocationBudget() {
    if (g_installed) {
        return;
    }
    SDL_GetMemoryFunctions(&g_malloc, &g_calloc, &g_realloc, &g_free);
    g_measurable = g_malloc == &std::malloc && g_free == &std::free;
    // The hooks hand every call on to the functions they replace, so a block may be freed
    // through either set.
    SDL_SetMemoryFunctions(BudgetMalloc, BudgetCalloc, BudgetRealloc, BudgetFree);
    g_installed = true;
}

AllocationBudget::AllocationBudget(std::size_t limitBytes) {
    EBInstallAllocationBudget();
    state_.limit = static_cast<std::int64_t>(limitBytes);
    active_ = g_measurable && t_budget == nullptr;
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
