#include "gameplay/VXHazards.h"

#include "objects/ComponentType.h"

namespace FrameWork {

void VXChestComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXChestComponent");
    writer.StartArray();
    writer.EndArray();
}

void EnemyAILogicCom::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("EnemyAIComponent");
    writer.Int(CT_EnemyLogic);
}

}  // namespace FrameWork
