#include "game/SceneMusic.h"

#include "engine/scene/FieldMap.h"

namespace Game {

void SceneMusic::Deserialize(const VelaEngine::FieldMap& fields) {
    track = fields.Get("track", track.c_str());
}

std::shared_ptr<VelaEngine::Component> SceneMusic::Clone(VelaEngine::Entity* newOwner) const {
    auto copy = MakePacked<SceneMusic>(newOwner);
    copy->track = track;
    return copy;
}

}  // namespace Game
