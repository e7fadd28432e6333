#include "game/GameFactory.h"

#include "engine/entity/Entity.h"
#include "game/AutoCannon.h"
#include "game/CameraShake.h"
#include "game/Cannon.h"
#include "game/ClickTinter.h"
#include "game/CoolTurn.h"
#include "game/CreditsScroller.h"
#include "game/DestroyAfter.h"
#include "game/DontDestroyOnLoad.h"
#include "game/EscapeBack.h"
#include "game/Flasher.h"
#include "game/FollowCursor.h"
#include "game/FollowPlane.h"
#include "game/FullScreenKey.h"
#include "game/FullscreenToggler.h"
#include "game/GameManager.h"
#include "game/GameWin.h"
#include "game/Ghost.h"
#include "game/GhostToggler.h"
#include "game/HazardWind.h"
#include "game/Jiggle.h"
#include "game/LevelHud.h"
#include "game/LevelProgress.h"
#include "game/LevelSelect.h"
#include "game/LinkPlay.h"
#include "game/LockedLevel.h"
#include "game/MoveEntity.h"
#include "game/MusicPlayer.h"
#include "game/Parallax.h"
#include "game/Patrol.h"
#include "game/Pendulum.h"
#include "game/PlaneRotator.h"
#include "game/PlaneSkinSelect.h"
#include "game/QuitGame.h"
#include "game/RescueCue.h"
#include "game/ResetData.h"
#include "game/ResumeGame.h"
#include "game/SceneMusic.h"
#include "game/SkinCaption.h"
#include "game/SoundFalloff.h"
#include "game/SplashFader.h"
#include "game/SplashScript.h"
#include "game/StarFound.h"
#include "game/ThrowFarAway.h"
#include "game/TimeScale.h"
#include "game/VolumeChanger.h"
#include "game/Wind.h"

namespace Game {

using VelaEngine::Component;
using VelaEngine::Entity;

namespace {

template <class T>
Component* Make(Entity& owner) {
    return owner.AddComponent<T>();
}

struct Maker {
    const char* name;
    Component* (*make)(Entity& owner);
};

// Compared in this order.
constexpr Maker kMakers[] = {
    {"CoolTurn", Make<CoolTurn>},
    {"FollowCursor", Make<FollowCursor>},
    {"Wind", Make<Wind>},
    {"ClickTinter", Make<ClickTinter>},
    {"TimeScale", Make<TimeScale>},
    {"PlaneRotator", Make<PlaneRotator>},
    {"FollowPlane", Make<FollowPlane>},
    {"LinkPlay", Make<LinkPlay>},
    {"SplashScript", Make<SplashScript>},
    {"SplashFader", Make<SplashFader>},
    {"GameWin", Make<GameWin>},
    {"GameManager", Make<GameManager>},
    {"DontDestroyOnLoad", Make<DontDestroyOnLoad>},
    {"HazardWind", Make<HazardWind>},
    {"Patrol", Make<Patrol>},
    {"Cannon", Make<Cannon>},
    {"VolumeChanger", Make<VolumeChanger>},
    {"FullscreenToggler", Make<FullscreenToggler>},
    {"FullScreenKey", Make<FullScreenKey>},
    {"Pendulum", Make<Pendulum>},
    {"QuitGame", Make<QuitGame>},
    {"LevelSelect", Make<LevelSelect>},
    {"ResetData", Make<ResetData>},
    {"PlaneSkinSelect", Make<PlaneSkinSelect>},
    {"ThrowFarAway", Make<ThrowFarAway>},
    {"DestroyAfter", Make<DestroyAfter>},
    {"Jiggle", Make<Jiggle>},
    {"AutoCannon", Make<AutoCannon>},
    {"MoveEntity", Make<MoveEntity>},
    {"StarFound", Make<StarFound>},
    {"CreditsScroller", Make<CreditsScroller>},
    {"EscapeBack", Make<EscapeBack>},
    {"Flasher", Make<Flasher>},
    {"ResumeGame", Make<ResumeGame>},
    {"Parallax", Make<Parallax>},
    {"LevelHud", Make<LevelHud>},
    {"LevelProgress", Make<LevelProgress>},
    {"LockedLevel", Make<LockedLevel>},
    {"SkinCaption", Make<SkinCaption>},
    {"MusicPlayer", Make<MusicPlayer>},
    {"SceneMusic", Make<SceneMusic>},
    {"SoundFalloff", Make<SoundFalloff>},
    {"RescueCue", Make<RescueCue>},
    {"CameraShake", Make<CameraShake>},
    {"Ghost", Make<Ghost>},
    {"GhostToggler", Make<GhostToggler>},
};

}  // namespace

Component* CreateGameComponent(const std::string& typeName, Entity& owner) {
    for (const Maker& maker : kMakers) {
        if (typeName == maker.name) {
            return maker.make(owner);
        }
    }
    return nullptr;
}

}  // namespace Game
