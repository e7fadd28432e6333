#include "game/RescueCue.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/scene/FieldMap.h"
#include "game/PlaneRotator.h"

namespace Game {

using namespace VelaEngine;

void RescueCue::Deserialize(const FieldMap& fields) {
    cueName = fields.Get("cue", cueName.c_str());
    cueAt = fields.Get("cueAt", cueAt);
    flashTime = fields.Get("flashTime", flashTime);
    cueTime = fields.Get("cueTime", cueTime);
}

std::shared_ptr<Component> RescueCue::Clone(Entity* newOwner) const {
    auto copy = MakePacked<RescueCue>(newOwner);
    copy->cueName = cueName;
    copy->cueAt = cueAt;
    copy->flashTime = flashTime;
    copy->cueTime = cueTime;
    return copy;
}

void RescueCue::Update() {
    const PlaneRotator* plane = GetOwner()->GetComponent<PlaneRotator>();
    if (!rescueSeen && plane != nullptr && plane->checkpointUsed) {
        rescueSeen = true;
        Begin();
    }
    const float dt = Time::Get().GetDeltaTime();
    if (flashLeft > 0.0f) {
        Flash(dt);
    }
    if (cueLeft > 0.0f) {
        ShowCue(dt);
    }
}

void RescueCue::Begin() {
    if (auto* image = GetOwner()->GetComponent<Graphics::Image>();
        image != nullptr && flashLeft <= 0.0f) {
        planeTint_ = image->GetTint();
    }
    flashLeft = flashTime;
    Entity* cue = Entity::Find(cueName);
    if (cue == nullptr) {
        return;
    }
    if (cueLeft <= 0.0f) {
        cueHome_ = cue->GetTransform().GetPosition();
    }
    cueLeft = cueTime;
    cue->GetTransform().SetPosition(cueAt);
    ShowCue(0.0f);
}

void RescueCue::Flash(float dt) {
    flashLeft -= dt;
    auto* image = GetOwner()->GetComponent<Graphics::Image>();
    if (image == nullptr) {
        return;
    }
    Graphics::Color tint = planeTint_;
    const int blink = static_cast<int>((flashTime - flashLeft) / kBlink);
    if (flashLeft > 0.0f && blink % 2 == 0) {
        tint.a = planeTint_.a * kFaintAlpha;
    }
    image->SetTint(tint);
}

void RescueCue::ShowCue(float dt) {
    cueLeft -= dt;
    Entity* cue = Entity::Find(cueName);
    if (cue == nullptr) {
        cueLeft = 0.0f;
        return;
    }
    Transform& transform = cue->GetTransform();
    auto* image = cue->GetComponent<Graphics::Image>();
    if (cueLeft <= 0.0f) {
        transform.SetPosition(cueHome_);
        transform.SetScale(Vector2(1.0f, 1.0f));
        if (image != nullptr) {
            image->SetTint(Graphics::Color(1.0f, 1.0f, 1.0f, 1.0f));
        }
        return;
    }
    // Pops up a little larger than its size and settles, then fades out at the end.
    const float age = cueTime - cueLeft;
    const float pop = std::min(1.0f, age / kPopTime);
    const float scale =
        pop < 1.0f ? 0.6f + 0.55f * pop : 1.0f + 0.15f * std::exp(-12.0f * (age - kPopTime));
    transform.SetScale(Vector2(scale, scale));
    if (image != nullptr) {
        image->SetTint(Graphics::Color(1.0f, 1.0f, 1.0f, std::min(1.0f, cueLeft / kFadeTime)));
    }
}

}  // namespace Game
