#pragma once
// The textured rectangle every image and particle is drawn with.
#include "engine/graphics/Mesh.h"

namespace VelaEngine::Graphics {

// Texture coordinates of the quad's edges. v = 0 is the image's top row.
struct QuadCoordinates {
    float uLeft = 0.0f;
    float uRight = 1.0f;
    float vTop = 0.0f;
    float vBottom = 1.0f;
};

// Replaces the mesh with a width × height quad centred on the origin, as two triangles
// (bottom-left, bottom-right, top-left and bottom-right, top-right, top-left), and builds it.
void BuildQuad(Mesh& mesh, float width, float height, const QuadCoordinates& uv);

}  // namespace VelaEngine::Graphics
