#pragma once
#include <memory>
#include <string>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// A button that loads a scene when clicked, at once or, with "waitOneFrame", two updates
// later so the click can be seen and heard first.
class LinkPlay : public VelaEngine::VelaBehavior {
public:
    explicit LinkPlay(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "LinkPlay"; }
    // "sceneName" and "waitOneFrame".
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<LinkPlay>(newOwner);
    }
    void Start() override;
    void Update() override;

    std::string sceneName;
    bool waitOneFrame = false;
    bool clicked = false;
    bool waited = false;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);

    VelaEngine::Events::ClassListener<LinkPlay> clickListener_{this, &LinkPlay::OnClick};
};

}  // namespace Game
