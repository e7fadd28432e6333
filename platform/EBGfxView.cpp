#include <GL/glew.h>

#include <bit>
#include <cstdint>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxRecorder.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBMath.h"
#include "platform/EBSystemState.h"

using EBInternal::Graphics;
using EBInternal::System;

namespace {
// Depth terms of the orthographic box from 1 to 1000, stored exactly as these bits.
constexpr float kDepthScale = std::bit_cast<float>(uint32_t{0xBB033405u});   // -2/999
constexpr float kDepthOffset = std::bit_cast<float>(uint32_t{0xBF80419Au});  // -1001/999
constexpr float kEyeDistance = 60.0f;

void SendProjection(int width, int height) {
    const Matrix4 projection(2.0f / static_cast<float>(width), 0.0f, 0.0f, 0.0f,   //
                             0.0f, 2.0f / static_cast<float>(height), 0.0f, 0.0f,  //
                             0.0f, 0.0f, kDepthScale, kDepthOffset,                //
                             0.0f, 0.0f, 0.0f, 1.0f);
    EBInternal::UploadMatrix("uPMatrix", projection.Transposed().m);
}

void EmitCheck(int line) {
    EBInternal::GlCommand check;
    check.op = EBInternal::GlOp::CheckErrors;
    check.name = "SetProjectionAndViewMatrices";
    check.i[0] = line;
    EBInternal::Emit(check);
}

void SendView(float scaleX, float scaleY) {
    const EBInternal::GraphicsState& g = Graphics();
    Matrix4 view;
    view.LookAtRH(Point4(g.camX, g.camY, kEyeDistance, 1.0f), Point4(g.camX, g.camY, 0.0f, 1.0f),
                  Vector4(0.0f, 1.0f, 0.0f, 0.0f));
    Matrix4 scale;
    scale.Identity();
    scale.At(0, 0) = scaleX;
    scale.At(1, 1) = scaleY;
    EBInternal::UploadMatrix("uVMatrix", (scale * view).Transposed().m);
}
}  // namespace

namespace EBInternal {

void SetProjectionAndViewMatrices() {
    const EBPicturePlacement& p = System().placement;
    SendProjection(p.width, p.height);
    // The picture sits between the black bars; GL counts its rows from the bottom.
    GlCommand viewport;
    viewport.op = GlOp::Viewport;
    viewport.i[0] = p.offsetX;
    viewport.i[1] = p.surfaceHeight - p.offsetY - p.height;
    viewport.i[2] = p.width;
    viewport.i[3] = p.height;
    Emit(viewport);
    EmitCheck(2601);
    SendView(p.scaleX, p.scaleY);
    EmitCheck(2650);
}

void UpdateWindowBounds() {
    GraphicsState& g = Graphics();
    const float halfWidth = static_cast<float>(System().windowWidth) * 0.5f;
    const float halfHeight = static_cast<float>(System().windowHeight) * 0.5f;
    g.minX = g.camX - halfWidth;
    g.maxX = g.camX + halfWidth;
    g.minY = g.camY - halfHeight;
    g.maxY = g.camY + halfHeight;
}

}  // namespace EBInternal

float EBGfxGetWinMinX() {
    return Graphics().minX;
}
float EBGfxGetWinMaxX() {
    return Graphics().maxX;
}
float EBGfxGetWinMinY() {
    return Graphics().minY;
}
float EBGfxGetWinMaxY() {
    return Graphics().maxY;
}

void EBGfxSetCamPosition(float x, float y) {
    Graphics().camX = x;
    Graphics().camY = y;
    EBInternal::UpdateWindowBounds();
}

void EBGfxGetCamPosition(float& x, float& y) {
    x = Graphics().camX;
    y = Graphics().camY;
}
