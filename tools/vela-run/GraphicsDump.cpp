#include "engine/graphics/AnimatedImage.h"
#include "engine/graphics/Canvas.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/Text.h"
#include "engine/input/Button.h"
#include "engine/input/ButtonLook.h"
#include "tools/vela-run/ComponentDump.h"
#include "tools/vela-run/DumpFields.h"

namespace VelaRun {

namespace {
using namespace VelaEngine::Graphics;

const char* LookName(VelaEngine::UI::PointerLook look) {
    switch (look) {
        case VelaEngine::UI::PointerLook::Hovered:
            return "hovered";
        case VelaEngine::UI::PointerLook::Pressed:
            return "pressed";
        case VelaEngine::UI::PointerLook::Normal:
            break;
    }
    return "normal";
}

void ColorField(JsonWriter& json, const char* key, const Color& colour) {
    json.Key(key);
    json.BeginArray();
    json.Number(colour.r);
    json.Number(colour.g);
    json.Number(colour.b);
    json.Number(colour.a);
    json.EndArray();
}

void DumpText(const Text& text, JsonWriter& json) {
    json.Key("text");
    json.String(text.GetText());
    json.Key("font");
    json.String(text.GetFont());
    NumberField(json, "size", text.GetSize());
    ColorField(json, "color", text.GetColor());
    ColorField(json, "shadow", text.GetShadow());
    json.Key("align");
    json.String(Text::AlignName(text.GetAlign()));
}

void DumpImage(const Image& image, JsonWriter& json) {
    json.Key("sprite");
    if (image.GetSprite() != nullptr) {
        json.String(image.GetSprite()->GetPath());
    } else {
        json.Null();
    }
    NumberField(json, "w", image.GetWidth());
    NumberField(json, "h", image.GetHeight());
    const Color& tint = image.GetTint();
    json.Key("tint");
    json.BeginArray();
    json.Number(tint.r);
    json.Number(tint.g);
    json.Number(tint.b);
    json.Number(tint.a);
    json.EndArray();
    BoolField(json, "flipX", image.GetFlipX());
    BoolField(json, "flipY", image.GetFlipY());
    NumberField(json, "textureOffset", image.GetTextureOffset());
}
}  // namespace

bool DumpGraphicsComponent(const VelaEngine::Component& component, JsonWriter& json) {
    if (const auto* image = dynamic_cast<const Image*>(&component)) {
        DumpImage(*image, json);
        if (const auto* sheet = dynamic_cast<const AnimatedImage*>(image)) {
            NumberField(json, "frame", sheet->GetFrame());
            NumberField(json, "cols", sheet->GetCols());
            NumberField(json, "rows", sheet->GetRows());
        }
        return true;
    }
    if (const auto* text = dynamic_cast<const Text*>(&component)) {
        DumpText(*text, json);
        return true;
    }
    if (const auto* canvas = dynamic_cast<const Canvas*>(&component)) {
        json.Key("renderMode");
        json.String(canvas->GetRenderMode() == Canvas::kScreenSpace ? "ScreenSpace"
                                                                    : "CameraSpace");
        return true;
    }
    if (const auto* particles = dynamic_cast<const ParticleSystem*>(&component)) {
        NumberField(json, "particles", static_cast<double>(particles->GetParticles().size()));
        return true;
    }
    if (const auto* button = dynamic_cast<const VelaEngine::UI::Button*>(&component)) {
        BoolField(json, "collider", button->HasCollider());
        NumberField(json, "clicks", button->GetClickCount());
        NumberField(json, "listeners", static_cast<double>(button->GetClickListeners().Size()));
        json.Key("look");
        json.String(LookName(button->GetPointerLook()));
        return true;
    }
    if (const auto* look = dynamic_cast<const VelaEngine::UI::ButtonLook*>(&component)) {
        json.Key("shown");
        json.String(LookName(look->GetShownLook()));
        return true;
    }
    return false;
}

}  // namespace VelaRun
