#include "engine/audio/AudioClip.h"

#include <gtest/gtest.h>

#include "engine/audio/AudioManager.h"
#include "support/FatalCatcher.h"
#include "support/SoundFiles.h"

using namespace TestSupport;
using VelaEngine::Audio::AudioClip;
using VelaEngine::Audio::AudioManager;

namespace {

// The one log line a clip writes when its file cannot be loaded, up to the reason.
std::string FailureLinePrefix(const std::string& path) {
    return "LOG: Failed to load AudioClip: " + path + " (";
}

// Checks that `output` is exactly one log line about `path`.
void ExpectOneFailureLine(const std::string& output, const std::string& path) {
    EXPECT_EQ(output.rfind(FailureLinePrefix(path), 0), 0u) << output;
    ASSERT_GE(output.size(), 2u);
    EXPECT_EQ(output.substr(output.size() - 2), ")\n");
    EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
}

class AudioClipLoading : public testing::Test {
protected:
    void SetUp() override {
        AudioManager::Create();
        AudioManager::Get().Init();
    }
    void TearDown() override { AudioManager::Release(); }

    TempFolder folder_;
};

}  // namespace

TEST_F(AudioClipLoading, AWavFileIsDecodedAndPlayable) {
    const std::string path = WriteToneWav(folder_.File("jingle.wav"), 50);
    testing::internal::CaptureStdout();
    AudioClip clip(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_NE(clip.GetSound(), nullptr);
    EXPECT_EQ(AudioManager::Get().Play(clip, 1.0f, false, nullptr), 0);
}

TEST_F(AudioClipLoading, AMissingFileWritesOneLogLineAndStaysSilent) {
    const std::string path = folder_.File("sounds/sfx/win.mp3");
    testing::internal::CaptureStdout();
    AudioClip clip(path);
    const std::string output = testing::internal::GetCapturedStdout();
    ExpectOneFailureLine(output, path);
    EXPECT_EQ(clip.GetSound(), nullptr);
    EXPECT_EQ(AudioManager::Get().Play(clip, 1.0f, false, nullptr), -1);
}

TEST_F(AudioClipLoading, AFileThatIsNoSoundWritesOneLogLine) {
    const std::string path = WriteNoiseFile(folder_.File("noise.mp3"));
    testing::internal::CaptureStdout();
    AudioClip clip(path);
    ExpectOneFailureLine(testing::internal::GetCapturedStdout(), path);
    EXPECT_EQ(clip.GetSound(), nullptr);
}

TEST_F(AudioClipLoading, ReleasingAClipStopsItsSound) {
    auto clip = std::make_unique<AudioClip>(WriteToneWav(folder_.File("loop.wav"), 50));
    ASSERT_EQ(AudioManager::Get().Play(*clip, 1.0f, true, nullptr), 0);
    clip.reset();
    bool playing = true;
    EBSoundChannelIsPlaying(AudioManager::Get().GetSlots()[0].channel, &playing);
    EXPECT_FALSE(playing);
}

TEST(AudioClip, WithoutASoundDeviceOnlyAMissingFileIsReported) {
    ScopedAudioDriver missingDriver("no-such-audio-driver");
    TempFolder folder;
    AudioManager::Create();
    AudioManager::Get().Init();
    const std::string missing = folder.File("gone.mp3");
    testing::internal::CaptureStdout();
    AudioClip present(WriteToneWav(folder.File("tone.wav"), 10));
    AudioClip absent(missing);
    ExpectOneFailureLine(testing::internal::GetCapturedStdout(), missing);
    EXPECT_EQ(present.GetSound(), nullptr);
    AudioManager::Release();
}

TEST(AudioClip, NeedsTheAudioManager) {
    EXPECT_EQ(FatalMessageOf([] { AudioClip clip("assets/sounds/sfx/win.mp3"); }),
              "Assertion in VEDebug.cpp line 35: AudioManager not Instantiated");
}
