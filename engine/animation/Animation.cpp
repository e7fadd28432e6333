#include "engine/animation/Animation.h"

#include "engine/core/Time.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine::Mecanim {

Animation::Animation(Entity* owner)
    : Component(owner), updateListener_(this, &Animation::OnUpdate) {
    owner->GetUpdateListeners().Register(updateListener_);
}

void Animation::Deserialize(const FieldMap& fields) {
    loop_ = fields.Get("loop", false);
    if (!fields.TryGet("clip", clip_)) {
        Log("clip not found");
    }
}

std::shared_ptr<Component> Animation::Clone(Entity* newOwner) const {
    return MakePacked<Animation>(newOwner);
}

void Animation::OnUpdate(const Events::EventBase&) {
    if (!IsEnabled()) {
        return;
    }
    const float duration = clip_.GetDuration();
    if (!loop_ && time_ >= duration) {
        return;
    }
    const float dt = Time::Get().GetDeltaTime();
    for (const Keyframe& keyframe : clip_.GetKeyframes()) {
        if (dt >= keyframe.time - time_) {
            Apply(keyframe);
        }
    }
    time_ += dt;
    // A looping pass starts again from 0; the part of the frame past the end is dropped.
    if (time_ > duration && loop_) {
        time_ = 0.0f;
    }
}

void Animation::Apply(const Keyframe& keyframe) const {
    const auto& components = GetOwner()->GetComponents();
    // By index: an instruction handler may add components to the entity.
    for (std::size_t i = 0; i < components.size(); ++i) {
        Component& component = *components[i];
        if (keyframe.component == component.GetTypeName()) {
            component.ApplyInstruction(keyframe.instruction);
        }
    }
}

}  // namespace VelaEngine::Mecanim
