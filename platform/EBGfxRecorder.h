#pragma once
// A frame's GL commands, kept instead of run while the frame is drawn. When they equal the
// previous frame's, the picture on screen is already theirs: neither drawing nor the swap is
// needed. Anything else (a GPU object made or freed, pixels read, text or client arrays drawn)
// runs what was kept and draws the rest of the frame at once, as without the recorder.
#include <cstdint>
#include <vector>

namespace EBInternal {

enum class GlOp : int32_t {
    UseProgram,     // i0: program name
    Uniform1f,      // name, f0
    Uniform1i,      // name, i0
    Uniform2f,      // name, f0..f1
    Uniform4f,      // name, f0..f3
    UniformMatrix,  // name, f0..f15 column-major
    Viewport,       // i0..i3
    Clear,          // i0: mask
    ClearColor,     // f0..f3
    Blend,          // i0: blend mode 0, 1 or 2
    BindTexture,    // i0: texture name; i1: 1 to make unit 0 active and point uTexture at it
    TextureFilter,  // i0: GL filter for the bound texture
    DrawBuffers,    // i0..i2: buffer names; i3: count; spare: GL mode; f0: 1 colour, 2 texture
    CheckErrors,    // name: function; i0: line
};

struct GlCommand {
    const char* name = nullptr;  // a string literal: its address tells it apart
    GlOp op = GlOp::UseProgram;
    int32_t i[4] = {0, 0, 0, 0};
    int32_t spare = 0;
    float f[16] = {};
    bool operator==(const GlCommand&) const = default;
};

// Runs the command now, or keeps it for the frame's end while the frame is recorded.
void Emit(const GlCommand& command);
// Runs what the frame kept so far and draws the rest of it at once; the frame is then shown.
void DrawNow();
// The previous picture is no longer on screen (a new surface, a damaged window).
void ForgetShownFrame();
// Forgets everything of the frames, for a context that goes away.
void ResetFrameRecord();

// Called by the frame's start and end.
void BeginFrameRecord();
// True when the frame kept its commands and they equal the shown frame's: nothing to draw or
// swap. Otherwise runs what was kept and returns false.
bool EndFrameRecord();

// Frames swapped to the window since the program started.
unsigned FramesShown();
// Counts one swap.
void CountShownFrame();

// The commands of the latest frame that ended, drawn at once or not (text and client arrays
// drawn straight from memory are not among them).
const std::vector<GlCommand>& ShownCommands();
// While on, freed meshes and textures keep their GPU objects, so kept commands stay drawable
// later (a benchmark's replay); nothing else turns it on.
void KeepFreedObjects(bool keep);
bool KeepingFreedObjects();

// Runs the commands as one whole frame and swaps, whatever is on screen: what a bare program
// drawing the same picture does.
void DrawAndShow(const std::vector<GlCommand>& commands);

}  // namespace EBInternal
