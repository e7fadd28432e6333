#pragma once
#include <memory>
#include <string>

#include "engine/entity/VelaBehavior.h"
#include "game/FadingLoop.h"

namespace Game {

// The game's music, on an entity that lives through scene changes: when a scene starts that
// names other music (SceneMusic), the old track fades out while the new one fades in. Scenes
// that name none play "track", the menus' music.
class MusicPlayer : public VelaEngine::VelaBehavior {
public:
    explicit MusicPlayer(VelaEngine::Entity* owner) : VelaBehavior(owner) {}

    const char* GetTypeName() const override { return "MusicPlayer"; }
    // "track" (a sound resource name), "volume" (default 0.6) and "crossfade" (seconds,
    // default 1.5).
    void Deserialize(const VelaEngine::FieldMap& fields) override;
    std::shared_ptr<VelaEngine::Component> Clone(VelaEngine::Entity* newOwner) const override;
    void Update() override;

    // The track the current scene asks for.
    std::string WantedTrack() const;
    // The track fading in or playing, empty before the first frame.
    const std::string& GetPlaying() const { return playing_; }
    const FadingLoop& Current() const { return *current_; }
    const FadingLoop& Previous() const { return *previous_; }

    std::string track;
    float volume = 0.6f;
    float crossfade = 1.5f;

private:
    void CrossfadeTo(const std::string& name);

    std::string scene_;
    bool started_ = false;
    std::string playing_;
    std::unique_ptr<FadingLoop> current_ = std::make_unique<FadingLoop>();
    std::unique_ptr<FadingLoop> previous_ = std::make_unique<FadingLoop>();
};

}  // namespace Game
