#include "gameplay/VXProjectiles.h"

#include "objects/ComponentType.h"

namespace FrameWork {

void VXBulletComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXBulletComponent");
    writer.StartArray();
    writer.Int(savedInt);
    WriteNumber(writer, lifetime);
    WriteNumber(writer, savedNumber);
    writer.Int(state);
    writer.EndArray();
}

void VXShootLogicComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXShootLogicComponent");
    writer.Int(CT_ShootLogic);
}

}  // namespace FrameWork
