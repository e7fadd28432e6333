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
// tinted by (tint r, g, b, tintW) with tint.a as transparency, placed by `world`.
void DrawMesh(const Mesh& mesh, const Sprite* sprite, const Color& tint, float tintW,
              const Matrix3x3& world);
// The same with a platform texture, or plain vertex colour when it is null.
void DrawTexturedMesh(const Mesh& mesh, EBGfxTexture* texture, const Color& tint, float tintW,
                      const Matrix3x3& world);

}  // namespace VelaEngine::Graphics
