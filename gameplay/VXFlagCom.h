// A capturable flag: the patch of floor cells around it and who stands on it.
#pragma once

#include "objects/Component.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace FrameWork {

class SoundCue;
class VXShapeInstancer;

class VXFlagCom : public Component {
public:
    explicit VXFlagCom(GameObject* owner) : Component(owner) {}
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;

    uint8_t captured = 0;
    uint8_t spareFlag = 0;
    std::map<std::string, GameObject*> playersOnFlag;
    uint32_t progress = 0;
    int32_t ownerTeam = 0;
    int32_t paintingTeam = 0;
    float holdTime = 20.0f;
    float tick = 0.08f;
    VXShapeInstancer* grid = nullptr;
    std::vector<int> cellList;
    std::vector<std::pair<float, float>> cellPositions;
    int32_t shapeIndex = 0;
    std::map<std::string, SoundCue>* soundMap = nullptr;
};

}  // namespace FrameWork
