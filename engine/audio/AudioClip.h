#pragma once
#include <string>

#include "engine/scene/IResource.h"
#include "platform/EBSound.h"

namespace VelaEngine::Audio {

// One sound file decoded whole into memory. A file that cannot be loaded is reported once in
// the log and leaves the clip silent: playing it does nothing.
class AudioClip : public IResource {
public:
    // Music decodes on a thread of its own, so the frame that asks for it is not held up; a
    // play asked for meanwhile starts when it is ready.
    enum class Decoding { Whole, InBackground };
    // Needs the AudioManager, whose sound system decodes the file.
    explicit AudioClip(const std::string& path, Decoding decoding = Decoding::Whole);
    ~AudioClip() override;
    AudioClip(const AudioClip&) = delete;
    AudioClip& operator=(const AudioClip&) = delete;

    // Decodes the file again into this clip, for sounds played from now on; what plays the
    // old sound stops. False (and the old sound kept) when the file cannot be decoded now.
    bool Reload();
    // Null for a silent clip.
    EBSound* GetSound() const { return sound_; }
    // The file it was made from, silent or not.
    const std::string& GetPath() const { return path_; }

private:
    EBSound* sound_ = nullptr;
    std::string path_;
    unsigned mode_ = EB_SOUND_CREATESAMPLE;
};

}  // namespace VelaEngine::Audio
