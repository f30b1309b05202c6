#include "objects/JsonWriter.h"

#include <cmath>
#include <iostream>

namespace FrameWork {

void WriteNumber(JsonWriter& writer, double value) {
    if (!std::isfinite(value)) {
        std::cout << "WARNING: a number that is not finite was saved as 0.0" << std::endl;
        value = 0.0;
    }
    writer.Double(value);
}

void WriteNumbers(JsonWriter& writer, const float* values, int count, bool oneLine) {
    if (oneLine) SetOneLine(writer, true);
    for (int i = 0; i < count; ++i) WriteNumber(writer, values[i]);
    if (oneLine) SetOneLine(writer, false);
}

void SetOneLine(JsonWriter& writer, bool on) {
    writer.SetFormatOptions(on ? rapidjson::kFormatSingleLineArray : rapidjson::kFormatDefault);
}

}  // namespace FrameWork
