#include "engine/input/ButtonLook.h"

#include <string>

#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Sprite.h"
#include "engine/scene/AssetCache.h"
#include "engine/scene/FieldMap.h"

namespace VelaEngine::UI {

namespace {
Graphics::Color Times(const Graphics::Color& a, const Graphics::Color& b) {
    return Graphics::Color(a.r * b.r, a.g * b.g, a.b * b.b, a.a * b.a);
}

std::shared_ptr<Graphics::Sprite> OptionalSprite(const FieldMap& fields, const char* name) {
    std::string sprite;
    if (!fields.TryGet(name, sprite) || sprite.empty()) {
        return nullptr;
    }
    return CachedSprite(sprite);
}
}  // namespace

ButtonLook::ButtonLook(Entity* owner) : Component(owner) {
    owner->GetUpdateListeners().Register(updateListener_);
}

void ButtonLook::Deserialize(const FieldMap& fields) {
    hoverTint = fields.Get("hoverTint", hoverTint);
    pressedTint = fields.Get("pressedTint", pressedTint);
    hoverScale = fields.Get("hoverScale", hoverScale);
    pressedScale = fields.Get("pressedScale", pressedScale);
    hoverSprite = OptionalSprite(fields, "hoverSprite");
    pressedSprite = OptionalSprite(fields, "pressedSprite");
}

std::shared_ptr<Component> ButtonLook::Clone(Entity* newOwner) const {
    auto copy = MakePacked<ButtonLook>(newOwner);
    copy->hoverTint = hoverTint;
    copy->pressedTint = pressedTint;
    copy->hoverScale = hoverScale;
    copy->pressedScale = pressedScale;
    copy->hoverSprite = hoverSprite;
    copy->pressedSprite = pressedSprite;
    return copy;
}

void ButtonLook::OnUpdate(const Events::EventBase&) {
    const Button* button = GetOwner()->GetComponent<Button>();
    const PointerLook look = button != nullptr ? button->GetPointerLook() : PointerLook::Normal;
    if (look != shown_) {
        Show(look);
    }
}

void ButtonLook::Show(PointerLook look) {
    Graphics::Image* image = GetOwner()->GetComponent<Graphics::Image>();
    Transform& transform = GetOwner()->GetTransform();
    // Others may have changed the picture or the size meanwhile (the full-screen toggle
    // does): the normal look is whatever the entity shows when the pointer arrives.
    if (shown_ == PointerLook::Normal) {
        baseScale_ = transform.GetScale();
        if (image != nullptr) {
            baseTint_ = image->GetTint();
            baseSprite_ = image->GetSprite();
        }
    }
    shown_ = look;
    float scale = 1.0f;
    Graphics::Color tint;
    std::shared_ptr<Graphics::Sprite> sprite;
    if (look == PointerLook::Hovered) {
        scale = hoverScale;
        tint = hoverTint;
        sprite = hoverSprite;
    } else if (look == PointerLook::Pressed) {
        scale = pressedScale;
        tint = pressedTint;
        sprite = pressedSprite;
    }
    transform.SetScale(Vector2(baseScale_.x * scale, baseScale_.y * scale));
    if (image == nullptr) {
        return;
    }
    image->SetTint(Times(baseTint_, tint));
    // Without pictures of its own the look never touches the one shown.
    if (hoverSprite != nullptr || pressedSprite != nullptr) {
        image->SetSprite(sprite != nullptr ? sprite : baseSprite_);
    }
}

}  // namespace VelaEngine::UI
