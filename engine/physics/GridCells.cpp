#include "engine/physics/GridCells.h"

namespace VelaEngine::Collision {

std::size_t BucketCountFor(std::size_t count, std::size_t minimum) {
    std::size_t buckets = minimum;
    while (buckets < count * 2) {
        buckets *= 2;
    }
    return buckets;
}

}  // namespace VelaEngine::Collision
