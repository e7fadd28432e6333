#include "game/Ghost.h"

#include "engine/core/Time.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/persistence/Records.h"
#include "game/GameManager.h"
#include "game/GhostFile.h"
#include "game/PlaneSkinSelect.h"
#include "game/SavedValues.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void Ghost::Deserialize(const FieldMap& fields) {
    planeGiven_ = fields.TryGet("planeFinder", planeFinder_);
    if (!planeGiven_) {
        Log("Ghost's planeFinder field not found");
    }
    look_.Clear();
    for (const char* name : {"w", "h", "tint"}) {
        std::string text;
        if (fields.TryGet(name, text)) {
            look_.Set(name, text);
        }
    }
}

std::shared_ptr<Component> Ghost::Clone(Entity* newOwner) const {
    auto copy = MakePacked<Ghost>(newOwner);
    copy->planeFinder_.Deserialize(planeFinder_.Serialize());
    copy->planeGiven_ = planeGiven_;
    copy->look_ = look_;
    return copy;
}

void Ghost::Start() {
    manager_ = FindInScene<GameManager>();
    if (manager_ == nullptr || !planeGiven_ || plane == nullptr) {
        return;
    }
    const int level = manager_->currentLevel;
    recording_.level = level;
    // The plane controller dresses the plane from the same record.
    recording_.skin = SavedPlaneSkin();
    lastNow_ = Time::Get().GetTimeSinceStart();
    // A data reset forgets the best time; its ghost goes with it.
    if (!SavedGhostOn() || SavedBestTime(level) <= 0.0f) {
        return;
    }
    if (std::optional<GhostPath> best = LoadGhost(level)) {
        Show(*best);
    }
}

void Ghost::Show(const GhostPath& path) {
    shown_ = path;
    // Built here rather than in the scene: without a best there is nothing to draw at all.
    FieldMap picture = look_;
    picture.Set("Sprite", PlaneSkinSelect::SkinSprite(path.skin));
    GetOwner()->AddComponent<Graphics::Image>()->Deserialize(picture);
    Follow(*manager_);
}

void Ghost::Update() {
    if (manager_ == nullptr || plane == nullptr) {
        return;
    }
    RecordLastFrame(*manager_);
    lastNow_ = Time::Get().GetTimeSinceStart();
    if (shown_) {
        Follow(*manager_);
    }
}

// Runs before the plane's own update, so the plane still stands as the last frame drew it,
// and the flight time is the one that frame ended with.
void Ghost::RecordLastFrame(const GameManager& manager) {
    if (recordingDone_ || manager.flightStartTime < 0.0f) {
        return;
    }
    GhostSample sample;
    sample.time = manager.FlightTimeAt(lastNow_);
    const Transform& transform = plane->GetTransform();
    sample.x = transform.GetPosition().x;
    sample.y = transform.GetPosition().y;
    sample.rotation = transform.GetRotation();
    if (const auto* image = plane->GetComponent<Graphics::Image>()) {
        sample.flipX = image->GetFlipX();
        sample.flipY = image->GetFlipY();
    }
    // A paused frame repeats the one before it.
    std::vector<GhostSample>& samples = recording_.samples;
    if ((samples.empty() || sample.time > samples.back().time) &&
        samples.size() < kMaxGhostSamples) {
        samples.push_back(sample);
    }
    if (!manager.levelEnded) {
        return;
    }
    recordingDone_ = true;
    // A record file this run may not write keeps its old best, and so the old ghost.
    if (manager.levelWon && manager.newBestTime && !samples.empty() && Records::Get().CanSave()) {
        saved = SaveGhost(recording_);
    }
}

void Ghost::Follow(const GameManager& manager) {
    showTime = manager.flightStartTime >= 0.0f ? manager.FlightTime() : 0.0f;
    const GhostSample pose = GhostPoseAt(*shown_, showTime);
    Transform& transform = *GetTransform();
    transform.SetPosition(Vector2(pose.x, pose.y));
    transform.SetRotation(pose.rotation);
    auto* image = GetOwner()->GetComponent<Graphics::Image>();
    if (image != nullptr && (image->GetFlipX() != pose.flipX || image->GetFlipY() != pose.flipY)) {
        image->Set(image->GetWidth(), image->GetHeight(), image->GetSprite(), image->GetTint(),
                   pose.flipX, pose.flipY);
    }
}

}  // namespace Game
