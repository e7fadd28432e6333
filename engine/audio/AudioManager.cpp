#include "engine/audio/AudioManager.h"

namespace VelaEngine::Audio {

// No sound system is opened yet: the game is silent until the audio work lands.
void AudioManager::Init() {}
void AudioManager::Update() {}
void AudioManager::SetPaused(bool) {}

}  // namespace VelaEngine::Audio
