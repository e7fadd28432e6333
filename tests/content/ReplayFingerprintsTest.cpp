// Each level's replay leaves, frame by frame, exactly the state it left when its fingerprint
// was recorded (tests/replays/levelN.hashes, written by tools/record-fingerprints.sh): a hash
// of the whole scene dump per frame. Work on the engine's storage and passes must keep every
// frame the same to the bit; a difference names the first frame that moved.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "content/ContentRun.h"
#include "support/TempFolder.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void ExpectSameFrames(int level) {
    TestSupport::TempFolder home;
    const std::string name = "level" + std::to_string(level);
    const std::string script = ContentRun::kReplays + "/" + name + ".input";
    const unsigned frames = ContentRun::FramesOf(script);
    ASSERT_GT(frames, 0u) << script;
    const std::string hashes = home.File(name + ".hashes");
    const ContentRun::RunResult run =
        ContentRun::RunGame("--scene scenes/" + name + " --input " + script + " --frames " +
                                std::to_string(frames) + " --frame-hashes " + hashes,
                            home.Path());
    ASSERT_EQ(run.status, 0) << run.output;
    const std::vector<std::string> expected =
        Lines(TestSupport::ReadText(ContentRun::kReplays + "/" + name + ".hashes"));
    const std::vector<std::string> actual = Lines(TestSupport::ReadText(hashes));
    ASSERT_EQ(actual.size(), frames);
    ASSERT_EQ(expected.size(), actual.size()) << "the fingerprint has another frame count";
    for (std::size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(expected[i], actual[i]) << name << ": the first frame that differs";
    }
}

}  // namespace

TEST(ReplayFingerprints, Level1) {
    ExpectSameFrames(1);
}
TEST(ReplayFingerprints, Level2) {
    ExpectSameFrames(2);
}
TEST(ReplayFingerprints, Level3) {
    ExpectSameFrames(3);
}
TEST(ReplayFingerprints, Level4) {
    ExpectSameFrames(4);
}
TEST(ReplayFingerprints, Level5) {
    ExpectSameFrames(5);
}
TEST(ReplayFingerprints, Level6) {
    ExpectSameFrames(6);
}
TEST(ReplayFingerprints, Level7) {
    ExpectSameFrames(7);
}
TEST(ReplayFingerprints, Level8) {
    ExpectSameFrames(8);
}
