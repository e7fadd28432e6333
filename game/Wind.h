#pragma once
#include <memory>
#include <string>

#include "engine/entity/VelaBehavior.h"
#include "game/FadingLoop.h"

namespace VelaEngine {
namespace Graphics {
class Image;
class Sprite;
}  // namespace Graphics
}  // namespace VelaEngine

namespace Game {

// The cursor fan: turns towards the plane and, while the left button is held, blows it away
// from the cursor, harder the closer it is. P pauses and resumes the level; while paused the fan
// shows a plain cursor for the options window.
// Given a "loopSound", the fan sounds that loop for as long as it blows ("loopVolume", faded in
// over "fadeIn" and out over "fadeOut" seconds) instead of one gust per press.
class Wind : public VelaEngine::VelaBehavior {
public:
    // Beyond this distance the fan does not push.
    static constexpr float kReach = 300.0f;
    static constexpr float kStrength = 3500.0f;

    explicit Wind(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "Wind"; }
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Start() override;
    void Update() override;

    std::shared_ptr<VelaEngine::Graphics::Sprite> windSprite;
    std::shared_ptr<VelaEngine::Graphics::Sprite> cursorSprite;
    std::shared_ptr<VelaEngine::Graphics::Sprite> fanSprite;
    VelaEngine::Graphics::Image* image = nullptr;
    bool showingCursor = false;
    // Weak: the fan must not keep a removed plane alive or reach into a freed one.
    std::weak_ptr<VelaEngine::Entity> airplane;

    std::string loopSound;
    float loopVolume = 0.5f;
    float fadeIn = 0.08f;
    float fadeOut = 0.4f;
    FadingLoop loop;

private:
    static bool LevelEnded();
    // False during the first moments of a level and after it has ended.
    bool LevelAllowsWind() const;
    void AimAndBlow();
    // Keeps the looping sound in step with the blowing.
    void SoundLoop(bool blowing);
    void ShowFan();
    void ShowCursor();
};

}  // namespace Game
