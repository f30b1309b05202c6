// The writer every Serialize operation writes through, and the number
// writer that keeps the text valid JSON.
#pragma once

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

namespace FrameWork {

using JsonWriter = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

// Writes a float field widened to double (1 as 1.0, 0.1f as
// 0.10000000149011612).  A NaN or infinity would leave RapidJSON's output
// broken, so it is written as 0.0 with a warning line instead.
void WriteNumber(JsonWriter& writer, double value);

// Writes `count` floats; with `oneLine` the values follow the previous value
// on the same line (the single-line array option around them).
void WriteNumbers(JsonWriter& writer, const float* values, int count, bool oneLine);

// Switches the writer's single-line array option on or off.
void SetOneLine(JsonWriter& writer, bool on);

}  // namespace FrameWork
