// Animation clip texts: read on their own, then played for a few frames by an animation
// player that addresses the components of its entity. A rejected text must leave the clip as
// it was; an accepted one must write a text that reads back to the very same text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/animation/Animation.h"
#include "engine/animation/AnimationClip.h"
#include "engine/core/Clock.h"
#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/EntityPasses.h"
#include "engine/entity/MatrixStack.h"
#include "engine/scene/FieldMap.h"
#include "fuzz/support/FuzzHarness.h"

using namespace VelaEngine;
using FuzzSupport::EndsFatally;
using FuzzSupport::Require;
using Mecanim::AnimationClip;

namespace {

constexpr const char* kStartingClip = "2\t0\tAnimation\tkept";
constexpr int kFrames = 4;

void CheckClipText(const std::string& text) {
    AnimationClip clip;
    clip.Deserialize(kStartingClip);
    const std::string before = clip.Serialize();
    if (EndsFatally([&] { clip.Deserialize(text); })) {
        Require(clip.Serialize() == before, "a rejected clip changed the clip");
        return;
    }
    const std::string written = clip.Serialize();
    AnimationClip again;
    Require(!EndsFatally([&] { again.Deserialize(written); }), "a written clip is rejected");
    Require(again.Serialize() == written, "a written clip reads back differently");
    Require(again.GetKeyframes().size() == clip.GetKeyframes().size(), "keyframes were lost");
    Require(clip.ToString() == "AnimationClip{" + written + "}", "ToString is not the text");
}

// The clip as a scene gives it: the "clip" field of an Animation, played frame by frame.
void PlayClip(const std::string& text, bool loop) {
    static const bool services = [] {
        static FixedStepClock clock;
        SetClock(&clock);
        Time::Create();
        Time::Get().SetFrameRate(60);
        MatrixStack::Create();
        return true;
    }();
    (void)services;

    auto entity = Entity::Create("animated");
    auto* player = entity->AddComponent<Mecanim::Animation>();
    FieldMap fields;
    fields.Set("clip", text);
    fields.Set("loop", loop ? "t" : "f");
    if (EndsFatally([&] { player->Deserialize(fields); })) {
        return;
    }
    for (int frame = 0; frame < kFrames; ++frame) {
        Time::Get().FrameStart();
        MatrixStack::Get().Reset();
        UpdatePass(*entity);
        Time::Get().FrameEnd();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string text = FuzzSupport::Text(data + 1, size - 1);
    CheckClipText(text);
    PlayClip(text, (data[0] & 1) != 0);
    return 0;
}
