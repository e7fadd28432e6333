#include "game/Parallax.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Image.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/SceneManager.h"

namespace Game {

using namespace VelaEngine;

namespace {

// atof would take "0,5" or "slow" as 0 and freeze the layer without a word.
float NumberField(const FieldMap& fields, const char* name, float def) {
    std::string text;
    if (!fields.TryGet(name, text)) {
        return def;
    }
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    while (end != nullptr && (*end == ' ' || *end == '\t')) {
        ++end;
    }
    if (text.empty() || end == nullptr || *end != '\0' || !std::isfinite(value)) {
        Fail(std::string("Parallax ") + name + " \"" + text + "\" is not a number");
    }
    return value;
}

bool FlagField(const FieldMap& fields, const char* name, bool def) {
    std::string text;
    if (!fields.TryGet(name, text)) {
        return def;
    }
    if (text.empty() || (text[0] != 't' && text[0] != 'f')) {
        Fail(std::string("Parallax ") + name + " \"" + text + "\" is neither true nor false");
    }
    return text[0] == 't';
}

}  // namespace

LayerPlacement PlaceLayer(const Vector2& anchor, const Vector2& camera, float factor, float factorY,
                          float repeatWidth) {
    LayerPlacement placement;
    placement.position = {anchor.x, anchor.y - camera.y * factorY};
    const float along = camera.x * factor;
    if (repeatWidth > 0.0f) {
        // The camera moving right slides the picture left: later parts of it come in.
        const float turns = along / repeatWidth;
        placement.textureOffset = turns - std::floor(turns);
        if (!(placement.textureOffset < 1.0f)) {
            placement.textureOffset = 0.0f;
        }
    } else {
        placement.position.x -= along;
    }
    return placement;
}

void Parallax::Deserialize(const FieldMap& fields) {
    factor = NumberField(fields, "factor", 0.0f);
    factorY = NumberField(fields, "factorY", factor);
    repeatX = FlagField(fields, "repeatX", true);
    minY = NumberField(fields, "minY", -std::numeric_limits<float>::infinity());
    maxY = NumberField(fields, "maxY", std::numeric_limits<float>::infinity());
}

std::shared_ptr<Component> Parallax::Clone(Entity* newOwner) const {
    auto copy = MakePacked<Parallax>(newOwner);
    copy->factor = factor;
    copy->factorY = factorY;
    copy->repeatX = repeatX;
    copy->minY = minY;
    copy->maxY = maxY;
    // A copy of a layer already slid keeps the original's resting place.
    copy->anchor_ = anchor_;
    copy->anchored_ = anchored_;
    return copy;
}

void Parallax::Start() {
    if (!anchored_) {
        anchor_ = GetTransform()->GetPosition();
        anchored_ = true;
    }
}

void Parallax::Update() {
    Vector2 camera;
    if (Camera* found = FindCamera(SceneManagement::SceneManager::Get().GetCurrentScene())) {
        camera = found->GetTransform()->GetPosition();
    }
    Graphics::Image* picture = repeatX ? GetOwner()->GetComponent<Graphics::Image>() : nullptr;
    // The picture repeats every quad width as the layer shows on screen; mirrored, by a flip
    // or a negative scale, it has to slide the other way round.
    const float scaleX = GetTransform()->GetScale().x;
    const float repeatWidth = picture != nullptr ? picture->GetWidth() * std::fabs(scaleX) : 0.0f;
    LayerPlacement placement = PlaceLayer(anchor_, camera, factor, factorY, repeatWidth);
    placement.position.y = std::max(minY, std::min(maxY, placement.position.y));
    if (picture != nullptr) {
        const bool mirrored = picture->GetFlipX() != (scaleX < 0.0f);
        picture->SetTextureOffset(mirrored ? -placement.textureOffset : placement.textureOffset);
    }
    if (!(GetTransform()->GetPosition() == placement.position)) {
        GetTransform()->SetPosition(placement.position);
    }
}

}  // namespace Game
