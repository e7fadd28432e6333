#include "game/PlaneFeedback.h"

#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/ValueText.h"
#include "game/DestroyAfter.h"
#include "game/FlightQueries.h"

namespace Game {

using namespace VelaEngine;

std::shared_ptr<Entity> SpawnFeedback(const FeedbackLook& look) {
    Entity& group = RequireEntity("CollisionFeedbackGroup", "PlaneRotator");
    std::shared_ptr<Entity> feedback = Entity::Create("collideFeedback");

    FieldMap placement;
    placement.Set("t", look.position.Serialize());
    placement.Set("r", FormatFloat(look.rotation));
    placement.Set("s", "1,1");
    feedback->GetTransform().Deserialize(placement);
    feedback->GetTransform().SetParent(group.GetTransformPtr());

    FieldMap picture;
    picture.Set("w", FormatFloat(look.size));
    picture.Set("h", FormatFloat(look.size));
    picture.Set("Sprite", look.sprite);
    feedback->AddComponent<Graphics::Image>()->Deserialize(picture);
    feedback->AddComponent<DestroyAfter>();
    return feedback;
}

}  // namespace Game
