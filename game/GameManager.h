#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// What a level knows of itself: stars found, when it started, whether it is over, and the
// in-level options window on Escape or when the game's window loses the focus. Ends the level
// and remembers the progress.
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

    // Won: records the unlocked level, the best times and the stars, and saves them.
    void EndLevel(bool won);
    // Seconds flown: from the end of the countdown to the end of the level, pauses left out.
    float FlightTime() const;
    // The flight time as it stood, or will stand, when the clock read `now` in the level's
    // present state: for a look back at the last frame.
    float FlightTimeAt(float now) const;

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
    // When the flight began (moved on by every pause like `levelStartTime`); negative
    // while the countdown runs.
    float flightStartTime = -1.0f;
    // When the level ended; negative until then.
    float flightEndTime = -1.0f;
    // Set by a win: the level's best time before it (0 for none) and whether it beat that.
    float previousBestTime = 0.0f;
    bool newBestTime = false;

private:
    void StartFlightAfterCountdown();
    void RecordBestTime();
};

// Shows the stars found so far on the window's "Star1" to "Star3" pictures.
void LightStars(int starsFound);

}  // namespace Game
