#pragma once
// Lets a button answer the pointer: hovered it brightens and grows a little, pressed it
// darkens back to its own size, optionally with pictures of its own for either look. It
// changes the entity's first Image and its scale only while a look other than the normal one
// shows, and gives back what it found when the look ends.
#include <memory>
#include <string>

#include "engine/entity/Component.h"
#include "engine/entity/Listener.h"
#include "engine/graphics/Color.h"
#include "engine/input/Button.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine::Graphics {
class Sprite;
}

namespace VelaEngine::UI {

class ButtonLook : public Component {
public:
    explicit ButtonLook(Entity* owner);

    const char* GetTypeName() const override { return "ButtonLook"; }
    // "hoverTint", "pressedTint" (multiply the image's tint), "hoverScale", "pressedScale"
    // (multiply the entity's scale), "hoverSprite", "pressedSprite" (optional pictures).
    void Deserialize(const FieldMap& fields) override;
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    // The look applied in the last update.
    PointerLook GetShownLook() const { return shown_; }

    Graphics::Color hoverTint{1.15f, 1.15f, 1.15f, 1.0f};
    Graphics::Color pressedTint{0.78f, 0.78f, 0.82f, 1.0f};
    // Never below 1: a shrinking look could leave the cursor outside and flicker.
    float hoverScale = 1.06f;
    float pressedScale = 1.0f;
    std::shared_ptr<Graphics::Sprite> hoverSprite;
    std::shared_ptr<Graphics::Sprite> pressedSprite;

private:
    void OnUpdate(const Events::EventBase& event);
    void Show(PointerLook look);

    Events::ClassListener<ButtonLook> updateListener_{this, &ButtonLook::OnUpdate};
    PointerLook shown_ = PointerLook::Normal;
    // What the entity looked like when the normal look last ended.
    Graphics::Color baseTint_;
    Vector2 baseScale_{1.0f, 1.0f};
    std::shared_ptr<Graphics::Sprite> baseSprite_;
};

}  // namespace VelaEngine::UI
