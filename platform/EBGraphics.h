#pragma once
// Graphics module of the platform library: an OpenGL 2.0 shader renderer.
#include <cstdint>

class Matrix4;

struct EBGfxVertexList {
    unsigned* buffers;  // three GL buffer names: positions, colours, texture coordinates
    unsigned count;
};

struct EBGfxTexture {
    unsigned* name;     // separately allocated cell holding the GL texture name
    char fileName[256];
};

// The four shader sources, exactly as compiled.
extern const char* const EBGfxColorVertexShaderSource;
extern const char* const EBGfxTextureVertexShaderSource;
extern const char* const EBGfxColorFragmentShaderSource;
extern const char* const EBGfxTextureFragmentShaderSource;

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

void EBGfxSetRenderMode(int mode);
int EBGfxGetRenderMode();
void EBGfxSetBlendMode(int mode);
void EBGfxSetTransparency(float alpha);
void EBGfxSetBlendColor(float r, float g, float b, float a);
void EBGfxSetTintColor(float r, float g, float b, float a);
void EBGfxSetPosition(float x, float y);
void EBGfxSetTransform(const float m[9]);
void EBGfxSetTransform3D(const Matrix4& m);

void EBGfxTriListInitialize(EBGfxVertexList** list);
void EBGfxVertexAdd(float x, float y, uint32_t color, float u, float v);
void EBGfxTriAdd(float x0, float y0, uint32_t c0, float u0, float v0, float x1, float y1,
                 uint32_t c1, float u1, float v1, float x2, float y2, uint32_t c2, float u2,
                 float v2);
EBGfxVertexList* EBGfxMeshEnd();
void EBGfxMeshDraw(EBGfxVertexList* list, unsigned mode);
void EBGfxMeshFree(EBGfxVertexList* list);

void EBGfxTextureInitialize(EBGfxTexture** texture);
EBGfxTexture* EBGfxTextureLoad(const char* path);
EBGfxTexture* EBGfxTextureLoadFromMemory(const unsigned char* rgba, int width, int height);
void EBGfxTextureSet(EBGfxTexture* texture, float u, float v);
void EBGfxSetTextureMode(int mode);
void EBGfxTextureUnload(EBGfxTexture* texture);
void EBGfxSaveTextureToFile(EBGfxTexture* texture, const char* fileName);

unsigned EBGfxCreateFont(const char* face, int height, bool bold, bool italic);
void EBGfxDestroyFont(unsigned base);
void EBGfxPrint(unsigned base, const char* format, int x, int y, float r, float g, float b, ...);

// Reads the picture drawn so far this frame (before the swap) as RGBA rows, top row first.
// Covers the whole window in physical pixels; returns false without a context.
bool EBGfxReadPixels(int x, int y, int width, int height, unsigned char* rgba);
