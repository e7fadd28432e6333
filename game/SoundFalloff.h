#pragma once
#include <memory>
#include <string>

#include "engine/entity/VelaBehavior.h"

namespace VelaEngine::Audio {
class AudioSource;
}

namespace Game {

// Turns the entity's first AudioSource down with its distance from a listener entity (the
// plane): the scene's volume within "near" units, silence from "far" units on, and a fall in
// between that the ear hears as even. Sounds already playing follow.
class SoundFalloff : public VelaEngine::VelaBehavior {
public:
    explicit SoundFalloff(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "SoundFalloff"; }
    // "near" (default 200), "far" (default 1200) and "listener" (an entity name, default
    // "Airplane").
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Start() override;
    void Update() override;

    // Share of the scene's volume at `distance`, 0 to 1.
    float GainAt(float distance) const;

    float nearDistance = 200.0f;
    float farDistance = 1200.0f;
    std::string listenerName = "Airplane";
    // The source's volume as the scene gave it.
    float fullVolume = 1.0f;

private:
    void Apply();

    VelaEngine::Audio::AudioSource* source_ = nullptr;
    std::weak_ptr<VelaEngine::Entity> listener_;
};

}  // namespace Game
