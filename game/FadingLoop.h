#pragma once
#include <memory>

namespace VelaEngine::Audio {
class AudioClip;
}

namespace Game {

// A looping sound whose loudness glides to a target rather than jumping, so it starts and ends
// softly. It plays on its own channel of the pool and never outlives this object.
class FadingLoop {
public:
    FadingLoop() = default;
    ~FadingLoop();
    FadingLoop(const FadingLoop&) = delete;
    FadingLoop& operator=(const FadingLoop&) = delete;

    // Starts the clip looping from silence; a loop already sounding is cut off first.
    void Start(std::shared_ptr<VelaEngine::Audio::AudioClip> clip);
    // Full loudness, before the master volume; the glide works in shares of it.
    void SetVolume(float volume);
    // The loudness glides from where it is to `target` (0 to 1) in `seconds`; 0 s jumps.
    void FadeTo(float target, float seconds);
    // Moves the glide on by `dt` seconds. Once faded to silence the loop stops and frees its
    // channel.
    void Update(float dt);
    void Stop();

    // Started, and not yet stopped or faded out.
    bool IsActive() const { return active_; }
    // Share of the full loudness now, 0 to 1.
    float GetGain() const { return gain_; }
    float GetTarget() const { return target_; }
    const std::shared_ptr<VelaEngine::Audio::AudioClip>& GetClip() const { return clip_; }

private:
    void ApplyVolume();

    std::shared_ptr<VelaEngine::Audio::AudioClip> clip_;
    float volume_ = 1.0f;
    float gain_ = 0.0f;
    float target_ = 0.0f;
    // Gain per second, always positive.
    float rate_ = 0.0f;
    bool active_ = false;
    // Heading for silence: the loop ends when it gets there.
    bool fadingOut_ = false;
};

}  // namespace Game
