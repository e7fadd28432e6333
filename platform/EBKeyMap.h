#pragma once
// SDL keys and buttons written as Win32 virtual-key codes, the index of the key snapshots.
#include "platform/EBInput.h"

// The virtual-key code of an SDL keycode, or 0 for a key that has none.
unsigned char EBVirtualKeyFromKeycode(int sdlKeycode);

union SDL_Event;

// Fills the 256 key bytes from the keyboard and mouse state (bit 7 = down), the cursor in
// client pixels, and the presses latched from events since the last read.
void EBReadInputDevices(EBInputSnapshot& snapshot);

// Remembers a key or button that the event went down, so that a press released before the
// next read is still seen. Key repeats are not presses.
void EBLatchInputEvent(const SDL_Event& event);
void EBDropLatchedPresses();
