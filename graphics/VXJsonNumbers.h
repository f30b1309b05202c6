// Number text for the tile-map writer: floats in their shortest form that
// reads back to the same f32, and long number arrays laid out a fixed
// count to a line.
#pragma once

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <string>
#include <vector>

namespace FrameWork {

// The shortest decimal text that reads back as `value` ("104.0", "0.1",
// "-1050.0"); NaN and infinities, which JSON cannot hold, are written as 0.0.
std::string FloatText(float value);

// Writes member `key` as an array of the given number texts, `perLine`
// values a line, indented as a member of an object inside the top-level
// array.
void WriteRawArray(rapidjson::PrettyWriter<rapidjson::StringBuffer>& writer, const char* key,
                   const std::vector<std::string>& values, size_t perLine);

}  // namespace FrameWork
