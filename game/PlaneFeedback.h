#pragma once
// The short-lived pictures the plane leaves where it picks a star, touches the checkpoint or
// crashes: a "collideFeedback" child of "CollisionFeedbackGroup" that removes itself.
#include <memory>
#include <string>

#include "engine/entity/Entity.h"
#include "engine/scene/Vector2.h"

namespace Game {

struct FeedbackLook {
    VelaEngine::Vector2 position;
    float rotation = 0.0f;
    float size = 100.0f;  // width and height alike
    std::string sprite;
};

// Builds the picture through field maps, as a scene file would, and gives it a DestroyAfter.
std::shared_ptr<VelaEngine::Entity> SpawnFeedback(const FeedbackLook& look);

}  // namespace Game
