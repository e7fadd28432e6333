#pragma once
// Names a body's kept list in the contact broad phase as it stood at one moment, so that the
// body can ask later whether everything its contacts read there is still the same.
#include <cstdint>

namespace VelaEngine::Collision {

struct KeptListMark {
    // The list; 0: none.
    std::uint64_t list = 0;
    // The broad phase's counts of changes of still candidates and of moves then.
    std::uint64_t stillAt = 0;
    std::uint64_t movesAt = 0;
    // The layout it was made under, and there the body's own watch tag and first entry:
    // both stand while the layout does.
    std::uint64_t layout = 0;
    std::uint32_t tag = 0;
    std::uint32_t entry = 0;
};

}  // namespace VelaEngine::Collision
