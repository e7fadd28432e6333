#include "engine/graphics/DrawMesh.h"

#include "engine/entity/Matrix3x3.h"
#include "engine/graphics/Color.h"
#include "engine/graphics/Mesh.h"
#include "engine/graphics/Sprite.h"
#include "platform/EBGraphics.h"

namespace VelaEngine::Graphics {

namespace {
constexpr int kColourMode = 1;
constexpr int kTextureMode = 2;
}  // namespace

void DrawMesh(const Mesh& mesh, const Sprite* sprite, const Color& tint, float tintW,
              const Matrix3x3& world, float offsetU) {
    // Blending by opacity leaves every pixel as it was under a fully transparent quad, so its
    // picture need not be decoded yet.
    if (tint.a == 0.0f) {
        return;
    }
    DrawTexturedMesh(mesh, sprite != nullptr ? sprite->GetTexture() : nullptr, tint, tintW, world,
                     offsetU);
}

void DrawTexturedMesh(const Mesh& mesh, EBGfxTexture* texture, const Color& tint, float tintW,
                      const Matrix3x3& world, float offsetU) {
    if (tint.a == 0.0f) {
        return;
    }
    if (texture != nullptr) {
        EBGfxSetRenderMode(kTextureMode);
        EBGfxTextureSet(texture, offsetU, 0.0f);
    } else {
        EBGfxSetRenderMode(kColourMode);
    }
    EBGfxSetPosition(0.0f, 0.0f);
    EBGfxSetTintColor(tint.r, tint.g, tint.b, tintW);
    EBGfxSetTransparency(tint.a);
    const float rows[9] = {world.m[0][0], world.m[0][1], world.m[0][2],
                           world.m[1][0], world.m[1][1], world.m[1][2],
                           world.m[2][0], world.m[2][1], world.m[2][2]};
    EBGfxSetTransform(rows);
    mesh.Draw();
}

}  // namespace VelaEngine::Graphics
