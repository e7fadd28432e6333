// A ball bouncing on a floor, run headless through vela-run and read back from its dumps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "tools/vela-run/RunOptions.h"
#include "tools/vela-run/Runner.h"

namespace {

constexpr unsigned kFrames = 320;
constexpr float kDt = 1.0f / 60.0f;
constexpr float kGravity = -200.0f;
constexpr float kBounce = 0.5f;
constexpr float kRadius = 20.0f;
constexpr float kStartY = 200.0f;
constexpr float kFloorTop = -200.0f + 40.0f * 0.5f;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The numbers of `key` inside the Ball's entry of a dump: one for a number, two for a pair.
std::vector<double> BallValues(const std::string& dump, const std::string& key) {
    const std::size_t ball = dump.find("\"name\": \"Ball\"");
    const std::size_t at = ball == std::string::npos ? ball : dump.find("\"" + key + "\": ", ball);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no " << key << " for the ball in " << dump;
        return {0.0, 0.0};
    }
    std::vector<double> values;
    const char* text = dump.c_str() + at + key.size() + 4;
    const bool pair = *text == '[';
    for (int i = 0; i < (pair ? 2 : 1); ++i) {
        while (*text == '[' || *text == ' ' || *text == ',') {
            ++text;
        }
        char* end = nullptr;
        values.push_back(std::strtod(text, &end));
        text = end;
    }
    return values;
}

// The ball's height after each frame, worked out from the motion rules alone: a
// semi-implicit Euler step, and within one radius of the floor's top the step is taken
// again from where it began with the vertical speed turned round and scaled by
// bounce × (1 − dt).
std::vector<float> ExpectedHeights() {
    std::vector<float> heights;
    float y = kStartY;
    float v = 0.0f;
    for (unsigned frame = 1; frame <= kFrames; ++frame) {
        const float before = y;
        v += kGravity * kDt;
        y += v * kDt;
        if (y - kFloorTop < kRadius) {
            v = -v * kBounce * (1.0f - kDt);
            y = before + v * kDt;
        }
        heights.push_back(y);
    }
    return heights;
}

// The highest points between bounces: frames higher than both neighbours.
std::vector<float> Peaks(const std::vector<float>& heights) {
    std::vector<float> peaks;
    for (std::size_t i = 1; i + 1 < heights.size(); ++i) {
        if (heights[i] > heights[i - 1] && heights[i] >= heights[i + 1]) {
            peaks.push_back(heights[i]);
        }
    }
    return peaks;
}

TEST(BounceRun, TheDumpsShowTheExpectedBounceHeights) {
    TestSupport::TempFolder out;
    std::vector<std::string> args = {
        "vela-run",      "--assets", "tests/engine/physics/assets", "--scene",
        "scenes/bounce", "--frames", std::to_string(kFrames)};
    for (unsigned frame = 1; frame <= kFrames; ++frame) {
        args.push_back("--dump-at");
        args.push_back(std::to_string(frame) + ":" + out.Path() + "/" + std::to_string(frame) +
                       ".json");
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    VelaRun::RunOptions options;
    std::string error;
    ASSERT_TRUE(VelaRun::ParseOptions(static_cast<int>(argv.size()), argv.data(), options, error))
        << error;
    testing::internal::CaptureStdout();
    const int status = VelaRun::Run(options);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0);

    std::vector<float> heights;
    for (unsigned frame = 1; frame <= kFrames; ++frame) {
        const std::string dump = ReadFile(out.Path() + "/" + std::to_string(frame) + ".json");
        const std::vector<double> position = BallValues(dump, "position");
        EXPECT_EQ(position[0], 0.0) << "nothing pushes the ball sideways";
        heights.push_back(static_cast<float>(position[1]));
        EXPECT_EQ(BallValues(dump, "mass")[0], 1.0);
    }

    const std::vector<float> expected = ExpectedHeights();
    for (unsigned i = 0; i < kFrames; ++i) {
        ASSERT_NEAR(heights[i], expected[i], 0.01f) << "after frame " << i + 1;
    }
    const std::vector<float> peaks = Peaks(heights);
    const std::vector<float> expectedPeaks = Peaks(expected);
    ASSERT_GE(expectedPeaks.size(), 3u);
    ASSERT_GE(peaks.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(peaks[i], expectedPeaks[i], 0.01f) << "bounce " << i + 1;
    }
    // Each rebound keeps about (bounce × (1 − dt))² of the previous drop height.
    const float keep = kBounce * (1.0f - kDt) * kBounce * (1.0f - kDt);
    const float contact = kFloorTop + kRadius;
    EXPECT_NEAR((peaks[0] - contact) / (kStartY - contact), keep, 0.05f);
    EXPECT_NEAR((peaks[1] - contact) / (peaks[0] - contact), keep, 0.05f);
}

}  // namespace
