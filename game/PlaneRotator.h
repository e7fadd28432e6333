#pragma once
#include <memory>
#include <string>

#include "engine/entity/VelaBehavior.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine {
class DynamicBody2D;
}

namespace Game {

class GameManager;

// The player's plane: the start countdown that holds it in place, its facing, picking up
// stars and the checkpoint, the one checkpoint rescue, the loss on a crash, and the little
// pictures and sounds of each.
class PlaneRotator : public VelaEngine::VelaBehavior {
public:
    static constexpr float kCountdown = 6.0f;
    // The countdown can be cut short with the mouse only after this long.
    static constexpr float kSkipAfter = 1.5f;
    // Slower than this the plane flies level, only mirrored.
    static constexpr float kFacingSpeed = 25.0f;
    // The checkpoint is reached this far beyond its collider.
    static constexpr float kCheckpointReach = 20.0f;

    explicit PlaneRotator(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "PlaneRotator"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<PlaneRotator>(newOwner);
    }
    void Start() override;
    void Update() override;
    void OnCollision(VelaEngine::Entity* const& other) override;

    void SpawnStarFeedback(const VelaEngine::Point2& position);
    void SpawnCheckpointFeedback();
    void SpawnCrashFeedback();

    // Seconds of the countdown gone by (more than its length once it has run out).
    float CountdownElapsed() const { return countdownTotal - countdownLeft; }

    float countdownTotal = kCountdown;
    float countdownLeft = kCountdown;
    VelaEngine::Point2 startPosition;
    VelaEngine::Point2 checkpointPosition;
    bool hasCheckpoint = false;
    bool checkpointUsed = false;
    // Who cost the plane its last rescue or the level, for tools that report why a flight
    // failed; empty until then.
    std::string lastContact;

private:
    void PickStars();
    void PickCheckpoint();
    void RunCountdown();
    void Face();
    void Rescue();
    void Lose();
    VelaEngine::DynamicBody2D& Body();
    float Radius();
};

}  // namespace Game
