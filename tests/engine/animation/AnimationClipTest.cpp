#include "engine/animation/AnimationClip.h"

#include <gtest/gtest.h>

#include "support/FatalCatcher.h"

using TestSupport::FatalMessageOf;
using VelaEngine::Mecanim::AnimationClip;
using VelaEngine::Mecanim::Keyframe;

namespace {

const std::string kFormatError =
    "Assertion failed in VEDebug.cpp line 22: AnimationClip must be "
    "<duration>\t<time>\t<component name>\t<instruction>, where the last 3 may repeat.";

AnimationClip Read(const std::string& text) {
    AnimationClip clip;
    clip.Deserialize(text);
    return clip;
}

void ExpectKeyframe(const Keyframe& keyframe, float time, const std::string& component,
                    const std::string& instruction) {
    EXPECT_FLOAT_EQ(keyframe.time, time);
    EXPECT_EQ(keyframe.component, component);
    EXPECT_EQ(keyframe.instruction, instruction);
}

}  // namespace

TEST(AnimationClip, ReadsADurationAndKeyframeTriplesInTextOrder) {
    const AnimationClip clip = Read(
        "1.5\t0.75\tImage\tsprite:sprites/b\t0\tAnimatedImage\tframe:2\t0.5\tImage\t"
        "sprite:sprites/a c");
    EXPECT_FLOAT_EQ(clip.GetDuration(), 1.5f);
    ASSERT_EQ(clip.GetKeyframes().size(), 3u);
    // Never sorted by time: the order written is the order applied.
    ExpectKeyframe(clip.GetKeyframes()[0], 0.75f, "Image", "sprite:sprites/b");
    ExpectKeyframe(clip.GetKeyframes()[1], 0.0f, "AnimatedImage", "frame:2");
    // Only tabs separate: blanks belong to the instruction.
    ExpectKeyframe(clip.GetKeyframes()[2], 0.5f, "Image", "sprite:sprites/a c");
}

TEST(AnimationClip, RunsOfTabsCountAsOneSeparator) {
    const AnimationClip clip = Read("\t1\t\t0.5\tImage\t\t\tsprite:a\t");
    EXPECT_FLOAT_EQ(clip.GetDuration(), 1.0f);
    ASSERT_EQ(clip.GetKeyframes().size(), 1u);
    ExpectKeyframe(clip.GetKeyframes()[0], 0.5f, "Image", "sprite:a");
}

TEST(AnimationClip, NumbersAreReadLikeAtof) {
    const AnimationClip clip = Read("3s\tsoon\tImage\tsprite:a\t-1e1\tImage\tsprite:b");
    EXPECT_FLOAT_EQ(clip.GetDuration(), 3.0f);
    EXPECT_FLOAT_EQ(clip.GetKeyframes()[0].time, 0.0f);
    EXPECT_FLOAT_EQ(clip.GetKeyframes()[1].time, -10.0f);
}

TEST(AnimationClip, WritesPiecesJoinedByTabsAndReadsThemBack) {
    const std::string text = "1.5\t0\tImage\tsprite:sprites/a\t0.75\tImage\tsprite:sprites/b";
    const AnimationClip clip = Read(text);
    const std::string written =
        "1.500000\t0.000000\tImage\tsprite:sprites/a\t0.750000\tImage\tsprite:sprites/b";
    EXPECT_EQ(clip.Serialize(), written);
    EXPECT_EQ(clip.ToString(), "AnimationClip{" + written + "}");

    const AnimationClip again = Read(clip.Serialize());
    EXPECT_EQ(again.Serialize(), written);
    ASSERT_EQ(again.GetKeyframes().size(), 2u);
    ExpectKeyframe(again.GetKeyframes()[1], 0.75f, "Image", "sprite:sprites/b");
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
