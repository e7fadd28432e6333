#pragma once
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// The options window's Resume button: ends the level's pause as Escape and P do, once the
// button that clicked it is let go, so the same press neither blows the fan nor cuts the
// countdown short.
class ResumeGame : public VelaEngine::VelaBehavior {
public:
    explicit ResumeGame(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "ResumeGame"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<ResumeGame>(newOwner);
    }
    void Start() override;
    void Update() override;

    // Clicked while paused; the pause ends when the left button is up.
    bool resumePending = false;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);

    VelaEngine::Events::ClassListener<ResumeGame> clickListener_{this, &ResumeGame::OnClick};
};

}  // namespace Game
