#pragma once
// Module state of the graphics part, shared by its files (never by the engine).
#include <cstdint>
#include <vector>

namespace EBInternal {

// One staged vertex, as EBGfxVertexAdd and EBGfxTriAdd append it.
struct StagingVertex {
    float x;
    float y;
    float z;
    uint32_t color;  // 0xAARRGGBB
    float u;
    float v;
};
static_assert(sizeof(StagingVertex) == 24);

constexpr unsigned kInitialStagingVertices = 24576;

struct GraphicsState {
    void* context = nullptr;  // the SDL GL context
    bool ready = false;       // context current and entry points loaded
    // Built by the first switch to a program: a first frame that draws nothing waits for no
    // shader compiler.
    bool programsBuilt = false;
    unsigned programs[3] = {0, 0, 0};
    int currentSlot = 0;
    float camX = 0.0f;
    float camY = 0.0f;
    float minX = 0.0f;
    float maxX = 0.0f;
    float minY = 0.0f;
    float maxY = 0.0f;
    float positionWorld[16] = {};
    float transformWorld[16] = {};
    float transform3DWorld[16] = {};
    // Grows past its initial size instead of overflowing.
    std::vector<StagingVertex> staging;
};

GraphicsState& Graphics();

// Locations in the current slot's program; -1 when no program is in use.
int UniformLocation(const char* name);
int AttributeLocation(const char* name);
void UploadMatrix(const char* name, const float columnMajor[16]);

void BuildPrograms();
// Builds the programs if they are not yet, both untinted and opaque; the program in use and
// the current slot stay as they were.
void EnsurePrograms();
void DestroyPrograms();
// Stops using any program, so the next mode switch sends projection and view again.
void ReleaseProgram();
void SetProjectionAndViewMatrices();
void UpdateWindowBounds();

// Draws straight from client memory: 3 floats a position, 4 a colour, 2 a coordinate.
void DrawClientArrays(unsigned glMode, const float* positions, const float* colors,
                      const float* coordinates, int count);

void CloseFonts();
// Releases programs, fonts and the context; the window stays.
void ShutDownGraphics();

}  // namespace EBInternal
