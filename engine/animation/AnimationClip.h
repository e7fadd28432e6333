#pragma once
#include <string>
#include <vector>

#include "engine/scene/Object.h"

namespace VelaEngine::Mecanim {

// One instruction due at a time into the pass, for every component of the named type.
struct Keyframe {
    float time = 0.0f;
    std::string component;
    std::string instruction;
};

// A duration and a timeline of keyframes, in the order they were written (never sorted: the
// last due keyframe written wins). Text form: tab-separated pieces, the duration followed by
// any number of time, component type name and instruction triples.
class AnimationClip : public Object, public ISerializedField {
public:
    // Replaces the duration and appends the keyframes read. A text with the wrong number of
    // pieces is a content error and leaves the clip as it was.
    void Deserialize(const std::string& text) override;
    std::string Serialize() const override;
    std::string ToString() const override;

    float GetDuration() const { return duration_; }
    const std::vector<Keyframe>& GetKeyframes() const { return keyframes_; }

private:
    std::vector<Keyframe> keyframes_;
    float duration_ = 0.0f;
};

}  // namespace VelaEngine::Mecanim
