#pragma once
#include "engine/core/Singleton.h"

namespace VelaEngine::Audio {

// The sound system's set-up, channel pool and master volume.
class AudioManager : public Singleton<AudioManager> {
public:
    static constexpr const char* kServiceName = "AudioManager";
    void Init();
    void Update();
    void SetPaused(bool paused);
};

}  // namespace VelaEngine::Audio

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Audio::AudioManager)
