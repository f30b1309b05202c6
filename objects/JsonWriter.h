// The writer every Serialize operation writes through, and the number
// writer that keeps the text valid JSON.
#pragma once

#include "objects/UnreadBlock.h"

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <string>
#include <vector>

namespace FrameWork {

using PrettyJsonWriter = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

// The pretty writer, which can put the values a component kept from its
// block back among the values the component writes.  Every value written
// through this class counts; the block's writer need not know of them.
class JsonWriter : public PrettyJsonWriter {
public:
    explicit JsonWriter(rapidjson::StringBuffer& buffer) : PrettyJsonWriter(buffer) {}

    // The values to put back into the next block array this writer writes
    // (null: none): each goes after as many of the block's (or of the list
    // inside it it stood in) own values as stood before it when it was read,
    // and those that stood further than the block or list now reaches go at
    // its end.
    void PutBackInNextBlock(const std::vector<UnreadValue>* values);

    bool Null() { return Value() && PrettyJsonWriter::Null(); }
    bool Bool(bool b) { return Value() && PrettyJsonWriter::Bool(b); }
    bool Int(int i) { return Value() && PrettyJsonWriter::Int(i); }
    bool Uint(unsigned u) { return Value() && PrettyJsonWriter::Uint(u); }
    bool Int64(int64_t i) { return Value() && PrettyJsonWriter::Int64(i); }
    bool Uint64(uint64_t u) { return Value() && PrettyJsonWriter::Uint64(u); }
    bool Double(double d) { return Value() && PrettyJsonWriter::Double(d); }
    bool RawNumber(const Ch* text, rapidjson::SizeType length, bool copy = false) {
        return Value() && PrettyJsonWriter::RawNumber(text, length, copy);
    }
    bool String(const Ch* text, rapidjson::SizeType length, bool copy = false) {
        return Value() && PrettyJsonWriter::String(text, length, copy);
    }
    bool String(const Ch* text) { return String(text, rapidjson::internal::StrLen(text)); }
    bool RawValue(const Ch* json, size_t length, rapidjson::Type type) {
        return Value() && PrettyJsonWriter::RawValue(json, length, type);
    }
    bool StartObject() { return Open(false) && PrettyJsonWriter::StartObject(); }
    bool StartArray() { return Open(true) && PrettyJsonWriter::StartArray(); }
    bool EndObject(rapidjson::SizeType members = 0) {
        return Close() && PrettyJsonWriter::EndObject(members);
    }
    bool EndArray(rapidjson::SizeType elements = 0) {
        return Close() && PrettyJsonWriter::EndArray(elements);
    }

private:
    // The block's own value about to start; the kept values due before it
    // go first.  Always true: writing goes on.
    bool Value();
    bool Open(bool array);
    bool Close();
    // The kept values of `list` not yet written whose place is at most
    // `limit`.
    void PutBack(size_t list, size_t limit);

    const std::vector<UnreadValue>* values_ = nullptr;
    std::vector<bool> written_;
    // Nesting below the place of arming: 1 is the block array's own level,
    // 2 a list inside it.
    size_t depth_ = 0;
    size_t own_ = 0;
    // The list open at level 2 (its place among the block's own values) and
    // how many of its own values are written.
    size_t list_ = kBlockLevel;
    size_t ownInList_ = 0;
};

// Writes a float field widened to double (1 as 1.0, 0.1f as
// 0.10000000149011612).  A NaN or infinity would leave RapidJSON's output
// broken, so it is written as 0.0 with a warning line instead.
void WriteNumber(JsonWriter& writer, double value);

// Writes `count` floats; with `oneLine` the values follow the previous value
// on the same line (the single-line array option around them).
void WriteNumbers(JsonWriter& writer, const float* values, int count, bool oneLine);

// Switches the writer's single-line array option on or off.
void SetOneLine(JsonWriter& writer, bool on);

// Writes `json` (compact JSON text, as the object reader keeps what it does
// not read) value by value, numbers digit for digit, after `key` when one is
// given.  Text that is not JSON writes nothing, key included: false.
bool WriteJsonText(PrettyJsonWriter& writer, const std::string& json,
                   const std::string* key = nullptr);

}  // namespace FrameWork
