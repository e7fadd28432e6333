#pragma once

namespace Game {

// The level's one pause, driven alike by Escape, P and the options window's Resume button;
// losing the window's focus opens it too.
// While it holds, the game's time stands still (Time's pause flag), the "OptionsWindow" is in
// view and every sound channel is paused; resuming undoes all three, and the time spent paused
// does not count towards the level's time. Pausing twice or resuming twice changes nothing.
void PauseLevel();
void ResumeLevel();
void ToggleLevelPause();

}  // namespace Game
