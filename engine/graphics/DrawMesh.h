#pragma once
// The draw steps shared by images and particles.

struct EBGfxTexture;

namespace VelaEngine {
class Matrix3x3;
}

namespace VelaEngine::Graphics {

class Color;
class Mesh;
class Sprite;

// Draws the mesh's triangles textured by the sprite, or in plain vertex colour without one,
// tinted by (tint r, g, b, tintW) with tint.a as transparency, placed by `world`. The texture
// is sampled `offsetU` of its width further right (0 to 1, wrapping at its edge).
void DrawMesh(const Mesh& mesh, const Sprite* sprite, const Color& tint, float tintW,
              const Matrix3x3& world, float offsetU = 0.0f);
// The same with a platform texture, or plain vertex colour when it is null.
void DrawTexturedMesh(const Mesh& mesh, EBGfxTexture* texture, const Color& tint, float tintW,
                      const Matrix3x3& world, float offsetU = 0.0f);

}  // namespace VelaEngine::Graphics
