#include "game/MusicPlayer.h"

#include "engine/audio/AudioClip.h"
#include "engine/core/Time.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "engine/scene/SceneManager.h"
#include "game/SceneMusic.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void MusicPlayer::Deserialize(const FieldMap& fields) {
    track = fields.Get("track", track.c_str());
    volume = fields.Get("volume", volume);
    crossfade = fields.Get("crossfade", crossfade);
}

std::shared_ptr<Component> MusicPlayer::Clone(Entity* newOwner) const {
    auto copy = MakePacked<MusicPlayer>(newOwner);
    copy->track = track;
    copy->volume = volume;
    copy->crossfade = crossfade;
    return copy;
}

std::string MusicPlayer::WantedTrack() const {
    const SceneMusic* music = FindInScene<SceneMusic>();
    return music != nullptr && !music->track.empty() ? music->track : track;
}

void MusicPlayer::Update() {
    // The scene is asked only when another one starts: a walk of the whole tree every frame is
    // waste. A scene started again wants the same music, so its name is enough.
    const std::string& scene = SceneManagement::SceneManager::Get().GetCurrentSceneName();
    if (!started_ || scene != scene_) {
        started_ = true;
        scene_ = scene;
        const std::string wanted = WantedTrack();
        if (wanted != playing_) {
            CrossfadeTo(wanted);
        }
    }
    // Real time: slow motion must not drag the music's fades out.
    const float dt = Time::Get().GetUnscaledDeltaTime();
    current_->SetVolume(volume);
    current_->Update(dt);
    previous_->Update(dt);
}

void MusicPlayer::CrossfadeTo(const std::string& name) {
    // A third track cuts the oldest off: two at a time is enough for a crossfade.
    std::swap(current_, previous_);
    previous_->FadeTo(0.0f, crossfade);
    playing_ = name;
    current_->Stop();
    if (name.empty()) {
        return;
    }
    current_->Start(Resources::Get().GetMusic(name));
    current_->SetVolume(volume);
    current_->FadeTo(1.0f, crossfade);
}

}  // namespace Game
