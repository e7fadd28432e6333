#pragma once
// Bursts of small squares that fly from the entity's origin, fade and expire. Game code
// emits them; nothing in a scene file configures the system.
#include <cstdint>
#include <list>
#include <memory>

#include "engine/entity/Component.h"
#include "engine/entity/Listener.h"
#include "engine/graphics/Mesh.h"
#include "engine/graphics/Particle.h"

namespace VelaEngine::Graphics {

class ParticleSystem : public Component {
public:
    // Alpha lost by every particle each frame, whatever the frame's length.
    static constexpr float kFadePerFrame = 0.035f;
    // Particles are drawn at half the opacity their alpha gives.
    static constexpr float kTintStrength = 0.5f;

    explicit ParticleSystem(Entity* owner);

    const char* GetTypeName() const override { return "ParticleSystem"; }
    // The copy carries the particles alive now.
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    // Appends `count` particles in random directions with speeds between the two bounds;
    // `unused` is accepted for the callers' sake and has no effect.
    void Emit(const uint32_t& count, const float& minSpeed, const float& maxSpeed,
              const float& lifetime, const float& size, const float& unused,
              const std::shared_ptr<Sprite>& sprite, const Vector2& acceleration);

    const std::list<Particle>& GetParticles() const { return particles_; }
    const Mesh& GetQuad() const { return quad_; }

private:
    void OnUpdate(const Events::EventBase& event);
    void OnDraw(const Events::EventBase& event);

    std::list<Particle> particles_;
    Mesh quad_;
    Events::ClassListener<ParticleSystem> updateListener_{this, &ParticleSystem::OnUpdate};
    Events::ClassListener<ParticleSystem> drawListener_{this, &ParticleSystem::OnDraw};
};

}  // namespace VelaEngine::Graphics
