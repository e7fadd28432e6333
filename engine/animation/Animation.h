#pragma once
#include <memory>

#include "engine/animation/AnimationClip.h"
#include "engine/entity/Component.h"
#include "engine/entity/Listener.h"

namespace VelaEngine::Mecanim {

// Plays a clip on the other components of its entity: every frame, each keyframe that is
// due is handed again to every component of the named type, so the state a clip sets holds.
// It plays from its construction; disabling it holds the time where it is.
class Animation : public Component {
public:
    explicit Animation(Entity* owner);

    const char* GetTypeName() const override { return "Animation"; }
    // "loop" and "clip"; a clip read here is added to the keyframes already held, and the
    // time is left as it is.
    void Deserialize(const FieldMap& fields) override;
    // A fresh player: empty clip, no loop, time 0.
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    const AnimationClip& GetClip() const { return clip_; }
    bool IsLooping() const { return loop_; }
    // Seconds into the current pass.
    float GetTime() const { return time_; }

private:
    void OnUpdate(const Events::EventBase& event);
    void Apply(const Keyframe& keyframe) const;

    AnimationClip clip_;
    bool loop_ = false;
    float time_ = 0.0f;
    Events::ClassListener<Animation> updateListener_;
};

}  // namespace VelaEngine::Mecanim
