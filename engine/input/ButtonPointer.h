#pragma once
// The pointer's hold on buttons between frames: which one is under the cursor and which one
// took the press that the left button still holds. Buttons are named by serial.

namespace VelaEngine::UI {

// A serial no other button has had in this run.
unsigned NextButtonSerial();
// The button took this frame's click.
void NotePress(unsigned serial);
bool IsHoveredSerial(unsigned serial);
bool IsPressedSerial(unsigned serial);

}  // namespace VelaEngine::UI
