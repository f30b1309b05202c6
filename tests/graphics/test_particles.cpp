// The particle emitter's pool: bursts, flight, fade, reuse and instances.
#include <gtest/gtest.h>

#include <memory>

#include "graphics/VXInstanceSet.h"
#include "graphics/VXParticleEmitter.h"
#include "objects/GameObject.h"
#include "platform/Platform.h"

using namespace FrameWork;

namespace {

struct Emitter {
    Emitter(int32_t maxNumber, int32_t emitAmount, float lifetime = 1.5f)
        : owner(1, 1, 1, 1, 1, 0, 100.0f, 50.0f, "Burst", 0, 0, 0),
          emitter(std::make_shared<VXParticleEmitter>(&owner, lifetime, 30.0f)) {
        emitter->maxNumber = maxNumber;
        emitter->emitAmount = emitAmount;
        emitter->Init();
        emitter->FillInstances();
    }
    int Active() const {
        int n = 0;
        for (const VXParticle& p : emitter->particles) n += p.active;
        return n;
    }
    GameObject owner;
    std::shared_ptr<VXParticleEmitter> emitter;
};

constexpr float kFrame = 1.0f / 60.0f;

}  // namespace

TEST(Particles, PoolAndInstancesAreBuiltOnceAndHidden) {
    Emitter e(60, 10);
    e.emitter->Init();
    e.emitter->FillInstances();
    ASSERT_EQ(e.emitter->particles.size(), 60u);
    EXPECT_EQ(e.Active(), 0);
    VXInstanceSet& set = *e.emitter->instanceSet;
    ASSERT_EQ(set.m_data1.size(), 60u);
    EXPECT_EQ(set.m_data1[7], (Vec4f{100.0f, 50.0f, 30.0f, 30.0f}));
    for (const Vec4f& colour : set.m_data2)
        EXPECT_EQ(colour[3], 0.0f);  // nothing shows before a burst
    // A pool size out of range is kept within bounds.
    e.emitter->maxNumber = VXParticleEmitter::kMaxParticles + 5;
    e.emitter->Init();
    EXPECT_EQ(e.emitter->particles.size(), static_cast<size_t>(VXParticleEmitter::kMaxParticles));
    e.emitter->maxNumber = -4;
    e.emitter->Init();
    EXPECT_TRUE(e.emitter->particles.empty());
    e.emitter->Emit();
    e.emitter->Update(kFrame);
}

TEST(Particles, EmitsBeyondThePoolWaitForTheNextReset) {
    Emitter e(60, 10);
    for (int k = 0; k < 6; ++k) e.emitter->Emit();
    EXPECT_EQ(e.Active(), 60);
    EXPECT_EQ(e.emitter->nextIndex, 60);
    e.emitter->Emit();
    EXPECT_EQ(e.emitter->nextIndex, 60);
    // The next frame readies the pool again; the flying particles fly on.
    e.emitter->Update(kFrame);
    EXPECT_EQ(e.emitter->nextIndex, 0);
    EXPECT_EQ(e.Active(), 60);
    const float x = e.emitter->particles[3].position[0];
    EXPECT_NE(x, 0.0f);
    e.emitter->Emit();
    EXPECT_EQ(e.emitter->nextIndex, 10);
    EXPECT_EQ(e.emitter->particles[3].position[0], x);  // relaunched from where it is
}

TEST(Particles, ParticlesLiveAsLongAsTheirLifeAndFade) {
    Emitter e(4, 1);
    e.emitter->Emit();
    VXParticle& p = e.emitter->particles[0];
    int frames = 0;
    bool fadedByAThird = false;
    while (p.active && frames < 600) {
        e.emitter->Update(kFrame);
        ++frames;
        if (frames == 20) fadedByAThird = p.alpha <= 0.0f;
    }
    EXPECT_TRUE(fadedByAThird);
    // Life 1.5 at 2.5 a second: 0.6 s, give or take a frame of rounding.
    EXPECT_TRUE(frames >= 35 && frames <= 37) << frames;
    // Spent particles are readied only once the pool has been used up.
    for (int k = 0; k < 3; ++k) e.emitter->Emit();
    e.emitter->Update(kFrame);
    EXPECT_TRUE(p.alpha == 1.0f && p.life == 1.5f && p.position[0] == 0.0f);
}

TEST(Particles, VelocitiesStayWithinTheirRangeAndMoveAtHalfSpeed) {
    Platform::SRand(7);
    Emitter e(5000, 5000);
    e.emitter->Emit();
    float low = 0.0f, high = 0.0f;
    for (const VXParticle& p : e.emitter->particles)
        for (float v : p.velocity) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    EXPECT_TRUE(low >= -2500.0f && low < -2000.0f && high > 2000.0f && high <= 2500.0f)
        << low << " " << high;

    Emitter one(1, 1);
    one.emitter->Emit();
    VXParticle& p = one.emitter->particles[0];
    p.velocity[0] = 2500.0f;
    p.velocity[1] = 0.0f;
    one.emitter->Update(0.1f);
    EXPECT_FLOAT_EQ(p.position[0], 125.0f);
    EXPECT_EQ(p.position[1], 0.0f);
}

TEST(Particles, FlyingParticlesAreWrittenIntoTheirInstances) {
    Emitter e(3, 1);
    e.emitter->Emit();
    VXParticle& p = e.emitter->particles[0];
    p.velocity[0] = 200.0f;
    p.velocity[1] = -100.0f;
    e.emitter->Update(0.1f);
    e.emitter->UploadInstances();
    const VXInstanceSet& set = *e.emitter->instanceSet;
    EXPECT_FLOAT_EQ(set.m_data1[0][0], 110.0f);
    EXPECT_FLOAT_EQ(set.m_data1[0][1], 45.0f);
    EXPECT_FLOAT_EQ(set.m_data2[0][3], 0.7f);
    EXPECT_EQ(set.m_data2[1][3], 0.0f) << "the ready particles keep their hidden instances";
    // A level that raises the pool size before a burst gets the larger pool,
    // drawn whole.
    e.emitter->maxNumber = 50;
    e.emitter->emitAmount = 20;
    e.emitter->Emit();
    EXPECT_EQ(e.emitter->particles.size(), 50u);
    e.emitter->UploadInstances();
    ASSERT_EQ(set._count, 50);
    EXPECT_EQ(set.m_data2[19][3], 1.0f);
}
