// A burst effect: a fixed pool of particles that fly out from the owner's
// position and fade, drawn as one instance set.
#pragma once

#include "objects/Component.h"

#include <cstdint>
#include <string>
#include <vector>

namespace FrameWork {

class VXInstanceSet;

struct VXParticle {
    float position[2] = {0.0f, 0.0f};  // offset from the owner's position
    float velocity[2] = {0.0f, 0.0f};
    float colour[3] = {1.0f, 1.0f, 1.0f};
    float alpha = 1.0f;
    float life = 0.0f;
    uint8_t active = 0;
};

class VXParticleEmitter : public Component {
public:
    // The largest pool an emitter builds.
    static constexpr int32_t kMaxParticles = 10000;

    // The set of the particles' instances is named "Shape", depth 0.
    VXParticleEmitter(GameObject* owner, float lifetime, float scale);
    // Deletes the instance set and the pool.
    ~VXParticleEmitter() override;

    // [sheet columns, sheet rows, image name, maxNumber, lifetime,
    //  emitAmount, scale]
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    // Builds the pool: maxNumber ready particles (kept within
    // kMaxParticles); a second call builds it anew.
    void Init() override;
    // Moves and fades the flying particles; once the pool is used up, makes
    // the spent ones ready again.
    void Update(float dt) override;
    // Starts emitAmount further particles of the pool in random directions.
    void Emit();
    // Readies every spent particle and starts the next burst at entry 0.
    void Reset();
    // One hidden instance per particle at the owner's position; a second
    // call lays them out anew.
    void FillInstances();
    // Writes the flying particles into the instance set (the instanced
    // pass, before the set's upload).
    void UploadInstances();

    // Loads DataPath("img/" + name) as a rows x columns sheet.
    void LoadImage(const std::string& name, int32_t rows, int32_t columns);
    void SetImageName(const std::string& name);

    std::vector<VXParticle> particles;
    VXInstanceSet* instanceSet = nullptr;
    int32_t maxNumber = 1;
    float lifetime = 0.0f;
    int32_t emitAmount = 1;
    int32_t nextIndex = 0;
    float scale = 0.0f;
};

}  // namespace FrameWork
