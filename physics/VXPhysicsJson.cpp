#include "physics/VXPhysicsJson.h"

namespace FrameWork {

void WriteTriple(JsonWriter& writer, const Vec3& v, bool oneLine) {
    if (oneLine) SetOneLine(writer, true);
    writer.StartArray();
    WriteNumber(writer, v.x);
    WriteNumber(writer, v.y);
    WriteNumber(writer, v.z);
    writer.EndArray();
    if (oneLine) SetOneLine(writer, false);
}

void WriteLabelledTriple(JsonWriter& writer, const char* label, const Vec3& v, bool oneLine) {
    writer.String(label);
    WriteTriple(writer, v, oneLine);
}

void WriteTripleRows(JsonWriter& writer, const std::vector<Vec3>& list) {
    writer.StartArray();
    for (const Vec3& v : list) {
        WriteNumber(writer, v.x);
        SetOneLine(writer, true);
        WriteNumber(writer, v.y);
        WriteNumber(writer, v.z);
        SetOneLine(writer, false);
    }
    writer.EndArray();
}

}  // namespace FrameWork
