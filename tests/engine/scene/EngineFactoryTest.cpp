#include <gtest/gtest.h>

#include "engine/entity/Entity.h"
#include "engine/scene/Resources.h"

using namespace VelaEngine;

TEST(EngineFactory, MakesEachEngineComponentOnTheOwnerByItsExactName) {
    Resources::Create();
    auto owner = Entity::Create("Owner");
    std::size_t count = owner->GetComponents().size();
    for (const char* name : {"Image", "AnimatedImage", "Canvas", "Button", "DynamicBody2D",
                             "StaticBody2D", "CircleCollider", "RectCollider", "Camera",
                             "Animation", "ParticleSystem", "AudioSource"}) {
        SCOPED_TRACE(name);
        Component* made = Resources::Get().CreateEngineComponent(name, *owner);
        ASSERT_NE(made, nullptr);
        EXPECT_STREQ(made->GetTypeName(), name);
        EXPECT_EQ(owner->GetComponents().back().get(), made);
        EXPECT_EQ(owner->GetComponents().size(), ++count);
    }
    for (const char* name : {"rectcollider", "AudioSource ", "RigidBody2D", "Collider", ""}) {
        EXPECT_EQ(Resources::Get().CreateEngineComponent(name, *owner), nullptr) << name;
    }
    EXPECT_EQ(owner->GetComponents().size(), count);
    Resources::Release();
}
