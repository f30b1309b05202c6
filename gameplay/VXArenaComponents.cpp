#include "gameplay/VXArenaComponents.h"

namespace FrameWork {

void VXWallLogicCom::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXWallLogicCom");
    writer.StartArray();
    SetOneLine(writer, true);
    writer.Int(hitPoints);
    WriteNumber(writer, lifeTimer);
    SetOneLine(writer, false);
    writer.EndArray();
}

void VXSpPointComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXSpPointComponent");
    writer.StartArray();
    SetOneLine(writer, true);
    WriteNumber(writer, restTimer);
    writer.Int(savedInt);
    SetOneLine(writer, false);
    writer.EndArray();
}

void VXTrapComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXTrapComponent");
    writer.StartArray();
    writer.EndArray();
}

}  // namespace FrameWork
