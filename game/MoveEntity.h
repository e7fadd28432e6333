#pragma once
#include <memory>
#include <string>

#include "engine/entity/Listener.h"
#include "engine/entity/VelaBehavior.h"

namespace Game {

// Puts the entity named "src" where the entity named "dst" is, on a click or once at start.
class MoveEntity : public VelaEngine::VelaBehavior {
public:
    explicit MoveEntity(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "MoveEntity"; }
    // "src" and "dst" (missing ones are logged) and "doOnStartInstead".
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<MoveEntity>(newOwner);
    }
    void Start() override;
    void Move() const;

    std::string src;
    std::string dst;
    bool doOnStartInstead = false;

private:
    void OnClick(const VelaEngine::Events::EventBase& event);

    VelaEngine::Events::ClassListener<MoveEntity> clickListener_{this, &MoveEntity::OnClick};
};

}  // namespace Game
