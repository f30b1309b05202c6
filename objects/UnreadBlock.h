// What the game does not read in an object record: a whole block (a
// component kind of another version of the tools, or a key added by hand),
// or a value inside a component's block (a key and its value added to the
// block's array).  The object, or the component, keeps it and the writer
// puts it back where it stood, so that a load and a save lose nothing of the
// file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace FrameWork {

struct UnreadBlock {
    // The key the game reads that stood last before the block in the record
    // ("" when the block came first).
    std::string after;
    std::string key;
    // The block's value as compact JSON text.
    std::string json;
};

// One value of a component's block array that the component does not take.
struct UnreadValue {
    // How many of the block's own values stood before it.
    size_t after = 0;
    // The value as compact JSON text (an added key is a string value).
    std::string json;
};

// The unread values of one block, by the block's key.
struct UnreadValues {
    std::string key;
    std::vector<UnreadValue> values;
};

}  // namespace FrameWork
