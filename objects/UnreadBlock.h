// A block of an object record that the game does not read (a component kind
// of another version of the tools, or a key added by hand).  The object
// keeps it and the writer puts it back where it stood, so that a load and
// a save lose nothing of the file.
#pragma once

#include <string>

namespace FrameWork {

struct UnreadBlock {
    // The key the game reads that stood last before the block in the record
    // ("" when the block came first).
    std::string after;
    std::string key;
    // The block's value as compact JSON text.
    std::string json;
};

}  // namespace FrameWork
