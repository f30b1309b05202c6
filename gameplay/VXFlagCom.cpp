#include "gameplay/VXFlagCom.h"

namespace FrameWork {

void VXFlagCom::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXFlagCom");
    writer.StartArray();
    writer.EndArray();
}

}  // namespace FrameWork
