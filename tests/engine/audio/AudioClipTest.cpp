#include "engine/audio/AudioClip.h"

#include <gtest/gtest.h>

#include "engine/audio/AudioManager.h"
#include "support/FatalCatcher.h"
#include "tests/engine/audio/AudioTestSupport.h"

using namespace AudioTest;
using namespace TestSupport;
using VelaEngine::Audio::AudioClip;

namespace {

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

TEST_F(AudioClipLoading, AMissingOrUndecodableFileWritesOneLogLineAndStaysSilent) {
    for (const std::string& path :
         {folder_.File("sounds/sfx/win.mp3"), WriteNoiseFile(folder_.File("noise.mp3"))}) {
        SCOPED_TRACE(path);
        testing::internal::CaptureStdout();
        AudioClip clip(path);
        ExpectOneFailureLine(testing::internal::GetCapturedStdout(), path);
        EXPECT_EQ(clip.GetSound(), nullptr);
        EXPECT_EQ(AudioManager::Get().Play(clip, 1.0f, false, nullptr), -1);
    }
}

TEST_F(AudioClipLoading, ReleasingAClipStopsItsSound) {
    auto clip = std::make_unique<AudioClip>(WriteToneWav(folder_.File("loop.wav"), 50));
    ASSERT_EQ(AudioManager::Get().Play(*clip, 1.0f, true, nullptr), 0);
    clip.reset();
    EXPECT_FALSE(Playing(Slot(0)));
}

TEST(AudioClip, NeedsTheAudioManager) {
    EXPECT_EQ(FatalMessageOf([] { AudioClip clip("assets/sounds/sfx/win.mp3"); }),
              "Assertion in VEDebug.cpp line 35: AudioManager not Instantiated");
}
