#include "engine/graphics/ParticleSystem.h"

#include "engine/core/Random.h"
#include "engine/core/Time.h"
#include "engine/entity/Angles.h"
#include "engine/entity/Entity.h"
#include "engine/entity/MatrixStack.h"
#include "engine/graphics/DrawMesh.h"
#include "engine/graphics/Quad.h"

namespace VelaEngine::Graphics {

namespace {
constexpr float kFullTurn = 360.0f;

Matrix3x3 ParticlePlacement(const Point2& position, float size) {
    return Matrix3x3(size, 0.0f, position.x, 0.0f, size, position.y, 0.0f, 0.0f, 1.0f);
}
}  // namespace

ParticleSystem::ParticleSystem(Entity* owner) : Component(owner) {
    owner->GetUpdateListeners().Register(updateListener_);
    owner->GetDrawListeners().Register(drawListener_);
    BuildQuad(quad_, 1.0f, 1.0f, QuadCoordinates());
}

std::shared_ptr<Component> ParticleSystem::Clone(Entity* newOwner) const {
    auto copy = MakePacked<ParticleSystem>(newOwner);
    copy->particles_ = particles_;
    return copy;
}

void ParticleSystem::Emit(const uint32_t& count, const float& minSpeed, const float& maxSpeed,
                          const float& lifetime, const float& size, const float& /*unused*/,
                          const std::shared_ptr<Sprite>& sprite, const Vector2& acceleration) {
    Random& random = Random::Get();
    for (uint32_t i = 0; i < count; ++i) {
        // Speed first, then direction: the order of the draws is part of a run's replay.
        const float speed = random.Range(minSpeed, maxSpeed);
        const float angle = random.Range(0.0f, kFullTurn) * kDegToRad;
        Particle particle;
        particle.velocity = Vector2(Cos(angle) * speed, Sin(angle) * speed);
        particle.acceleration = acceleration;
        particle.lifetime = lifetime;
        particle.sprite = sprite;
        particle.size = size;
        particles_.push_back(std::move(particle));
    }
}

void ParticleSystem::OnUpdate(const Events::EventBase&) {
    // The fade goes by frames, not time: a paused game would fade its particles away.
    if (Time::Get().IsPaused()) {
        return;
    }
    const float dt = Time::Get().GetDeltaTime();
    for (auto it = particles_.begin(); it != particles_.end();) {
        Particle& particle = *it;
        particle.colour.a -= kFadePerFrame;
        particle.age += dt;
        if (particle.age < particle.lifetime) {
            particle.velocity += particle.acceleration * dt;
            particle.position = particle.position + particle.velocity * dt;
            ++it;
        } else {
            it = particles_.erase(it);
        }
    }
}

void ParticleSystem::OnDraw(const Events::EventBase&) {
    const Matrix3x3& top = MatrixStack::Get().GetCurrent();
    for (const Particle& particle : particles_) {
        const Matrix3x3 world = top * ParticlePlacement(particle.position, particle.size);
        DrawMesh(quad_, particle.sprite.get(), particle.colour, kTintStrength, world);
    }
}

}  // namespace VelaEngine::Graphics
