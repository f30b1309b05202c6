#include "objects/JsonWriter.h"

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <cmath>
#include <cstdint>
#include <iostream>

namespace FrameWork {

namespace {

// Hands a parse's events to the writer, numbers as they stand (RapidJSON's
// own RawNumber would write their digits as a string).
class RawNumbersTo : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, RawNumbersTo> {
public:
    explicit RawNumbersTo(PrettyJsonWriter& writer) : writer_(writer) {}
    bool Null() { return writer_.Null(); }
    bool Bool(bool b) { return writer_.Bool(b); }
    bool RawNumber(const char* text, rapidjson::SizeType length, bool) {
        return writer_.RawValue(text, length, rapidjson::kNumberType);
    }
    bool String(const char* text, rapidjson::SizeType length, bool) {
        return writer_.String(text, length);
    }
    bool Key(const char* text, rapidjson::SizeType length, bool) {
        return writer_.Key(text, length);
    }
    bool StartObject() { return writer_.StartObject(); }
    bool EndObject(rapidjson::SizeType members) { return writer_.EndObject(members); }
    bool StartArray() { return writer_.StartArray(); }
    bool EndArray(rapidjson::SizeType elements) { return writer_.EndArray(elements); }

private:
    PrettyJsonWriter& writer_;
};

}  // namespace

bool WriteJsonText(PrettyJsonWriter& writer, const std::string& json, const std::string* key) {
    constexpr unsigned kFlags =
        rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag;
    rapidjson::Reader reader;
    // Checked whole first, so that text that is not JSON leaves no half
    // value behind.
    rapidjson::MemoryStream check(json.data(), json.size());
    rapidjson::BaseReaderHandler<> nothing;
    if (reader.Parse<kFlags>(check, nothing).IsError()) return false;
    if (key) writer.Key(key->c_str(), static_cast<rapidjson::SizeType>(key->size()));
    rapidjson::MemoryStream in(json.data(), json.size());
    RawNumbersTo events(writer);
    reader.Parse<kFlags>(in, events);
    return true;
}

void JsonWriter::PutBackInNextBlock(const std::vector<UnreadValue>* values) {
    values_ = values && !values->empty() ? values : nullptr;
    written_.assign(values_ ? values_->size() : 0, false);
    depth_ = 0;
    own_ = 0;
    list_ = kBlockLevel;
    ownInList_ = 0;
}

bool JsonWriter::Value() {
    if (!values_) return true;
    if (depth_ == 0) {
        // The block is no array: nothing can go back into it.
        values_ = nullptr;
    } else if (depth_ == 1) {
        PutBack(kBlockLevel, own_++);
    } else if (depth_ == 2) {
        PutBack(list_, ownInList_++);
    }
    return true;
}

bool JsonWriter::Open(bool array) {
    if (!values_) return true;
    if (depth_ == 0 && !array) {
        values_ = nullptr;
        return true;
    }
    if (depth_ == 1) {
        PutBack(kBlockLevel, own_);
        // Only a list takes values back (an object's need keys).
        list_ = array ? own_ : kBlockLevel - 1;
        ownInList_ = 0;
        ++own_;
    } else if (depth_ == 2) {
        PutBack(list_, ownInList_++);
    }
    ++depth_;
    return true;
}

bool JsonWriter::Close() {
    if (!values_) return true;
    if (depth_ == 1) {
        // The block ends: what stood beyond its own values goes last.
        PutBack(kBlockLevel, SIZE_MAX);
        values_ = nullptr;
    } else if (depth_ == 2) {
        PutBack(list_, SIZE_MAX);
    }
    if (depth_ > 0) --depth_;
    return true;
}

void JsonWriter::PutBack(size_t list, size_t limit) {
    const std::vector<UnreadValue>& values = *values_;
    for (size_t k = 0; k < values.size(); ++k) {
        if (written_[k] || values[k].list != list || values[k].after > limit) continue;
        written_[k] = true;
        if (!WriteJsonText(*this, values[k].json))
            std::cout << "WARNING: a value kept in a block is not JSON; not saved" << std::endl;
    }
}

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
