#include "engine/entity/EntityPath.h"

#include "engine/entity/Entity.h"

namespace VelaEngine {

Entity* EntityPath::Resolve() {
    return Entity::Find(GetPath());
}

}  // namespace VelaEngine
