#pragma once
// The saved values the game reads back, each checked against what the game can use. A bad
// one is logged once, naming the record file, the key and the value, and dropped from the
// records: its default holds for the rest of the run and the next save leaves it out.
#include <optional>
#include <string>

namespace Game {

// "planeSkin": a skin whose picture exists, else 1.
int SavedPlaneSkin();
// Whether the plane picture of that skin is among the assets.
bool SkinPictureExists(int skin);
// "highestLevelUnlocked": at least 1, since level 1 is always open; 1 when absent.
int SavedHighestLevelUnlocked();
// "volume": 0 to 1, else 0.5.
float SavedVolume();
// "shortestTime": a positive number of seconds, or 0 when there is no best time yet.
float SavedShortestTime();
// "bestTime" + level: the level's best flight in seconds, positive, or 0 when there is none.
float SavedBestTime(int level);
std::string BestTimeKey(int level);
// "foundstar" + id (level, "_", star number): whether that star was found, else false.
bool SavedStarFound(const std::string& id);
// "fullScreen": the full-screen choice last made in the options; none before the first choice
// (the start-up value stands).
std::optional<bool> SavedFullScreen();
// "ghost": whether levels show the ghost of their best flight; on until switched off.
bool SavedGhostOn();

}  // namespace Game
