#include <gtest/gtest.h>

#include "engine/entity/Entity.h"
#include "engine/physics/CircleCollider.h"
#include "engine/physics/DynamicBody2D.h"
#include "engine/physics/RectCollider.h"
#include "engine/physics/StaticBody2D.h"
#include "tools/vela-run/ComponentDump.h"

using namespace VelaEngine;

namespace {

std::string Dump(const Component& component) {
    VelaRun::JsonWriter json;
    json.BeginObject();
    VelaRun::DumpComponent(component, json);
    json.EndObject();
    return json.Text();
}

TEST(ComponentDump, BodiesShowTheirMotionAndCollidersTheirShape) {
    auto entity = Entity::Create("E");
    auto* body = entity->AddComponent<DynamicBody2D>();
    body->SetVelocity({1.5f, -2.0f});
    body->SetMass(3.0f);
    body->SetGravityScale(0.5f);
    auto* circle = entity->AddComponent<Collision::CircleCollider>();
    circle->SetRadius(12.5f);
    circle->SetMaterial(Collision::Material(0.0f, 2.0f));
    auto* rect = entity->AddComponent<Collision::RectCollider>();
    rect->SetSize(40.0f, 8.0f);
    auto* still = entity->AddComponent<StaticBody2D>();

    EXPECT_EQ(
        Dump(*body),
        R"({"type": "DynamicBody2D", "velocity": [1.5, -2], "mass": 3, "gravityScale": 0.5})");
    EXPECT_EQ(
        Dump(*circle),
        R"({"type": "CircleCollider", "radius": 12.5, "material": {"bounce": 0, "friction": 2}})");
    EXPECT_EQ(
        Dump(*rect),
        R"({"type": "RectCollider", "w": 40, "h": 8, "material": {"bounce": 0.5, "friction": 0}})");
    EXPECT_EQ(Dump(*still), R"({"type": "StaticBody2D"})");
}

}  // namespace
