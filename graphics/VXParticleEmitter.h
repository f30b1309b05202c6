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
    // The set of the particles' instances is named "Shape", depth 0.
    VXParticleEmitter(GameObject* owner, float lifetime, float scale);
    // Deletes the instance set and the pool.
    ~VXParticleEmitter() override;

    // [sheet columns, sheet rows, image name, maxNumber, lifetime,
    //  emitAmount, scale]
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    // Loads "../VXEngine/data/img/" + name as a rows x columns sheet.
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
