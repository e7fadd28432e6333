#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/RectCollider.h"
#include "tools/vela-run/ComponentDump.h"
#include "tools/vela-run/DumpFields.h"

namespace VelaRun {

namespace {
void DumpMaterial(JsonWriter& json, const VelaEngine::Collision::Material& material) {
    json.Key("material");
    json.BeginObject();
    NumberField(json, "bounce", material.bounce);
    NumberField(json, "friction", material.friction);
    json.EndObject();
}
}  // namespace

bool DumpPhysicsComponent(const VelaEngine::Component& component, JsonWriter& json) {
    using namespace VelaEngine;
    if (const auto* body = dynamic_cast<const DynamicBody2D*>(&component)) {
        PairField(json, "velocity", body->GetVelocity().x, body->GetVelocity().y);
        NumberField(json, "mass", body->GetMass());
        NumberField(json, "gravityScale", body->GetGravityScale());
        NumberField(json, "linearDrag", body->GetLinearDrag());
        return true;
    }
    if (const auto* circle = dynamic_cast<const Collision::CircleCollider*>(&component)) {
        NumberField(json, "radius", circle->GetRadius());
        DumpMaterial(json, circle->GetMaterial());
        return true;
    }
    if (const auto* rect = dynamic_cast<const Collision::RectCollider*>(&component)) {
        NumberField(json, "w", rect->GetWidth());
        NumberField(json, "h", rect->GetHeight());
        DumpMaterial(json, rect->GetMaterial());
        return true;
    }
    return false;
}

}  // namespace VelaRun
