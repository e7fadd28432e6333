#include "tools/vela-run/GraphicsDump.h"

#include "engine/graphics/AnimatedImage.h"
#include "engine/graphics/Canvas.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Sprite.h"

namespace VelaRun {

namespace {
using namespace VelaEngine::Graphics;

void DumpImage(const Image& image, JsonWriter& json) {
    json.Key("sprite");
    if (image.GetSprite() != nullptr) {
        json.String(image.GetSprite()->GetPath());
    } else {
        json.Null();
    }
    json.Key("w");
    json.Number(image.GetWidth());
    json.Key("h");
    json.Number(image.GetHeight());
    const Color& tint = image.GetTint();
    json.Key("tint");
    json.BeginArray();
    json.Number(tint.r);
    json.Number(tint.g);
    json.Number(tint.b);
    json.Number(tint.a);
    json.EndArray();
    json.Key("flipX");
    json.Bool(image.GetFlipX());
    json.Key("flipY");
    json.Bool(image.GetFlipY());
}

void DumpSheet(const AnimatedImage& image, JsonWriter& json) {
    json.Key("frame");
    json.Number(image.GetFrame());
    json.Key("cols");
    json.Number(image.GetCols());
    json.Key("rows");
    json.Number(image.GetRows());
}
}  // namespace

void DumpGraphics(const VelaEngine::Component& component, JsonWriter& json) {
    if (const auto* image = dynamic_cast<const Image*>(&component)) {
        DumpImage(*image, json);
        if (const auto* sheet = dynamic_cast<const AnimatedImage*>(image)) {
            DumpSheet(*sheet, json);
        }
    } else if (const auto* canvas = dynamic_cast<const Canvas*>(&component)) {
        json.Key("renderMode");
        json.String(canvas->GetRenderMode() == Canvas::kScreenSpace ? "ScreenSpace"
                                                                    : "CameraSpace");
    } else if (const auto* particles = dynamic_cast<const ParticleSystem*>(&component)) {
        json.Key("particles");
        json.Number(static_cast<double>(particles->GetParticles().size()));
    }
}

}  // namespace VelaRun
