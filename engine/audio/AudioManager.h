#pragma once
#include <vector>

#include "engine/core/Singleton.h"
#include "platform/EBSound.h"

namespace VelaEngine::Audio {

class AudioClip;

// One channel of the pool and what the engine knows of the sound it last started there.
struct ChannelSlot {
    EBSoundChannel* channel = nullptr;
    // Identity of the source that started the sound, never dereferenced; cleared when that
    // source goes away so a later object at the same address is not mistaken for it.
    const void* owner = nullptr;
    // The starting source's own volume, held here so no slot ever reads a source.
    float sourceVolume = 1.0f;
};

// The sound system's set-up, channel pool and master volume. Without an audio device the
// manager has no slots and every sound is silently dropped.
class AudioManager : public Singleton<AudioManager> {
public:
    static constexpr const char* kServiceName = "AudioManager";
    static constexpr int kChannelCount = 36;

    AudioManager() = default;
    ~AudioManager() override;
    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

    void Init();
    void Update();

    const float& GetVolume() const { return volume_; }
    // Kept within 0..1; sounding channels follow at once.
    void SetVolume(float volume);
    void SetPaused(bool paused);

    // Starts the clip in the first slot whose channel is silent, at master × volume. Returns
    // the slot index, or -1 when the clip holds no sound or every channel is busy (nothing
    // sounding is interrupted).
    int Play(const AudioClip& clip, float volume, bool loop, const void* owner);
    // Keeps the sounds an owner started in step with its new volume.
    void SetOwnerVolume(const void* owner, float volume);
    // The owner is going away; its sounds play on at the volume they had.
    void ForgetOwner(const void* owner);
    // Ends every sound the owner started; a looping sound would otherwise never end.
    void StopOwner(const void* owner);
    // Whether any sound the owner started is still sounding (paused counts).
    bool IsOwnerPlaying(const void* owner) const;

    const std::vector<ChannelSlot>& GetSlots() const { return slots_; }
    // Null on a machine without sound.
    EBSoundSystem* GetSystem() const { return system_; }

private:
    int FindFreeSlot() const;
    void ApplySlotVolume(const ChannelSlot& slot) const;

    std::vector<ChannelSlot> slots_;
    float volume_ = 1.0f;
    EBSoundSystem* system_ = nullptr;
};

}  // namespace VelaEngine::Audio

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Audio::AudioManager)
