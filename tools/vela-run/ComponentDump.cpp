#include "tools/vela-run/ComponentDump.h"

#include "engine/entity/Component.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/RectCollider.h"

namespace VelaRun {

namespace {
using VelaEngine::Collision::CircleCollider;
using VelaEngine::Collision::Material;
using VelaEngine::Collision::RectCollider;

void Number(JsonWriter& json, const char* key, double value) {
    json.Key(key);
    json.Number(value);
}

void Pair(JsonWriter& json, const char* key, float x, float y) {
    json.Key(key);
    json.BeginArray();
    json.Number(x);
    json.Number(y);
    json.EndArray();
}

void DumpMaterial(JsonWriter& json, const Material& material) {
    json.Key("material");
    json.BeginObject();
    Number(json, "bounce", material.bounce);
    Number(json, "friction", material.friction);
    json.EndObject();
}

void DumpBody(JsonWriter& json, const VelaEngine::DynamicBody2D& body) {
    Pair(json, "velocity", body.GetVelocity().x, body.GetVelocity().y);
    Number(json, "mass", body.GetMass());
    Number(json, "gravityScale", body.GetGravityScale());
}
}  // namespace

void DumpComponent(const VelaEngine::Component& component, JsonWriter& json) {
    json.Key("type");
    json.String(component.GetTypeName());
    if (dynamic_cast<const VelaEngine::VelaBehavior*>(&component) != nullptr) {
        json.Key("enabled");
        json.Bool(component.IsEnabled());
    } else if (const auto* body = dynamic_cast<const VelaEngine::DynamicBody2D*>(&component)) {
        DumpBody(json, *body);
    } else if (const auto* circle = dynamic_cast<const CircleCollider*>(&component)) {
        Number(json, "radius", circle->GetRadius());
        DumpMaterial(json, circle->GetMaterial());
    } else if (const auto* rect = dynamic_cast<const RectCollider*>(&component)) {
        Number(json, "w", rect->GetWidth());
        Number(json, "h", rect->GetHeight());
        DumpMaterial(json, rect->GetMaterial());
    }
}

}  // namespace VelaRun
