#include "engine/animation/Animation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/Clock.h"
#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/scene/FieldMap.h"
#include "support/FatalCatcher.h"

using namespace VelaEngine;
using Mecanim::Animation;
using Mecanim::AnimationClip;
using TestSupport::FatalMessageOf;

namespace {

const std::string kFormatError =
    "Assertion failed in VEDebug.cpp line 22: AnimationClip must be "
    "<duration>\t<time>\t<component name>\t<instruction>, where the last 3 may repeat.";

AnimationClip Read(const std::string& text) {
    AnimationClip clip;
    clip.Deserialize(text);
    return clip;
}

// Stands in for the components that understand instructions: it keeps every instruction it
// gets, and the one it got last is what it "shows".
class Recorder : public Component {
public:
    Recorder(Entity* owner, const char* typeName) : Component(owner), typeName_(typeName) {}
    const char* GetTypeName() const override { return typeName_; }
    void ApplyInstruction(const std::string& instruction) override {
        received.push_back(instruction);
        for (int i = 0; i < grow; ++i) {
            GetOwner()->AddComponent<Recorder>("Filler");
        }
    }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Recorder>(owner, typeName_);
    }
    std::string Shown() const { return received.empty() ? "" : received.back(); }

    std::vector<std::string> received;
    int grow = 0;  // components it adds to its entity per instruction

private:
    const char* typeName_;
};

// One entity with a player on it; frames last a quarter of a second, which every clip time
// below adds up to exactly.
class AnimationPlayer : public testing::Test {
protected:
    void SetUp() override {
        SetClock(&clock_);
        Time::Create();
        Time::Get().SetFrameRate(4);
        entity_ = Entity::Create("Flag");
        image_ = entity_->AddComponent<Recorder>("Image");
        animation_ = entity_->AddComponent<Animation>();
    }
    void TearDown() override {
        entity_.reset();
        Time::Release();
        SetClock(nullptr);
    }

    // What the main loop does around the entity's update listeners.
    void RunFrames(int count) {
        for (int i = 0; i < count; ++i) {
            Time::Get().FrameStart();
            entity_->GetUpdateListeners().Invoke(Events::EmptyEvent());
            Time::Get().FrameEnd();
        }
    }
    void Play(const std::string& loop, const std::string& clip, Animation* on = nullptr) {
        FieldMap fields;
        fields.Set("loop", loop);
        fields.Set("clip", clip);
        (on != nullptr ? on : animation_)->Deserialize(fields);
    }

    FixedStepClock clock_;
    std::shared_ptr<Entity> entity_;
    Recorder* image_ = nullptr;
    Animation* animation_ = nullptr;
};

}  // namespace

TEST_F(AnimationPlayer, AMissingClipIsLoggedAndABadOneEndsTheProgram) {
    FieldMap noClip;
    noClip.Set("loop", "t");
    testing::internal::CaptureStdout();
    animation_->Deserialize(noClip);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "LOG: clip not found\n");
    RunFrames(3);
    EXPECT_TRUE(image_->received.empty());

    // A bad clip ends the program as the clip's own reading does.
    EXPECT_EQ(FatalMessageOf([&] { Play("f", "1\t0"); }), kFormatError);
}

TEST_F(AnimationPlayer, ShowsAThenBThenAAgainAfterTheWrap) {
    Recorder* second = entity_->AddComponent<Recorder>("Image");
    // Type names match exactly.
    Play("t",
         "1.5\t0\tImage\tsprite:a\t0\timage\tx\t0\tImage \tx\t0\tImag\tx\t0.75\tImage\tsprite:b");

    // The frame starting at t applies what is due by t + 0.25, every due keyframe again.
    const std::vector<std::string> shown = {"sprite:a", "sprite:a", "sprite:b", "sprite:b",
                                            "sprite:b", "sprite:b", "sprite:b", "sprite:a"};
    const std::vector<float> timeAfter = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f, 0.0f, 0.25f};
    for (std::size_t frame = 0; frame < shown.size(); ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame + 1));
        RunFrames(1);
        EXPECT_EQ(image_->Shown(), shown[frame]);
        EXPECT_EQ(second->Shown(), shown[frame]);
        // Ending exactly on the duration does not wrap; passing it drops the remainder.
        EXPECT_EQ(animation_->GetTime(), timeAfter[frame]);
    }
    EXPECT_EQ(image_->received.size(), 13u);
}

TEST_F(AnimationPlayer, AmongDueKeyframesTheLastWrittenWinsAndAFinishedClipStops) {
    Play("f", "0.5\t0.25\tImage\tsprite:late\t0\tImage\tsprite:early");
    RunFrames(8);
    EXPECT_EQ(image_->received, (std::vector<std::string>{"sprite:late", "sprite:early",
                                                          "sprite:late", "sprite:early"}));
    EXPECT_EQ(animation_->GetTime(), 0.5f);
}

TEST_F(AnimationPlayer, TimeScaleZeroFreezesTimeButNotCallsAndDisablingStopsBoth) {
    Play("t", "1\t0\tImage\tsprite:a\t0.75\tImage\tsprite:b");
    RunFrames(1);
    Time::Get().SetTimeScale(0.0f);
    image_->received.clear();
    RunFrames(3);
    EXPECT_EQ(animation_->GetTime(), 0.25f);
    EXPECT_EQ(image_->received, std::vector<std::string>(3, "sprite:a"));

    Time::Get().SetTimeScale(1.0f);
    animation_->SetEnabled(false);
    image_->received.clear();
    RunFrames(4);
    EXPECT_TRUE(image_->received.empty());
    EXPECT_EQ(animation_->GetTime(), 0.25f);
    animation_->SetEnabled(true);
    RunFrames(1);
    EXPECT_EQ(image_->received, (std::vector<std::string>{"sprite:a"}));
    RunFrames(1);
    EXPECT_EQ(image_->Shown(), "sprite:b");
}

TEST_F(AnimationPlayer, AnInstructionThatAddsAComponentIsSafe) {
    // A handler that grows the entity's component list while the player walks it.
    Recorder* grower = entity_->AddComponent<Recorder>("Grower");
    grower->grow = 64;
    Recorder* last = entity_->AddComponent<Recorder>("Grower");
    Play("t", "1\t0\tGrower\tgrow");
    RunFrames(2);
    EXPECT_EQ(grower->received.size(), 2u);
    EXPECT_EQ(last->received.size(), 2u);
}

TEST_F(AnimationPlayer, AClonePlaysNothingUntilItIsGivenAClip) {
    Play("t", "1\t0\tImage\tsprite:a");
    RunFrames(2);
    auto copyOwner = Entity::Create("Copy");
    Recorder* copyImage = copyOwner->AddComponent<Recorder>("Image");
    auto clone = std::dynamic_pointer_cast<Animation>(animation_->Clone(copyOwner.get()));
    ASSERT_NE(clone, nullptr);
    copyOwner->AddComponent(clone);
    EXPECT_EQ(clone->GetOwner(), copyOwner.get());
    EXPECT_FALSE(clone->IsLooping());
    EXPECT_EQ(clone->GetTime(), 0.0f);
    EXPECT_TRUE(clone->GetClip().GetKeyframes().empty());

    Play("f", "1\t0\tImage\tsprite:copy", clone.get());
    Time::Get().FrameStart();
    copyOwner->GetUpdateListeners().Invoke(Events::EmptyEvent());
    EXPECT_EQ(copyImage->received, (std::vector<std::string>{"sprite:copy"}));
    EXPECT_EQ(image_->received.size(), 2u);
}

TEST(AnimationClip, ReadsKeyframeTriplesInTextOrderSplitOnlyAtTabsAndWritesThemBack) {
    const AnimationClip clip = Read(
        "\t1.5\t\t0.75\tImage\tsprite:sprites/b\tsoon\tAnimatedImage\tframe:2\t-1e1\tImage\t\t"
        "sprite:sprites/a c\t");
    // Never sorted by time: the order written is the order applied. Times read like atof;
    // runs of tabs count as one and blanks belong to the instruction.
    const std::string written =
        "1.500000\t0.750000\tImage\tsprite:sprites/b\t0.000000\tAnimatedImage\tframe:2\t"
        "-10.000000\tImage\tsprite:sprites/a c";
    EXPECT_EQ(clip.Serialize(), written);
    EXPECT_EQ(Read(written).Serialize(), written);
}

TEST(AnimationClip, EveryPieceCountButOnePlusThreeKIsAFormatError) {
    for (const char* text : {"", "\t\t", "1\t0", "1\t0\tImage", "1\t0\tImage\tsprite:a\t0.5",
                             "1\t0\tImage\tsprite:a\t0.5\tImage"}) {
        SCOPED_TRACE(testing::PrintToString(text));
        AnimationClip clip = Read("2\t1\tImage\tsprite:kept");
        EXPECT_EQ(FatalMessageOf([&] { clip.Deserialize(text); }), kFormatError);
        // Nothing of a rejected text reaches the clip.
        EXPECT_FLOAT_EQ(clip.GetDuration(), 2.0f);
        EXPECT_EQ(clip.GetKeyframes().size(), 1u);
    }
}
