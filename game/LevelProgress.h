#pragma once
#include <memory>

#include "engine/entity/VelaBehavior.h"

namespace Game {

// A level's progress on the level selection: its best time on the entity's Text, and the
// entity's children (a "finished" mark) kept only for a finished level: one with a best time,
// or whose next level is open. A finished level without a best time (won before times were
// kept) reads "Finished".
class LevelProgress : public VelaEngine::VelaBehavior {
public:
    explicit LevelProgress(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "LevelProgress"; }
    // "level": the level's number.
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Start() override;

    int level = 0;
};

// Whether the level has been won: a best time is kept for it, or the level after it is open.
bool LevelFinished(int level);

}  // namespace Game
