#pragma once
#include <memory>
#include <string>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// A splash screen: sets the saved volume, then moves on to the next scene when its time is
// up, or on a click or key once it has shown for half a second.
class SplashScript : public VelaEngine::VelaBehavior {
public:
    // Input before this much time has shown is ignored, so a held key does not skip at once.
    static constexpr float kSkipAfter = 0.5f;

    explicit SplashScript(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "SplashScript"; }
    bool IsPassive() const override { return false; }
    // "nextScene" and "duration"; the time left starts at the duration.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override {
        return MakePacked<SplashScript>(newOwner);
    }
    void Start() override;
    void Update() override;

    std::string nextScene;
    float duration = 0.0f;
    float remaining = 0.0f;

private:
    static bool SkipPressed();
};

}  // namespace Game
