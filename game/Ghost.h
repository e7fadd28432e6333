#pragma once
#include <memory>
#include <optional>

#include "engine/entity/EntityPath.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/scene/FieldMap.h"
#include "game/GhostPath.h"

namespace Game {

class GameManager;

// The level's best flight flown again beside the live one. It records the plane every frame
// of the flight, and a flight that sets the level's best time becomes the level's ghost
// file. While a best exists (and the options leave the ghost on), a picture of the plane in
// the skin it was flown with follows that path on the flight clock. The ghost has no
// collider; it sits before the plane in the scene so it is drawn under it.
class Ghost : public VelaEngine::VelaBehavior {
public:
    explicit Ghost(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "Ghost"; }
    // "planeFinder": the plane entity's path (a missing one is logged and nothing is
    // recorded); "w", "h" and "tint": the ghost picture's size and see-through colour.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Start() override;
    void Update() override;

    // The path shown, when there is one.
    const std::optional<GhostPath>& Shown() const { return shown_; }
    // The live flight so far.
    const GhostPath& Recording() const { return recording_; }
    // The flight time the ghost stands at now.
    float showTime = 0.0f;
    // This flight set the best and its path is in the ghost file.
    bool saved = false;

    VelaEngine::Entity* plane = nullptr;

private:
    void Show(const GhostPath& path);
    void RecordLastFrame(const GameManager& manager);
    void Follow(const GameManager& manager);

    VelaEngine::EntityPath planeFinder_{&plane, this};
    bool planeGiven_ = false;
    VelaEngine::FieldMap look_;
    GameManager* manager_ = nullptr;
    std::optional<GhostPath> shown_;
    GhostPath recording_;
    bool recordingDone_ = false;
    // The clock at the last update: the next update records the frame it began.
    float lastNow_ = 0.0f;
};

}  // namespace Game
