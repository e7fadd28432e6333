#pragma once
#include <limits>
#include <memory>

#include "engine/entity/VelaBehavior.h"
#include "engine/scene/Vector2.h"

namespace Game {

// Where a scenery layer goes for one camera position: the entity's position and, for a
// layer that repeats, how far its picture is slid inside its quad (a share of its width, in
// 0 to 1).
struct LayerPlacement {
    VelaEngine::Vector2 position;
    float textureOffset = 0.0f;
};

// A layer that shows `anchor` while the camera is at the origin and follows `factor` of the
// camera's horizontal and `factorY` of its vertical motion against the screen: 0 stays put,
// 1 moves with the level. With a `repeatWidth` (the layer's width on screen) it stays where
// it is sideways and its picture wraps instead, so it never runs out; 0 moves the layer.
LayerPlacement PlaceLayer(const VelaEngine::Vector2& anchor, const VelaEngine::Vector2& camera,
                          float factor, float factorY, float repeatWidth);

// Moves a screen-space layer of scenery at a share of the camera's speed, so that distant
// hills and clouds drift past slower than the level and the flight shows in open sky.
class Parallax : public VelaEngine::VelaBehavior {
public:
    explicit Parallax(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "Parallax"; }
    // "factor" (0), "factorY" (the factor), "repeatX" (true), "minY" and "maxY" (no limit). A
    // number or flag that does not read as one is a content error.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    // The entity's position now is where the layer sits while the camera is at the origin.
    void Start() override;
    void Update() override;

    float factor = 0.0f;
    float factorY = 0.0f;
    // Wraps the picture of the entity's first Image sideways; an entity without one moves.
    bool repeatX = true;
    // Bounds of the layer's height on screen: a strip of hills whose bottom edge must never
    // come into view stops rising at its resting place.
    float minY = -std::numeric_limits<float>::infinity();
    float maxY = std::numeric_limits<float>::infinity();

private:
    VelaEngine::Vector2 anchor_;
    bool anchored_ = false;
};

}  // namespace Game
