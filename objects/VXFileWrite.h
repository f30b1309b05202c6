// Saving a text file so that the previous file survives any failure.
#pragma once

#include <string>

namespace FrameWork {

// Writes `text` to a new temporary file in the folder of `path`, flushes it
// to the disk and renames it over `path`.  A failure at any step prints a
// line, removes the temporary file and leaves `path` as it was; the result
// says whether `path` now holds `text`.
bool WriteFileAtomic(const std::string& path, const std::string& text);

}  // namespace FrameWork
