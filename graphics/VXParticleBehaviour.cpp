// The particle emitter's behaviour: the pool, bursts, flight and fade, and
// the instances that draw it.
#include "graphics/VXInstanceSet.h"
#include "graphics/VXParticleEmitter.h"
#include "objects/GameObject.h"
#include "platform/Platform.h"

#include <algorithm>

namespace FrameWork {

namespace {

// Particles fly at half their velocity; life and alpha run down at their own
// rates, and a particle stops once both are spent.
constexpr float kFlightFactor = 0.5f;
constexpr float kLifeRate = 2.5f;
constexpr float kFadeRate = 3.0f;
constexpr float kSpeedRange = 5000.0f;

float RandomSpeed() {
    return static_cast<float>(Platform::Rand()) / static_cast<float>(Platform::RandMax) *
               kSpeedRange -
           kSpeedRange / 2.0f;
}

}  // namespace

void VXParticleEmitter::Init() {
    maxNumber = std::clamp(maxNumber, 0, kMaxParticles);
    particles.clear();
    particles.reserve(static_cast<size_t>(maxNumber));
    for (int32_t k = 0; k < maxNumber; ++k) {
        VXParticle p;
        p.life = lifetime;
        particles.push_back(p);
    }
    nextIndex = 0;
}

void VXParticleEmitter::Emit() {
    // A pool never built, or built for another size (the editor's "Max
    // Number", a level changing its settings), is built for the size now set.
    if (particles.size() != static_cast<size_t>(std::clamp(maxNumber, 0, kMaxParticles))) Init();
    for (int32_t n = 0; n < emitAmount; ++n) {
        if (nextIndex >= maxNumber || static_cast<size_t>(nextIndex) >= particles.size()) return;
        VXParticle& p = particles[static_cast<size_t>(nextIndex)];
        p.active = 1;
        p.velocity[0] = RandomSpeed();
        p.velocity[1] = RandomSpeed();
        ++nextIndex;
    }
}

void VXParticleEmitter::Update(float dt) {
    for (VXParticle& p : particles) {
        if (!p.active) continue;
        p.position[0] += p.velocity[0] * dt * kFlightFactor;
        p.position[1] += p.velocity[1] * dt * kFlightFactor;
        p.life -= kLifeRate * dt;
        p.alpha -= kFadeRate * dt;
        if (p.life <= 0.0f && p.alpha <= 0.0f) p.active = 0;
    }
    if (nextIndex >= maxNumber) Reset();
}

void VXParticleEmitter::Reset() {
    for (VXParticle& p : particles) {
        if (p.active) continue;
        p.position[0] = p.position[1] = 0.0f;
        p.velocity[0] = p.velocity[1] = 0.0f;
        p.alpha = 1.0f;
        p.life = lifetime;
    }
    nextIndex = 0;
}

void VXParticleEmitter::FillInstances() {
    if (!instanceSet) return;
    instanceSet->ClearInstances();
    const float x = owner ? owner->position[0] : 0.0f;
    const float y = owner ? owner->position[1] : 0.0f;
    const int32_t count = std::clamp(maxNumber, 0, kMaxParticles);
    for (int32_t k = 0; k < count; ++k) {
        instanceSet->m_data1.push_back({x, y, scale, scale});
        // Hidden until the particle flies.
        instanceSet->m_data2.push_back({1.0f, 1.0f, 1.0f, 0.0f});
        instanceSet->AddFrameIndex(0);
    }
    instanceSet->_count = count;
}

void VXParticleEmitter::UploadInstances() {
    if (!instanceSet) return;
    if (instanceSet->m_data1.size() < particles.size()) FillInstances();
    const float x = owner ? owner->worldMatrix[3] : 0.0f;
    const float y = owner ? owner->worldMatrix[7] : 0.0f;
    const size_t n =
        std::min({particles.size(), instanceSet->m_data1.size(), instanceSet->m_data2.size()});
    for (size_t k = 0; k < n; ++k) {
        const VXParticle& p = particles[k];
        if (!p.active) continue;
        instanceSet->m_data1[k] = {x + p.position[0], y + p.position[1], scale, scale};
        instanceSet->m_data2[k] = {p.colour[0], p.colour[1], p.colour[2], p.alpha};
    }
}

}  // namespace FrameWork
