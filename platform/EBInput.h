#pragma once
// Keyboard and mouse snapshots indexed by Win32 virtual-key codes (bit 7 = down).

int EBInputInit();
void EBInputReset();
void EBInputUpdate();
bool EBInputCheckCurr(unsigned char key);
bool EBInputCheckPrev(unsigned char key);
bool EBInputCheckTriggered(unsigned char key);
bool EBInputCheckReleased(unsigned char key);
// Client position divided by the cursor scales (after the black bars), truncated toward zero.
void EBInputGetCursorPosition(int& x, int& y);
void EBInputGetCursorPositionDelta(int& x, int& y);
int EBInputShowCursor(int flag);

// What one update reads: the 256 key bytes and the cursor in physical client pixels.
// `pressed` marks keys that went down since the last update, even if they are up again, so a
// press and release between two updates still reads as pressed (and held) for one update.
struct EBInputSnapshot {
    unsigned char keys[256];
    unsigned char pressed[256];
    int cursorX;
    int cursorY;
};
// Replaces the device read of EBInputUpdate (scripted runs); null restores the devices.
// The source is handed all keys up and the cursor where it last was.
using EBInputSource = void (*)(EBInputSnapshot& snapshot);
void EBInputSetSource(EBInputSource source);
