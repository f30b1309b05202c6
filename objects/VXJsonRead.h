// Reading numbers out of parsed JSON for the game's file readers: every
// number the files hold is an f32 or an i32, and a value outside their range
// is clamped rather than overflowed.
#pragma once

#include <rapidjson/document.h>

#include <cstdint>

namespace FrameWork {

// Any JSON number (50 as well as 50.0) as an f32, clamped to the f32 range;
// false for anything else (out unchanged).
bool JsonFloat(const rapidjson::Value& v, float& out);
// Any JSON number as an i32: an integer as it is, others truncated toward
// zero; clamped to the i32 range; false for anything else (out unchanged).
bool JsonInt(const rapidjson::Value& v, int32_t& out);
// Member `key` of `object`, or null (also when `object` is not an object).
const rapidjson::Value* JsonMember(const rapidjson::Value& object, const char* key);

}  // namespace FrameWork
