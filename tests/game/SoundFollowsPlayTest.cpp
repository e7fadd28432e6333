// Sound that follows the play, through the real mixer on the dummy device: the fan's wind loop,
// the music's crossfades between scenes and sounds that fade with distance from the plane.
#include <gtest/gtest.h>

#include <string>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/AudioSource.h"
#include "engine/scene/SceneManager.h"
#include "game/MusicPlayer.h"
#include "game/SoundFalloff.h"
#include "game/Wind.h"
#include "tests/game/FlightTestSupport.h"

using namespace VelaEngine;
using namespace FlightTest;

namespace {

// The mixer keeps volumes in 128 steps.
constexpr float kMixerStep = 1.0f / 128;

// The sounding channel of the pool that `owner` started, or null.
const Audio::ChannelSlot* SoundingSlotOf(const void* owner) {
    for (const Audio::ChannelSlot& slot : Audio::AudioManager::Get().GetSlots()) {
        bool playing = false;
        EBSoundChannelIsPlaying(slot.channel, &playing);
        if (playing && slot.owner == owner) {
            return &slot;
        }
    }
    return nullptr;
}

float VolumeOf(const Audio::ChannelSlot& slot) {
    float volume = -1.0f;
    EBSoundChannelGetVolume(slot.channel, &volume);
    return volume;
}

std::string ClipOf(const Game::FadingLoop& loop) {
    return loop.GetClip() == nullptr ? "" : loop.GetClip()->GetPath();
}

}  // namespace

using SoundFollowsPlay = FlightScene;

// "Fan" loops the wind for as long as the button is held (frames 10 to 69), fading in over 0.1 s
// and out over 0.5 s; "Gust", without a loop sound, plays its one gust per press as before.
TEST_F(SoundFollowsPlay, TheFanLoopsItsWindWhileHeldAndFadesItOutOnRelease) {
    const std::string fan =
        "\tImage\n\t\tw\t80\n\t\th\t80\n\tAudioSource\n\t\tvolume\t0.5\n\tWind\n"
        "\t\tloopSound\tsounds/sfx/windloop\n\t\tloopVolume\t0.6\n\t\tfadeIn\t0.1\n"
        "\t\tfadeOut\t0.5\n";
    Start(ManagerText() + PlaneText("0,0", 0.0f) + EntityText("Camera", "0,0") + "\tCamera\n" +
          EntityText("Fan", "-400,0") + fan + EntityText("Gust", "400,0") +
          "\tAudioSource\n\t\tvolume\t0.5\n\tWind\n");
    const void* loop = &The<Game::Wind>("Fan").loop;
    const void* gust = &The<Audio::AudioSource>("Gust");
    const void* fanSource = &The<Audio::AudioSource>("Fan");
    Run(
        110,
        [](unsigned frame) {
            if (frame == 1) {
                Plane().countdownLeft = 0.0f;
            }
            SetKey(kMouseLeft, frame >= 10 && frame < 70);
        },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            const Game::Wind& wind = The<Game::Wind>("Fan");
            const Audio::ChannelSlot* slot = SoundingSlotOf(loop);
            EXPECT_EQ(SoundingSlotOf(fanSource), nullptr) << "no gust from the looping fan";
            if (frame < 10) {
                EXPECT_FALSE(wind.loop.IsActive());
                EXPECT_EQ(slot, nullptr);
            }
            if (frame == 10) {
                ASSERT_NE(slot, nullptr);
                EXPECT_TRUE(ClipOf(wind.loop).ends_with("sounds/sfx/windloop.mp3"));
                EXPECT_NEAR(wind.loop.GetGain(), 1.0f / 6.0f, 1e-4);
                EXPECT_NEAR(VolumeOf(*slot), 0.6f / 6.0f, kMixerStep);
                EXPECT_NE(SoundingSlotOf(gust), nullptr) << "the plain fan's gust";
            }
            if (frame >= 16 && frame < 70) {
                ASSERT_NE(slot, nullptr);
                EXPECT_NEAR(wind.loop.GetGain(), 1.0f, 1e-6);
                EXPECT_NEAR(VolumeOf(*slot), 0.6f, kMixerStep);
            }
            if (frame == 84) {
                // 15 of the 30 frames of the fade out.
                ASSERT_NE(slot, nullptr);
                EXPECT_NEAR(wind.loop.GetGain(), 0.5f, 1e-4);
                EXPECT_NEAR(VolumeOf(*slot), 0.3f, kMixerStep);
            }
            if (frame >= 101) {
                EXPECT_FALSE(wind.loop.IsActive());
                EXPECT_EQ(slot, nullptr) << "faded out, the loop has left its channel";
            }
        });
}

// The player starts with its own track, crossfades to a scene's music over 0.5 s, keeps it
// through a scene that wants the same, and goes back to its own in a scene that names none.
TEST_F(SoundFollowsPlay, TheMusicCrossfadesToEachScenesTrackAndBack) {
    assets.Write("scenes/first.scene",
                 EntityText("Music", "0,0") +
                     "\tDontDestroyOnLoad\n\tMusicPlayer\n\t\ttrack\tsounds/music/menu\n"
                     "\t\tvolume\t0.6\n\t\tcrossfade\t0.5\n");
    assets.Write("scenes/night.scene",
                 EntityText("LevelMusic", "0,0") + "\tSceneMusic\n\t\ttrack\tsounds/music/sky4\n");
    assets.Write("scenes/night2.scene",
                 EntityText("LevelMusic", "0,0") + "\tSceneMusic\n\t\ttrack\tsounds/music/sky4\n");
    assets.Write("scenes/plain.scene", EntityText("Nothing", "0,0"));
    Launch("scenes/first", 60);
    const auto change = [](const char* scene) {
        SceneManagement::SceneManager::Get().RequestChange(scene);
    };
    Run(
        140,
        [&](unsigned frame) {
            if (frame == 40) {
                change("scenes/night");
            }
            if (frame == 80) {
                change("scenes/night2");
            }
            if (frame == 100) {
                change("scenes/plain");
            }
        },
        [&](unsigned frame) {
            SCOPED_TRACE(frame);
            const Game::MusicPlayer& player = The<Game::MusicPlayer>("Music");
            const Audio::ChannelSlot* current = SoundingSlotOf(&player.Current());
            const Audio::ChannelSlot* previous = SoundingSlotOf(&player.Previous());
            if (frame == 1) {
                EXPECT_EQ(player.GetPlaying(), "sounds/music/menu");
                ASSERT_NE(current, nullptr);
                EXPECT_NEAR(player.Current().GetGain(), 1.0f / 30.0f, 1e-4);
                EXPECT_EQ(previous, nullptr);
            }
            if (frame == 40 || frame == 99) {
                ASSERT_NE(current, nullptr);
                EXPECT_NEAR(VolumeOf(*current), 0.6f, kMixerStep);
            }
            if (frame == 41) {
                EXPECT_EQ(player.GetPlaying(), "sounds/music/sky4");
                EXPECT_TRUE(ClipOf(player.Current()).ends_with("sounds/music/sky4.mp3"));
                EXPECT_TRUE(ClipOf(player.Previous()).ends_with("sounds/music/menu.mp3"));
                ASSERT_NE(current, nullptr);
                ASSERT_NE(previous, nullptr);
                EXPECT_NEAR(player.Current().GetGain(), 1.0f / 30.0f, 1e-4);
                EXPECT_NEAR(player.Previous().GetGain(), 29.0f / 30.0f, 1e-4);
                EXPECT_NEAR(VolumeOf(*previous), 0.6f * 29.0f / 30.0f, kMixerStep);
            }
            if (frame == 55) {
                ASSERT_NE(previous, nullptr);
                EXPECT_NEAR(player.Current().GetGain() + player.Previous().GetGain(), 1.0f, 1e-4);
            }
            if (frame >= 72 && frame < 101) {
                EXPECT_EQ(previous, nullptr) << "the old track has ended";
                EXPECT_FALSE(player.Previous().IsActive());
                EXPECT_EQ(player.GetPlaying(), "sounds/music/sky4");
                EXPECT_NEAR(player.Current().GetGain(), 1.0f, 1e-6);
            }
            if (frame == 101) {
                EXPECT_EQ(player.GetPlaying(), "sounds/music/menu");
                EXPECT_TRUE(ClipOf(player.Current()).ends_with("sounds/music/menu.mp3"));
                EXPECT_TRUE(ClipOf(player.Previous()).ends_with("sounds/music/sky4.mp3"));
                EXPECT_NE(previous, nullptr);
            }
            if (frame == 140) {
                EXPECT_EQ(previous, nullptr);
                ASSERT_NE(current, nullptr);
                EXPECT_NEAR(VolumeOf(*current), 0.6f, kMixerStep);
            }
        });
}

// A looping sound 0.8 loud within 100 units of the plane, silent from 600: a squared fall in
// between, followed by the sounding channel.
TEST_F(SoundFollowsPlay, ASoundFadesWithItsDistanceFromThePlane) {
    Start(PlaneText("0,0", 0.0f, false) + EntityText("Cannon", "0,0") +
          "\tAudioSource\n\t\taudioClip\tsounds/sfx/fanhum\n\t\tvolume\t0.8\n\t\tloop\tt\n"
          "\t\tplayOnAwake\tt\n\tSoundFalloff\n\t\tnear\t100\n\t\tfar\t600\n");
    const struct {
        unsigned frame;
        float distance;
        float volume;
    } cases[] = {{1, 50, 0.8f},  {2, 100, 0.8f},  {3, 350, 0.2f}, {4, 475, 0.05f},
                 {5, 600, 0.0f}, {6, 2000, 0.0f}, {7, 0, 0.8f}};
    Run(
        7,
        [&](unsigned frame) {
            for (const auto& c : cases) {
                if (c.frame == frame) {
                    // Along (0.6, 0.8), so the distance is the same in both axes' rounding.
                    Named("Airplane")
                        .GetTransform()
                        .SetPosition(Vector2(0.6f * c.distance, 0.8f * c.distance));
                }
            }
        },
        [&](unsigned frame) {
            const auto& c = cases[frame - 1];
            SCOPED_TRACE(c.distance);
            const auto& source = The<Audio::AudioSource>("Cannon");
            EXPECT_NEAR(source.GetVolume(), c.volume, 1e-5);
            const Audio::ChannelSlot* slot = SoundingSlotOf(&source);
            ASSERT_NE(slot, nullptr);
            EXPECT_NEAR(VolumeOf(*slot), c.volume, kMixerStep);
        });
    EXPECT_FLOAT_EQ(The<Game::SoundFalloff>("Cannon").fullVolume, 0.8f);
}
