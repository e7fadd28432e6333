#pragma once

namespace VelaEngine {

// Anything the resource cache can hold: scenes, sprites, sound clips, entities.
class IResource {
public:
    virtual ~IResource() = default;
};

}  // namespace VelaEngine
