#pragma once
#include <memory>
#include <string>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// Escape presses the screen's way back, the button named by "button" ("BackButton" when
// the scene says nothing), just as a click on it would: same sound, same subscribers.
class EscapeBack : public VelaEngine::VelaBehavior {
public:
    explicit EscapeBack(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "EscapeBack"; }
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Update() override;

    std::string button = "BackButton";
};

}  // namespace Game
