#include "engine/audio/AudioClip.h"

#include "engine/audio/AudioManager.h"
#include "engine/core/RegularFile.h"
#include "engine/core/VEDebug.h"

namespace VelaEngine::Audio {

namespace {
void ReportFailure(const std::string& path, const std::string& reason) {
    Log("Failed to load AudioClip: " + path + " (" + reason + ")");
}
}  // namespace

AudioClip::AudioClip(const std::string& path, Decoding decoding)
    : path_(path),
      mode_(decoding == Decoding::InBackground ? EB_SOUND_CREATESAMPLE | EB_SOUND_NONBLOCKING
                                               : EB_SOUND_CREATESAMPLE) {
    EBSoundSystem* system = AudioManager::Get().GetSystem();
    if (system == nullptr) {
        // Nothing can be decoded without a device, but a missing file is still worth telling;
        // the file is not opened, since a pipe would wait for a writer.
        if (!IsRegularFile(path)) {
            ReportFailure(path, "missing or not a regular file");
        }
        return;
    }
    if (EBSoundSystemCreateSound(system, path.c_str(), mode_, &sound_) != EBSoundResult::Ok) {
        ReportFailure(path, EBSoundGetLastError());
    }
}

bool AudioClip::Reload() {
    EBSoundSystem* system = AudioManager::Get().GetSystem();
    if (system == nullptr) {
        return IsRegularFile(path_);
    }
    EBSound* fresh = nullptr;
    if (!IsRegularFile(path_) ||
        EBSoundSystemCreateSound(system, path_.c_str(), mode_, &fresh) != EBSoundResult::Ok) {
        return false;
    }
    if (sound_ != nullptr) {
        EBSoundRelease(sound_);
    }
    sound_ = fresh;
    return true;
}

AudioClip::~AudioClip() {
    if (sound_ != nullptr) {
        EBSoundRelease(sound_);
    }
}

}  // namespace VelaEngine::Audio
