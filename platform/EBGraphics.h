#pragma once
// Graphics module of the platform library: an OpenGL 2.0 shader renderer.
#include <cstdint>

class Matrix4;

struct EBGfxVertexList {
    unsigned* buffers;  // three GL buffer names: positions, colours, texture coordinates
    unsigned count;
};

struct EBGfxTexture {
    unsigned* name;  // separately allocated cell holding the GL texture name
    char fileName[256];
};

// The four shader sources, exactly as compiled.
extern const char* const EBGfxColorVertexShaderSource;
extern const char* const EBGfxTextureVertexShaderSource;
extern const char* const EBGfxColorFragmentShaderSource;
extern const char* const EBGfxTextureFragmentShaderSource;

// Creates the context in the library's window; 1 on success, 0 without a context.
int EBGfxInit(int width, int height);
void EBGfxReset();
void EBGfxStart();
void EBGfxEnd();
void EBGfxExit();
void EBGfxSetBackgroundColor(float r, float g, float b);
float EBGfxGetWinMinX();
float EBGfxGetWinMaxX();
float EBGfxGetWinMinY();
float EBGfxGetWinMaxY();
void EBGfxSetCamPosition(float x, float y);
void EBGfxGetCamPosition(float& x, float& y);

// 0: nothing is drawn; 1: vertex colours; 2: textures. Switching to 1 or 2 sends the
// projection and view, so a camera move shows from the next switch on.
void EBGfxSetRenderMode(int mode);
int EBGfxGetRenderMode();
// 0: opaque; 1: by source alpha; 2: additive.
void EBGfxSetBlendMode(int mode);
void EBGfxSetTransparency(float alpha);
void EBGfxSetBlendColor(float r, float g, float b, float a);
void EBGfxSetTintColor(float r, float g, float b, float a);
void EBGfxSetPosition(float x, float y);
void EBGfxSetTransform(const float m[9]);
void EBGfxSetTransform3D(const Matrix4& m);

// The staging buffer grows as needed; EBGfxMeshEnd turns it into three GPU buffers.
void EBGfxTriListInitialize(EBGfxVertexList** list);
void EBGfxVertexAdd(float x, float y, uint32_t color, float u, float v);
void EBGfxTriAdd(float x0, float y0, uint32_t c0, float u0, float v0, float x1, float y1,
                 uint32_t c1, float u1, float v1, float x2, float y2, uint32_t c2, float u2,
                 float v2);
EBGfxVertexList* EBGfxMeshEnd();
// Modes: 0 points, 1 lines, 2 line strip, 3 triangles.
void EBGfxMeshDraw(EBGfxVertexList* list, unsigned mode);
void EBGfxMeshFree(EBGfxVertexList* list);

void EBGfxTextureInitialize(EBGfxTexture** texture);
// A PNG file, rows top first (v = 0 is the top edge). Null for a path of more than 255
// characters, a file that is no whole PNG (one cut short included) or cannot be decoded, and a
// picture wider or taller than the GL takes (at most 8192 pixels a side).
EBGfxTexture* EBGfxTextureLoad(const char* path);
// Whether EBGfxTextureLoad would take the file as far as its structure tells (signature, size,
// chunks that end inside it), without decoding it.
bool EBGfxTextureFileUsable(const char* path);
EBGfxTexture* EBGfxTextureLoadFromMemory(const unsigned char* rgba, int width, int height);
void EBGfxTextureSet(EBGfxTexture* texture, float u, float v);
// The offset sent for a texture: whole turns above 1 removed, negative offsets kept, and 0
// for one that is not a finite number.
float EBGfxReduceTextureOffset(float offset);
void EBGfxSetTextureMode(int mode);
void EBGfxTextureUnload(EBGfxTexture* texture);
void EBGfxSaveTextureToFile(EBGfxTexture* texture, const char* fileName);

// Text in the game's one face (the face name is not looked up); 0 when it cannot be opened.
unsigned EBGfxCreateFont(const char* face, int height, bool bold, bool italic);
// A face read from a TrueType file at a pixel height; 0 when the file cannot be opened.
// Released by EBGfxDestroyFont or with the graphics.
unsigned EBGfxFontOpen(const char* path, int pixelHeight);
void EBGfxDestroyFont(unsigned base);
// One line of UTF-8 text, white over transparency, as a texture of exactly its size (width
// and height written out); null for an empty text, an unknown font or without a context.
EBGfxTexture* EBGfxTextTexture(unsigned font, const char* utf8, int* width, int* height);
// Formats at most 255 characters and draws them with the baseline starting at world (x, y).
void EBGfxPrint(unsigned base, const char* format, int x, int y, float r, float g, float b, ...)
    __attribute__((format(printf, 2, 8)));

// Immediate primitives, drawn at once from client memory in colour mode only. Colours are
// packed 0xAARRGGBB.
void EBGfxPoint(float x, float y, float z, uint32_t color);
void EBGfxLine(float x0, float y0, float z0, float r0, float g0, float b0, float a0, float x1,
               float y1, float z1, float r1, float g1, float b1, float a1);
void EBGfxTri(float x0, float y0, float z0, uint32_t c0, float x1, float y1, float z1, uint32_t c1,
              float x2, float y2, float z2, uint32_t c2);
void EBGfxQuad(float x0, float y0, float z0, uint32_t c0, float x1, float y1, float z1, uint32_t c1,
               float x2, float y2, float z2, uint32_t c2, float x3, float y3, float z3,
               uint32_t c3);
// The edges of an axis-aligned box centred on (x, y, z).
void EBGfxBox(float x, float y, float z, float sizeX, float sizeY, float sizeZ, uint32_t color);
// Latitude rings from colour 1 at the bottom to colour 2 at the top; 4 to 32 segments.
void EBGfxSphere(float x, float y, float z, float radius, uint32_t color1, uint32_t color2,
                 int segments);
void EBGfxAxis(float size);
// Per channel, t clamped to 0..1.
uint32_t EBGfxColInterp(uint32_t color0, uint32_t color1, float t);

// On (the default), a frame whose GL commands equal those of the picture on screen is neither
// drawn nor swapped: the window keeps showing that picture. Off, every frame draws and swaps.
void EBGfxSetSkipUnchangedFrames(bool skip);

// Reads the picture drawn so far this frame (before the swap) as RGBA rows, top row first.
// (x, y) counts physical pixels from the surface's top-left corner (the screen's in full
// screen); returns false without a context.
bool EBGfxReadPixels(int x, int y, int width, int height, unsigned char* rgba);
