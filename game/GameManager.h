#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// What a level knows of itself: stars found, when it started, whether it is over, and the
// in-level options window on Escape. Ends the level and remembers the progress.
class GameManager : public VelaEngine::VelaBehavior {
public:
    explicit GameManager(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "GameManager"; }
    bool IsPassive() const override { return false; }
    // "currentLevel" is required.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Start() override;
    void Update() override;

    // Won: records the unlocked level, the best time and the stars, and saves them.
    void EndLevel(bool won);

    int starsFound = 0;
    // Moved on by every pause, so that the level's time leaves out the time spent paused.
    float levelStartTime = 0.0f;
    // The options window is open exactly while the level is paused.
    bool optionsOpen = false;
    int currentLevel = 0;
    bool levelEnded = false;
    // How the level ended; meaningful once `levelEnded` is set.
    bool levelWon = false;
    // When the current pause began; negative while the level runs.
    float pausedSince = -1.0f;
};

// Shows the stars found so far on the window's "Star1" to "Star3" pictures.
void LightStars(int starsFound);

}  // namespace Game
