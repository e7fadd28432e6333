#pragma once
// Decides how its subtree is placed: in screen pixels, or seen through the scene's camera.
#include <cstdint>
#include <memory>

#include "engine/entity/CanvasSpace.h"
#include "engine/entity/Component.h"

namespace VelaEngine::Graphics {

class Canvas : public Component, public ICanvasSpace {
public:
    static constexpr int32_t kScreenSpace = 0;
    static constexpr int32_t kCameraSpace = 1;

    using Component::Component;

    const char* GetTypeName() const override { return "Canvas"; }
    // "renderMode": exactly "ScreenSpace" is screen space; any other text, or none, is camera
    // space.
    void Deserialize(const FieldMap& fields) override;
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    // In camera space: the inverse of the current scene's camera placement. A scene without a
    // camera views camera space as screen space, so nothing is pushed then.
    bool GetCameraInverse(Matrix3x3& cameraInverse) override;

    int32_t GetRenderMode() const { return renderMode_; }
    void SetRenderMode(int32_t mode) { renderMode_ = mode; }

private:
    int32_t renderMode_ = kCameraSpace;
};

}  // namespace VelaEngine::Graphics
