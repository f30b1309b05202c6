// Writing the vectors of the physics components' JSON blocks.
#pragma once

#include <vector>

#include "objects/JsonWriter.h"
#include "physics/VXVec3.h"

namespace FrameWork {

// [x, y, z]; with `oneLine` the whole array follows the previous value on
// its line.
void WriteTriple(JsonWriter& writer, const Vec3& v, bool oneLine);
// A label string, then its triple.
void WriteLabelledTriple(JsonWriter& writer, const char* label, const Vec3& v, bool oneLine);
// One flat array of every vector's x, y, z: each x starts a new line, its y
// and z follow on that line.
void WriteTripleRows(JsonWriter& writer, const std::vector<Vec3>& list);

}  // namespace FrameWork
