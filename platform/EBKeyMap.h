#pragma once
// SDL keys and buttons written as Win32 virtual-key codes, the index of the key snapshots.
#include "platform/EBInput.h"

// The virtual-key code of an SDL keycode, or 0 for a key that has none.
unsigned char EBVirtualKeyFromKeycode(int sdlKeycode);

// Fills the 256 key bytes from the keyboard and mouse state (bit 7 = down), and the cursor
// in client pixels.
void EBReadInputDevices(EBInputSnapshot& snapshot);
