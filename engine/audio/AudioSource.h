#pragma once
#include <memory>

#include "engine/entity/Component.h"
#include "engine/entity/Listener.h"

namespace VelaEngine::Audio {

class AudioClip;

// Plays one clip with its own volume and loop setting, from a scene file or from behaviour
// code. A sound it started plays on after the source is gone.
class AudioSource : public Component {
public:
    explicit AudioSource(Entity* owner);
    // Its sounds keep playing, at the volume they have.
    ~AudioSource() override;

    const char* GetTypeName() const override { return "AudioSource"; }
    // "volume", "loop", "playOnAwake" and "audioClip" (a sound resource name; when absent the
    // clip stays as it is). "stopOnDestroy" (default false) ends its sounds with it: for a
    // looping sound that belongs to one scene only.
    void Deserialize(const FieldMap& fields) override;
    // The same clip and play-on-awake flag; volume and loop start afresh.
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    void SetClip(std::shared_ptr<AudioClip> clip);
    // Sounds it already started follow at once.
    void SetVolume(float volume);
    // Once or looping on the first silent channel; without a clip or a silent channel,
    // nothing plays and nothing sounding is cut off.
    void Play();

    const std::shared_ptr<AudioClip>& GetClip() const { return clip_; }
    float GetVolume() const { return volume_; }
    bool IsLooping() const { return loop_; }
    bool PlaysOnAwake() const { return playOnAwake_; }
    bool StopsOnDestroy() const { return stopOnDestroy_; }

private:
    void OnAwake(const Events::EventBase& event);
    // Once at most, so a source read twice still plays once when its entity wakes.
    void ListenForAwake();

    float volume_ = 1.0f;
    bool loop_ = false;
    bool playOnAwake_ = false;
    bool stopOnDestroy_ = false;
    std::shared_ptr<AudioClip> clip_;
    Events::ClassListener<AudioSource> awakeListener_;
};

}  // namespace VelaEngine::Audio
