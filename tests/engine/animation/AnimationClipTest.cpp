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

TEST(AnimationClip, ReadsKeyframeTriplesInTextOrderSplitOnlyAtTabsAndWritesThemBack) {
    const AnimationClip clip = Read(
        "\t1.5\t\t0.75\tImage\tsprite:sprites/b\tsoon\tAnimatedImage\tframe:2\t-1e1\tImage\t\t"
        "sprite:sprites/a c\t");
    EXPECT_FLOAT_EQ(clip.GetDuration(), 1.5f);
    ASSERT_EQ(clip.GetKeyframes().size(), 3u);
    // Never sorted by time: the order written is the order applied. Times read like atof;
    // runs of tabs count as one and blanks belong to the instruction.
    ExpectKeyframe(clip.GetKeyframes()[0], 0.75f, "Image", "sprite:sprites/b");
    ExpectKeyframe(clip.GetKeyframes()[1], 0.0f, "AnimatedImage", "frame:2");
    ExpectKeyframe(clip.GetKeyframes()[2], -10.0f, "Image", "sprite:sprites/a c");

    const std::string written =
        "1.500000\t0.750000\tImage\tsprite:sprites/b\t0.000000\tAnimatedImage\tframe:2\t"
        "-10.000000\tImage\tsprite:sprites/a c";
    EXPECT_EQ(clip.Serialize(), written);
    EXPECT_EQ(clip.ToString(), "AnimationClip{" + written + "}");
    EXPECT_EQ(Read(written).Serialize(), written);
    EXPECT_FLOAT_EQ(Read("3s\t0\tImage\tsprite:a").GetDuration(), 3.0f);
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
