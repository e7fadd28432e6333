#include <gtest/gtest.h>

#include "engine/core/Clock.h"
#include "engine/core/Random.h"
#include "engine/core/Time.h"
#include "engine/entity/Angles.h"
#include "engine/entity/Entity.h"
#include "engine/graphics/ParticleSystem.h"

using namespace VelaEngine;
using namespace VelaEngine::Graphics;

namespace {

// Random and Time services with frames of exactly 1/60 s.
struct ParticleTest : testing::Test {
    void SetUp() override {
        SetClock(&clock);
        Random::Create();
        Random::Get().SetSeed(7);
        Time::Create();
        Time::Get().SetFrameRate(60);
        Time::Get().FrameStart();
    }
    void TearDown() override {
        Time::Release();
        Random::Release();
        SetClock(nullptr);
    }
    // One update of the system's entity.
    void Update() { entity->GetUpdateListeners().Invoke(Events::EmptyEvent()); }
    void Emit(uint32_t count, float minSpeed, float maxSpeed, float lifetime,
              const Vector2& acceleration = Vector2()) {
        system->Emit(count, minSpeed, maxSpeed, lifetime, 4.0f, 99.0f, nullptr, acceleration);
    }

    FixedStepClock clock;
    std::shared_ptr<Entity> entity = Entity::Create("Sparks");
    ParticleSystem* system = entity->AddComponent<ParticleSystem>();
};

TEST_F(ParticleTest, EachParticleDrawsItsSpeedThenItsDirection) {
    Emit(0, 1.0f, 2.0f, 1.0f);
    EXPECT_TRUE(system->GetParticles().empty());
    Emit(3, 10.0f, 20.0f, 1.0f, Vector2(0.0f, -5.0f));
    // The same generator, replayed: speed, angle, speed, angle... Emitting nothing drew nothing.
    Random::Get().SetSeed(7);
    ASSERT_EQ(system->GetParticles().size(), 3u);
    for (const Particle& particle : system->GetParticles()) {
        const float speed = Random::Get().Range(10.0f, 20.0f);
        const float angle = Random::Get().Range(0.0f, 360.0f) * kDegToRad;
        EXPECT_FLOAT_EQ(particle.velocity.x, Cos(angle) * speed);
        EXPECT_FLOAT_EQ(particle.velocity.y, Sin(angle) * speed);
        EXPECT_EQ(particle.acceleration, Vector2(0.0f, -5.0f));
        EXPECT_EQ(particle.lifetime, 1.0f);
        EXPECT_EQ(particle.size, 4.0f);
    }
}

TEST_F(ParticleTest, AccelerationChangesTheVelocityBeforeItMovesAndAlphaFadesPerFrame) {
    Emit(1, 60.0f, 60.0f, 10.0f);
    Emit(1, 0.0f, 0.0f, 10.0f, Vector2(0.0f, -60.0f));
    const Vector2 velocity = system->GetParticles().front().velocity;
    Update();
    const Particle& falling = system->GetParticles().back();
    EXPECT_FLOAT_EQ(falling.velocity.y, -1.0f);
    EXPECT_FLOAT_EQ(falling.position.y, -1.0f / 60.0f);
    for (int frame = 1; frame < 30; ++frame) {
        Update();
    }
    // Without acceleration a particle keeps its line.
    const Particle& straight = system->GetParticles().front();
    EXPECT_EQ(straight.velocity, velocity);
    EXPECT_NEAR(straight.position.x, velocity.x * 0.5f, 1e-3f);
    EXPECT_NEAR(straight.position.y, velocity.y * 0.5f, 1e-3f);
    // The alpha fades by frames, not by time: with the clock stopped it still fades, unaged.
    const float age = straight.age;
    Time::Get().SetTimeScale(0.0f);
    Update();
    EXPECT_NEAR(system->GetParticles().front().colour.a, 1.0f - 0.035f * 31, 1e-5f);
    EXPECT_EQ(system->GetParticles().front().age, age);
}

}  // namespace
