#pragma once
// How a collider answers a bounce: the share of the normal speed sent back and the rate (per
// second) at which speed along the face is lost. Text form "bounce,friction".
#include <string>

#include "engine/scene/Object.h"

namespace VelaEngine::Collision {

class Material : public Object, public ISerializedField {
public:
    float bounce = 0.5f;
    float friction = 0.0f;

    Material() = default;
    Material(float bounce_, float friction_) : bounce(bounce_), friction(friction_) {}

    std::string ToString() const override;
    void Deserialize(const std::string& text) override;
    std::string Serialize() const override;

    bool operator==(const Material& o) const {
        return bounce == o.bounce && friction == o.friction;
    }
};

}  // namespace VelaEngine::Collision
