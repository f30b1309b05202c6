#include "gameplay/VXBlockBomb.h"

namespace FrameWork {

void VXBlockBombCom::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXBlockBombCom");
    writer.StartArray();
    SetOneLine(writer, true);
    WriteNumber(writer, timer);
    SetOneLine(writer, false);
    writer.EndArray();
}

}  // namespace FrameWork
