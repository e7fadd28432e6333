#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace VelaEngine::Graphics {
class Image;
class Text;
}  // namespace VelaEngine::Graphics

namespace Game {

class GameManager;

// What the player reads while flying and after a win: the stars found so far lit on
// "HudStar1" to "HudStar3", the flight's time on the Text of "HudTime", and, once the level
// is won, the flight's time on "WinTime" and the level's best it did not beat on "WinBest"
// (empty when it is a new best, which the ribbon tells). Missing entities are left out.
class LevelHud : public VelaEngine::VelaBehavior {
public:
    explicit LevelHud(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "LevelHud"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<LevelHud>(newOwner);
    }
    void Start() override;
    void Update() override;

private:
    void ShowWin();

    GameManager* manager_ = nullptr;
    VelaEngine::Graphics::Image* stars_[3] = {nullptr, nullptr, nullptr};
    VelaEngine::Graphics::Text* time_ = nullptr;
    bool winShown_ = false;
};

}  // namespace Game
