// The Viking's block bomb, which locks a 3 by 3 block of floor, and the
// pointer that shows its time left.
#pragma once

#include "objects/Component.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace FrameWork {

class VXShapeInstancer;

class VXBlockBombCom : public Component {
public:
    explicit VXBlockBombCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    float timer = 10.0f;
    uint8_t ending = 0;
    std::string casterName;
    int32_t team = 0;
    VXShapeInstancer* grid = nullptr;
    std::vector<int> cells;
    std::vector<std::pair<float, float>> positions;
};

// No factory: the levels construct it and attach it themselves.  Saves
// nothing.
class VXBlockBombPointer : public Component {
public:
    explicit VXBlockBombPointer(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}

    float lifetime = 0.0f;
    float spareNumber = 0.0f;
    float turnSpeed = 0.0f;
    float delay = 1.5f;
};

}  // namespace FrameWork
