#pragma once
#include <memory>
#include <string>

#include "engine/entity/Component.h"

namespace Game {

// Names the music a scene wants; the music player crossfades to it when the scene starts.
// Scenes without one play the player's own track.
class SceneMusic : public VelaEngine::Component {
public:
    explicit SceneMusic(VelaEngine::Entity* owner) : Component(owner) {}

    const char* GetTypeName() const override { return "SceneMusic"; }
    // "track": a sound resource name.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;

    std::string track;
};

}  // namespace Game
