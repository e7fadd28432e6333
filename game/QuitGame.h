#pragma once
#include <memory>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// A button that ends the game after the current frame.
class QuitGame : public VelaEngine::VelaBehavior {
public:
    explicit QuitGame(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "QuitGame"; }
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<QuitGame>(newOwner);
    }
    void Start() override;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);

    VelaEngine::Events::ClassListener<QuitGame> clickListener_{this, &QuitGame::OnClick};
};

}  // namespace Game
