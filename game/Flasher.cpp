#include "game/Flasher.h"

#include "engine/core/Random.h"
#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/graphics/Image.h"

namespace Game {

using namespace VelaEngine;

void Flasher::Update() {
    elapsed += Time::Get().GetDeltaTime();
    if (elapsed <= kInterval) {
        return;
    }
    elapsed = 0.0f;
    auto* image = GetOwner()->GetComponent<Graphics::Image>();
    if (image == nullptr) {
        return;
    }
    // Light colours only, so the picture stays readable while it flashes.
    Random& random = Random::Get();
    const float red = random.Range(0.5f, 1.0f);
    const float green = random.Range(0.5f, 1.0f);
    const float blue = random.Range(0.5f, 1.0f);
    image->SetTint(Graphics::Color(red, green, blue, 1.0f));
}

}  // namespace Game
