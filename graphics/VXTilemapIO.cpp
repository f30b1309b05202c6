// Reading and writing tile-map files.
#include "graphics/VXTilemapData.h"

#include "core/DataRoot.h"
#include "graphics/VXInstanceSet.h"
#include "graphics/VXJsonNumbers.h"
#include "objects/VXFileWrite.h"
#include "objects/VXJsonRead.h"
#include "platform/Platform.h"

#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <climits>
#include <cstdio>

namespace FrameWork {

std::string TilemapKey(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t begin = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < begin) return path.substr(begin);
    return path.substr(begin, dot - begin);
}

namespace {

using Value = rapidjson::Value;

// C atoi over the text, saturated at the int range instead of overflowing.
int32_t AtoiSaturated(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int32_t>(value);
}

// A JSON number (checked by the caller) as f32, kept inside the f32 range.
float ToFloat(const Value& v) {
    float f = 0.0f;
    JsonFloat(v, f);
    return f;
}

class RecordReader {
public:
    RecordReader(const Value& object, VXTilemapData& out) : object_(object), out_(out) {}

    void Int(const char* key, int32_t& field) {
        const Value* v = Find(key);
        if (v && v->IsInt())
            field = v->GetInt();
        else
            Complain(key);
    }
    void Flag(const char* key, bool& field) {
        const Value* v = Find(key);
        field = v && v->IsTrue();
        if (!v || !v->IsBool()) Complain(key);
    }
    void String(const char* key, std::string& field) {
        const Value* v = Find(key);
        if (v && v->IsString())
            field.assign(v->GetString(), v->GetStringLength());
        else
            Complain(key);
    }
    void Quads(const char* key, std::vector<std::array<float, 4>>& field) {
        const Value* v = Find(key);
        if (!v || !v->IsArray() || !AllNumbers(*v) || v->Size() % 4 != 0) Complain(key);
        if (!v || !v->IsArray() || !AllNumbers(*v)) return;
        for (rapidjson::SizeType k = 0; k + 4 <= v->Size(); k += 4)
            field.push_back({ToFloat((*v)[k]), ToFloat((*v)[k + 1]), ToFloat((*v)[k + 2]),
                             ToFloat((*v)[k + 3])});
    }
    void Ints(const char* key, std::vector<int32_t>& field) {
        const Value* v = Find(key);
        bool ok = v && v->IsArray();
        if (ok)
            for (const Value& e : v->GetArray()) ok = ok && e.IsInt();
        if (!ok) {
            Complain(key);
            return;
        }
        for (const Value& e : v->GetArray()) field.push_back(e.GetInt());
    }
    // Optional: three values a wall.
    void Walls() {
        const Value* v = Find("AABB");
        if (!v) return;
        bool ok = v->IsArray() && v->Size() % 3 == 0;
        if (ok)
            for (rapidjson::SizeType k = 0; k + 3 <= v->Size(); k += 3)
                ok = ok && (*v)[k].IsString() && (*v)[k + 1].IsNumber() && (*v)[k + 2].IsNumber();
        if (!ok) {
            Complain("AABB");
            return;
        }
        for (rapidjson::SizeType k = 0; k + 3 <= v->Size(); k += 3) {
            const std::string name((*v)[k].GetString(), (*v)[k].GetStringLength());
            const size_t underscore = name.find_last_of('_');
            const std::string number =
                underscore == std::string::npos ? name : name.substr(underscore + 1);
            out_.aabbIndices.push_back(AtoiSaturated(number.c_str()));
            out_.aabbSizes.emplace_back(ToFloat((*v)[k + 1]), ToFloat((*v)[k + 2]));
        }
    }

    const std::string& Problems() const { return problems_; }

private:
    const Value* Find(const char* key) const { return JsonMember(object_, key); }
    static bool AllNumbers(const Value& array) {
        for (const Value& e : array.GetArray())
            if (!e.IsNumber()) return false;
        return true;
    }
    void Complain(const char* key) {
        if (!problems_.empty()) problems_ += ", ";
        problems_ += '"';
        problems_ += key;
        problems_ += '"';
    }

    const Value& object_;
    VXTilemapData& out_;
    std::string problems_;
};

}  // namespace

bool ParseTilemap(const char* text, std::size_t length, VXTilemapData& out, std::string& why) {
    Platform::DropByteOrderMark(text, length);
    rapidjson::Document doc;
    // Iterative parsing: deep nesting cannot exhaust the stack.
    doc.Parse<rapidjson::kParseIterativeFlag>(text, length);
    if (doc.HasParseError()) {
        // A file saved as UTF-16 says so rather than "not valid JSON".
        const std::string encoding = Platform::WhyNotUtf8Text(std::string(text, length));
        why = encoding.empty() ? "is not valid JSON" : "is not UTF-8 text (" + encoding + ")";
        return false;
    }
    if (!doc.IsArray()) {
        why = "is not a list of tile sets";
        return false;
    }
    for (const Value& element : doc.GetArray()) {
        if (!element.IsObject()) continue;
        VXTilemapData record;
        RecordReader reader(element, record);
        reader.Int("row", record.row);
        reader.Int("col", record.col);
        reader.Int("_texColumns", record._texColumns);
        reader.Int("_texRows", record._texRows);
        reader.Int("_count", record._count);
        reader.Int("_depth", record._depth);
        reader.String("_name", record._name);
        reader.Flag("m_default1", record.m_default1);
        reader.Flag("m_default2", record.m_default2);
        reader.Flag("m_default3", record.m_default3);
        reader.Quads("m_data1", record.m_data1);
        reader.Quads("m_data2", record.m_data2);
        reader.Ints("m_data3Index", record.m_data3Index);
        reader.Walls();
        out = std::move(record);
        why = reader.Problems().empty() ? std::string() : "missing or wrong: " + reader.Problems();
        return true;
    }
    why = "holds no tile set";
    return false;
}

namespace {

// Gives every tile of `record` one frame: tiles past the end of a short
// frame list take the frame the list uses most (0 for an empty list), and
// frames past the last tile are dropped.  What was done, or nothing when
// the list was whole.
std::string FitFrameList(VXTilemapData& record) {
    std::vector<int32_t>& frames = record.m_data3Index;
    const size_t tiles = record.m_data1.size();
    if (frames.size() == tiles) return std::string();
    const std::string counts =
        std::to_string(frames.size()) + " frames for " + std::to_string(tiles) + " tiles";
    if (frames.size() > tiles) {
        const size_t extra = frames.size() - tiles;
        frames.resize(tiles);
        return counts + "; the last " + std::to_string(extra) + " frames are dropped";
    }
    const int32_t common = MostUsedFrame(frames);
    const size_t missing = tiles - frames.size();
    const bool empty = frames.empty();
    frames.resize(tiles, common);
    return counts + "; the last " + std::to_string(missing) + " tiles take frame " +
           std::to_string(common) + (empty ? "" : ", the one used most");
}

}  // namespace

int32_t MostUsedFrame(const std::vector<int32_t>& frames) {
    std::map<int32_t, size_t> uses;
    for (int32_t frame : frames) ++uses[frame];
    int32_t common = 0;
    size_t most = 0;
    for (const auto& [frame, n] : uses)
        if (n > most) common = frame, most = n;
    return common;
}

bool LoadTilemapFile(const std::string& path, VXTilemapRegistry& registry) {
    std::string text;
    std::string why;
    if (!Platform::ReadTextFile(path, text, why)) {
        std::printf(" -> Tile map %s could not be opened (%s)\n", path.c_str(), why.c_str());
        return false;
    }

    VXTilemapData record;
    if (!ParseTilemap(text.data(), text.size(), record, why)) {
        std::printf(" -> Tile map %s %s\n", path.c_str(), why.c_str());
        return false;
    }
    if (!why.empty()) std::printf(" -> Tile map %s: %s\n", path.c_str(), why.c_str());
    const std::string frames = FitFrameList(record);
    if (!frames.empty()) std::printf(" -> Tile map %s: %s\n", path.c_str(), frames.c_str());
    // The declared "row" and "col" bound nothing: the floor grid places
    // the tiles by their positions.
    const size_t slash = path.find_last_of('/');
    record.fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    return registry.emplace(TilemapKey(path), std::move(record)).second;
}

namespace {

std::string JsonString(const std::string& text) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    writer.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
    return buffer.GetString();
}

}  // namespace

bool WriteTilemapFile(const std::string& path, int32_t rows, int32_t columns,
                      const std::vector<VXInstanceSet*>& sets,
                      const std::vector<std::vector<VXTilemapWall>>& walls) {
    rapidjson::StringBuffer buffer;
    rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
    writer.SetIndent(' ', 4);
    writer.StartArray();
    for (size_t k = 0; k < sets.size(); ++k) {
        if (!sets[k]) continue;
        writer.StartObject();
        writer.Key("row");
        writer.Int(rows);
        writer.Key("col");
        writer.Int(columns);
        sets[k]->WriteJson(writer, DataPath("objects/ShapeInstancer.json"));
        // The paint layer (the second set) carries no walls.
        if (k != 1) {
            std::vector<std::string> entries;
            if (k < walls.size())
                for (const VXTilemapWall& wall : walls[k])
                    entries.push_back(JsonString(wall.name) + ", " + FloatText(wall.halfWidth) +
                                      ", " + FloatText(wall.halfHeight));
            WriteRawArray(writer, "AABB", entries, 1);
        }
        writer.EndObject();
    }
    writer.EndArray();
    std::string text(buffer.GetString(), buffer.GetSize());
    text += '\n';
    return WriteFileAtomic(path, text);
}

}  // namespace FrameWork
