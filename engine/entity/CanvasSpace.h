#pragma once
// How a canvas-like component tells the draw and click passes that its subtree is seen
// through the scene's camera. Nothing in the entity model implements it.

namespace VelaEngine {

class Matrix3x3;

class ICanvasSpace {
public:
    virtual ~ICanvasSpace() = default;
    // True when the subtree is in camera space; `cameraInverse` is then pushed for it.
    virtual bool GetCameraInverse(Matrix3x3& cameraInverse) = 0;
};

}  // namespace VelaEngine
