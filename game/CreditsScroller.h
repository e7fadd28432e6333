#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Scrolls the credits up, fast while Space is held, and starts over once they have left.
// "speed" and "fastSpeed" let a scene pace its own credits.
class CreditsScroller : public VelaEngine::VelaBehavior {
public:
    explicit CreditsScroller(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "CreditsScroller"; }
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Update() override;

    static constexpr float kSpeed = 20.0f;
    static constexpr float kFastSpeed = 500.0f;
    // Past this height the last line has left the top of the screen.
    static constexpr float kEnd = 3703.0f;
    static constexpr float kRestartY = -450.0f;

    float speed = kSpeed;
    float fastSpeed = kFastSpeed;
};

}  // namespace Game
