// What the game does not read in an object record: a whole block (a
// component kind of another version of the tools, or a key added by hand),
// or a value inside a component's block (a key and its value added to the
// block's array).  The object, or the component, keeps it and the writer
// puts it back where it stood, so that a load and a save lose nothing of the
// file.
#pragma once

#include <cstddef>
#include <cstdint>
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

// The list an unread value stood in: the block's array itself.
constexpr size_t kBlockLevel = SIZE_MAX;

// One value of a component's block array, or of a list inside it (a sprite's
// rows, a body's "Position"), that the component does not take.
struct UnreadValue {
    // How many of the block's (or the list's) own values stood before it.
    size_t after = 0;
    // The value as compact JSON text (an added key is a string value).
    std::string json;
    // kBlockLevel, or the place among the block's own values of the list
    // it stood in.
    size_t list = kBlockLevel;
};

// The unread values of one block, by the block's key.
struct UnreadValues {
    std::string key;
    std::vector<UnreadValue> values;
};

}  // namespace FrameWork
