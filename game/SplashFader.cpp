#include "game/SplashFader.h"

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/graphics/Image.h"
#include "engine/scene/FieldMap.h"

namespace Game {

using namespace VelaEngine;

void SplashFader::Deserialize(const FieldMap& fields) {
    fadeInStart = fields.Get("fadeInStart", 0.0f);
    fadeInEnd = fields.Get("fadeInEnd", 0.0f);
    fadeOutStart = fields.Get("fadeOutStart", 0.0f);
    fadeOutEnd = fields.Get("fadeOutEnd", 0.0f);
}

float SplashFader::LevelAt(float seconds) const {
    // Each ramp is only reached when it has a length, so an empty one never divides by zero.
    if (seconds < fadeInStart) {
        return 0.0f;
    }
    if (seconds < fadeInEnd) {
        return (seconds - fadeInStart) / (fadeInEnd - fadeInStart);
    }
    if (seconds < fadeOutStart) {
        return 1.0f;
    }
    if (seconds < fadeOutEnd) {
        return 1.0f - (seconds - fadeOutStart) / (fadeOutEnd - fadeOutStart);
    }
    return 0.0f;
}

void SplashFader::Update() {
    elapsed += Time::Get().GetDeltaTime();
    auto* image = GetOwner()->GetComponent<Graphics::Image>();
    if (image == nullptr) {
        return;
    }
    Graphics::Color tint = image->GetTint();
    tint.a = LevelAt(elapsed);
    image->SetTint(tint);
}

}  // namespace Game
