#include "objects/VXObjectLoader.h"

#include "objects/VXJsonRead.h"
#include "platform/Platform.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <sstream>
#include <tuple>
#include <utility>

namespace FrameWork {

namespace {

using rapidjson::SizeType;
using rapidjson::Value;

constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag;
// More lines than this about one file would bury the console.
constexpr int kMaxWarningsPerFile = 20;
// A block the game does not read is kept, and later written back, up to this
// depth of nested arrays and objects (writing it back recurses).
constexpr size_t kMaxKeptNesting = 256;

// The number of a text block's key: "VXTextComponent" followed by decimal
// digits, with the writer's sign.
bool TextKeyNumber(const char* key, size_t length, int32_t& number) {
    static const char kPrefix[] = "VXTextComponent";
    const size_t prefixLength = sizeof(kPrefix) - 1;
    if (length <= prefixLength || std::strncmp(key, kPrefix, prefixLength) != 0) return false;
    const size_t first = prefixLength + (key[prefixLength] == '-' ? 1 : 0);
    if (length == first || length - first > 9) return false;
    long long value = 0;
    for (size_t k = first; k < length; ++k) {
        if (key[k] < '0' || key[k] > '9') return false;
        value = value * 10 + (key[k] - '0');
    }
    number = static_cast<int32_t>(first > prefixLength ? -value : value);
    return true;
}

// The keys a component or the object is built from.  The audio and chest
// blocks are read but build nothing: like any other key, they are kept as
// they stand.
bool IsReadKey(const char* name, size_t length) {
    static const char* const kKeys[] = {"GameObject",
                                        "g_name",
                                        "m_active",
                                        "VXSpriteComponent",
                                        "VXRigidBody",
                                        "VXAABB",
                                        "VXCircleCollider",
                                        "VXShootLogicComponent",
                                        "EnemyAIComponent",
                                        "VXBulletComponent",
                                        "VXPlayerLogic",
                                        "VXTrapComponent",
                                        "VXParticleEmitter",
                                        "VXWallLogicCom",
                                        "VXSpPointComponent",
                                        "VXFlagCom",
                                        "VXBlockBombCom",
                                        "VXOBB",
                                        "MY PARENT",
                                        "position",
                                        "rotationX",
                                        "rotationY",
                                        "rotationZ",
                                        "scaleX",
                                        "scaleY"};
    const std::string key(name, length);
    for (const char* known : kKeys)
        if (key == known) return true;
    int32_t number = 0;
    return TextKeyNumber(name, length, number);
}

// How deep arrays and objects nest in `value` (a number or string: 0),
// found without recursion.
size_t NestingDepth(const Value& value) {
    size_t deepest = 0;
    std::vector<std::pair<const Value*, size_t>> open = {{&value, 0}};
    while (!open.empty()) {
        const auto [v, depth] = open.back();
        open.pop_back();
        if (v->IsArray()) {
            deepest = std::max(deepest, depth + 1);
            for (const Value& element : v->GetArray()) open.push_back({&element, depth + 1});
        } else if (v->IsObject()) {
            deepest = std::max(deepest, depth + 1);
            for (const auto& member : v->GetObject()) open.push_back({&member.value, depth + 1});
        }
    }
    return deepest;
}

// The text of each block the game does not read, and of each value of the
// arrays of the blocks it reads, as the file writes it (numbers digit for
// digit), from a second, event-driven pass over the file; only a file that
// holds something unread takes it.  Texts are found by the index of their
// object in the root array, their place among its members and, for a value
// of a block's array, its place there.
class BlockTexts : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, BlockTexts> {
public:
    static constexpr size_t kWhole = SIZE_MAX;

    void Read(const char* text, size_t length) {
        rapidjson::Reader reader;
        rapidjson::MemoryStream in(text, length);
        constexpr unsigned kFlags =
            rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag;
        reader.Parse<kFlags>(in, *this);
    }
    const std::string* Find(size_t element, size_t member, size_t value = kWhole) const {
        const auto it = texts_.find({element, member, value});
        return it == texts_.end() ? nullptr : &it->second;
    }

    bool Null() {
        return Scalar([this] { return writer_.Null(); });
    }
    bool Bool(bool b) {
        return Scalar([&] { return writer_.Bool(b); });
    }
    bool RawNumber(const char* text, SizeType length, bool) {
        // As a raw value: RapidJSON's RawNumber writes the digits as a string.
        return Scalar([&] { return writer_.RawValue(text, length, rapidjson::kNumberType); });
    }
    bool String(const char* text, SizeType length, bool) {
        return Scalar([&] { return writer_.String(text, length); });
    }
    bool StartObject() {
        return Open(false, [this] { return writer_.StartObject(); });
    }
    bool StartArray() {
        return Open(true, [this] { return writer_.StartArray(); });
    }
    bool EndObject(SizeType members) {
        return Close([&] { return writer_.EndObject(members); });
    }
    bool EndArray(SizeType elements) {
        return Close([&] { return writer_.EndArray(elements); });
    }
    bool Key(const char* text, SizeType length, bool) {
        if (capturing_) return writer_.Key(text, length);
        if (depth_ == 2) {
            ++members_;
            readBlock_ = IsReadKey(text, length);
            if (!readBlock_) Capture(2, kWhole);
        }
        return true;
    }

private:
    // A value starts: inside the root array it is the next object (or
    // non-object); inside a read block's array, the next value of it.
    void Begin() {
        if (depth_ == 1) ++elements_, members_ = 0, readBlock_ = false;
        if (depth_ == 3 && inBlockArray_ && !capturing_) Capture(3, values_++);
    }
    void Capture(size_t depth, size_t value) {
        buffer_.Clear();
        writer_.Reset(buffer_);
        capturing_ = true;
        captureDepth_ = depth;
        value_ = value;
    }
    // The captured value is whole once the depth it began at is back.
    void Done() {
        if (!capturing_ || depth_ != captureDepth_) return;
        texts_[{elements_ - 1, members_ - 1, value_}].assign(buffer_.GetString(),
                                                             buffer_.GetSize());
        capturing_ = false;
    }
    template <class Write>
    bool Scalar(Write write) {
        Begin();
        const bool ok = !capturing_ || write();
        Done();
        return ok;
    }
    template <class Write>
    bool Open(bool array, Write write) {
        Begin();
        if (depth_ == 2 && array && readBlock_ && !capturing_) inBlockArray_ = true, values_ = 0;
        ++depth_;
        return !capturing_ || write();
    }
    template <class Write>
    bool Close(Write write) {
        --depth_;
        if (depth_ == 2) inBlockArray_ = false;
        const bool ok = !capturing_ || write();
        Done();
        return ok;
    }

    size_t depth_ = 0;
    size_t elements_ = 0;
    size_t members_ = 0;
    bool readBlock_ = false;
    bool inBlockArray_ = false;
    size_t values_ = 0;
    bool capturing_ = false;
    size_t captureDepth_ = 0;
    size_t value_ = 0;
    rapidjson::StringBuffer buffer_;
    rapidjson::Writer<rapidjson::StringBuffer> writer_;
    std::map<std::tuple<size_t, size_t, size_t>, std::string> texts_;
};

// What the array of a block the game reads holds, in order, as its writer
// writes it, one token per value: "v" a value that is not a string, "n" a
// number, "a" an array, "s" a string value, "=NAME" the block's own label
// NAME; "?" after a token: it may be left out.  A number after "v" is how
// many entries the list standing there holds (more, and added keys, are not
// read); "rK" is a sprite's rows list, as many rows as the value of slot K.
struct BlockShape {
    const char* key;
    const char* tokens;
};
const BlockShape kBlockShapes[] = {
    {"VXSpriteComponent", "v v v v n? v v v v v s r7?"},
    {"VXRigidBody", "v v v =Acceleration v3 =Velocity v3 =Position v3 =AccumForce v3"},
    {"VXAABB", "v v =Min v3 =Max v3"},
    {"VXCircleCollider", "=centerPt v3 v"},
    {"VXOBB", "v v =OBB_Vertices v12 =OBB_Normal v12 =originPt v3 v"},
    {"VXTextComponent", "v v v v v"},
    {"VXParticleEmitter", "v v s v v v v"},
    {"VXBulletComponent", "v v v v"},
    {"VXPlayerLogic", "v v v v =ClonedObj? a? v v v v v v v =ForceToAdd v2 =PlayerKey v7"},
    {"VXTrapComponent", ""},
    {"VXFlagCom", ""},
    {"VXWallLogicCom", "v v"},
    {"VXSpPointComponent", "v v"},
    {"VXBlockBombCom", "v"},
};

struct Slot {
    char kind = 'v';
    std::string label;
    bool optional = false;
    // 'v': the most entries a list here holds (0: not looked into);
    // 'r': the slot holding the row count.
    size_t number = 0;
};

// The slots of the block `key` reads (a text block by its key's prefix);
// false for a block without an array (or not read at all).
bool ShapeOf(const char* key, size_t length, std::vector<Slot>& slots) {
    int32_t number = 0;
    const std::string name =
        TextKeyNumber(key, length, number) ? "VXTextComponent" : std::string(key, length);
    for (const BlockShape& shape : kBlockShapes) {
        if (name != shape.key) continue;
        slots.clear();
        std::string token;
        std::istringstream tokens(shape.tokens);
        while (tokens >> token) {
            Slot slot;
            slot.optional = token.back() == '?';
            if (slot.optional) token.pop_back();
            slot.kind = token[0] == '=' ? 'l' : token[0];
            if (slot.kind == 'l')
                slot.label = token.substr(1);
            else if (token.size() > 1)
                slot.number = std::stoul(token.substr(1));
            slots.push_back(slot);
        }
        return true;
    }
    return false;
}

bool Fits(const Value& v, const Slot& slot) {
    switch (slot.kind) {
        case 'n':
            return v.IsNumber();
        case 'a':
        case 'r':
            return v.IsArray();
        case 's':
            return v.IsString();
        case 'l':
            return v.IsString() && slot.label == std::string(v.GetString(), v.GetStringLength());
        default:
            return !v.IsString();
    }
}

// Which values of a block's array the block's reader does not take: a string
// where the block holds none (an added key) with the value after it, and
// whatever stands beyond the block's own values.  A value of the wrong kind
// other than a string keeps its place (the reader names it).  `slotOf` gets
// the slot each value the reader takes fills.
std::vector<bool> UnreadValuesOf(const Value& array, const std::vector<Slot>& slots,
                                 std::vector<size_t>& slotOf) {
    const SizeType n = array.Size();
    std::vector<bool> unread(n, false);
    slotOf.assign(n, SIZE_MAX);
    size_t s = 0;
    for (SizeType i = 0; i < n; ++i) {
        const Value& v = array[i];
        if (v.IsString()) {
            // One of the block's labels, wherever it stands from here on.
            size_t label = s;
            while (label < slots.size() && !(slots[label].kind == 'l' && Fits(v, slots[label])))
                ++label;
            if (label < slots.size()) {
                slotOf[i] = label;
                s = label + 1;
                continue;
            }
        }
        // Optional slots it does not fit are left out only for a value the
        // block takes: the one after an added key may still fill them.
        size_t t = s;
        while (t < slots.size() && slots[t].optional && !Fits(v, slots[t])) ++t;
        if (t < slots.size() && (!v.IsString() || Fits(v, slots[t]))) {
            slotOf[i] = t;
            s = t + 1;
            continue;
        }
        unread[i] = true;
        if (v.IsString() && i + 1 < n) unread[++i] = true;
    }
    return unread;
}

// Which entries of a list inside a block its reader does not take.  A list
// of `count` values: a string where values stand (an added key) with the
// value after it, and whatever stands beyond them.  A rows list (`rows`):
// the labels "0", "1", ... each before its row; a string that is not the next
// label (an added key) with the value after it, any other value, and
// everything after the last row read.
std::vector<bool> UnreadEntriesOf(const Value& list, size_t count, bool rows) {
    const SizeType n = list.Size();
    std::vector<bool> unread(n, false);
    size_t taken = 0;
    for (SizeType i = 0; i < n; ++i) {
        const Value& v = list[i];
        if (taken < count && rows && v.IsString() &&
            std::string(v.GetString(), v.GetStringLength()) == std::to_string(taken))
            continue;
        if (taken < count && !v.IsString() && (!rows || v.IsArray())) {
            ++taken;
            continue;
        }
        unread[i] = true;
        if (v.IsString() && taken < count && i + 1 < n) unread[++i] = true;
    }
    return unread;
}

// Reads one file's objects and reports what it had to leave out.
class RecordReader {
public:
    // Each warning is printed and kept in `lines` (the editor's console
    // shows them too).
    // `text` is the file's text, for the blocks kept as they stand.
    // `allocator` is the parsed document's: the arrays of blocks are
    // rebuilt without the values their readers do not take.
    RecordReader(const std::string& source, const char* text, size_t length,
                 rapidjson::Document::AllocatorType& allocator, std::vector<std::string>& lines)
        : source_(source), text_(text), length_(length), allocator_(allocator), lines_(lines) {}
    ~RecordReader() {
        if (warnings_ > kMaxWarningsPerFile)
            Say(source_ + ": " + std::to_string(warnings_ - kMaxWarningsPerFile) +
                " more problems not shown");
    }

    void ReadRoot(Value& root, std::vector<GameObjectData>& out) {
        for (SizeType i = 0; i < root.Size(); ++i) {
            index_ = i;
            // An entry that is not an object has no name of its own.
            name_.clear();
            if (!root[i].IsObject()) {
                Warn("", "is not an object; skipped");
                continue;
            }
            out.emplace_back();
            ReadObject(root[i], out.back());
        }
    }

private:
    void Warn(const std::string& what, const std::string& problem) {
        if (++warnings_ > kMaxWarningsPerFile) return;
        std::string text = source_ + ": object " + std::to_string(index_);
        if (!name_.empty()) text += " \"" + name_ + "\"";
        if (!what.empty()) text += ": " + what;
        Say(text + " " + problem);
    }
    void Say(const std::string& text) {
        lines_.push_back("WARNING: " + text);
        std::cout << lines_.back() << std::endl;
    }

    void Float(const Value& v, float& out, const char* what) {
        if (!JsonFloat(v, out)) Warn(what, "is not a number; default kept");
    }
    void Int(const Value& v, int32_t& out, const char* what) {
        if (!JsonInt(v, out)) Warn(what, "is not a number; default kept");
    }
    // `count` numbers from an array; short or wrong elements keep defaults.
    void Floats(const Value& v, float* out, SizeType count, const char* what) {
        if (!v.IsArray()) {
            Warn(what, "is not an array; default kept");
            return;
        }
        if (v.Size() < count) Warn(what, "is too short; missing values keep their defaults");
        for (SizeType i = 0; i < count && i < v.Size(); ++i)
            if (!JsonFloat(v[i], out[i])) Warn(what, "holds a value that is not a number");
    }
    // The block's value must be an array; anything else marks the kind
    // present with its defaults.
    const Value* BlockArray(const Value& obj, const char* key, bool& present) {
        auto it = obj.FindMember(key);
        present = it != obj.MemberEnd();
        if (!present) return nullptr;
        if (!it->value.IsArray()) {
            Warn(key, "is not an array; defaults used");
            return nullptr;
        }
        return &it->value;
    }

    void ReadObject(Value& obj, GameObjectData& d) {
        name_.clear();
        auto m = obj.FindMember("g_name");
        if (m != obj.MemberEnd()) {
            if (m->value.IsString())
                d.name.assign(m->value.GetString(), m->value.GetStringLength());
            else
                Warn("\"g_name\"", "is not a string; the name is empty");
        }
        name_ = d.name;
        d.marked = m != obj.MemberEnd();
        m = obj.FindMember("GameObject");
        d.marked = d.marked || m != obj.MemberEnd();
        if (m != obj.MemberEnd()) Int(m->value, d.type, "\"GameObject\"");
        m = obj.FindMember("m_active");
        d.active = m != obj.MemberEnd() && m->value.IsTrue();
        KeepUnreadValues(obj, d.unreadValues);

        ReadSprite(obj, d.sprite);
        ReadRigidBody(obj, d.rigidBody);
        ReadAABB(obj, d.aabb);
        ReadCircle(obj, d.circle);
        ReadMarker(obj, "VXShootLogicComponent", d.shootLogic);
        ReadMarker(obj, "EnemyAIComponent", d.enemyAI);
        ReadBullet(obj, d.bullet);
        ReadTexts(obj, d.texts);
        ReadAudio(obj, d.audio);
        ReadPlayerLogic(obj, d.playerLogic);
        d.trapPresent = obj.HasMember("VXTrapComponent");
        // The chest block is written as "VXChestComponent"; a chest is not
        // built from a file (the levels place chests themselves).
        d.chestPresent = obj.HasMember("ChestComponent");
        ReadEmitter(obj, d.emitter);
        ReadWall(obj, d.wall);
        ReadSpawnPoint(obj, d.spawnPoint);
        d.flagPresent = obj.HasMember("VXFlagCom");
        d.blockBombPresent = obj.HasMember("VXBlockBombCom");
        d.obbPresent = obj.HasMember("VXOBB");
        ReadPlacement(obj, d);
        KeepUnread(obj, d.unreadBlocks);
    }

    // Every block no component is built from, with the key it followed.
    void KeepUnread(const Value& obj, std::vector<UnreadBlock>& out) {
        std::string after;
        size_t member = 0;
        for (auto it = obj.MemberBegin(); it != obj.MemberEnd(); ++it, ++member) {
            std::string key(it->name.GetString(), it->name.GetStringLength());
            if (IsReadKey(key.data(), key.size())) {
                after = std::move(key);
                continue;
            }
            std::string json;
            if (!KeptText(it->value, member, BlockTexts::kWhole, "\"" + key + "\"", json)) continue;
            out.push_back({after, std::move(key), std::move(json)});
        }
    }

    // Takes out of every block's array, and out of the lists inside it, the
    // values their readers do not take, keeping them with the number of the
    // block's (or the list's) own values before them.
    void KeepUnreadValues(Value& obj, std::vector<UnreadValues>& out) {
        std::vector<Slot> slots;
        std::vector<size_t> slotOf;
        size_t member = 0;
        for (auto it = obj.MemberBegin(); it != obj.MemberEnd(); ++it, ++member) {
            Value& array = it->value;
            if (!array.IsArray() ||
                !ShapeOf(it->name.GetString(), it->name.GetStringLength(), slots))
                continue;
            const std::vector<bool> unread = UnreadValuesOf(array, slots, slotOf);
            UnreadValues kept{std::string(it->name.GetString(), it->name.GetStringLength()), {}};
            // The lists first, while the values they depend on stand.
            for (SizeType i = 0, at = 0; i < array.Size(); ++i)
                if (!unread[i]) KeepUnreadEntries(array, i, slots, slotOf, member, at++, kept);
            Value own(rapidjson::kArrayType);
            for (SizeType i = 0; i < array.Size(); ++i) {
                if (!unread[i]) {
                    own.PushBack(array[i], allocator_);  // moved, not copied
                    continue;
                }
                std::string json;
                if (KeptText(array[i], member, i, "a value in \"" + kept.key + "\"", json))
                    kept.values.push_back({own.Size(), std::move(json)});
            }
            array = own;
            if (!kept.values.empty()) out.push_back(std::move(kept));
        }
    }

    // The entries of the list at value `i` of a block's array that its
    // reader does not take; the list becomes the block's own value `at`.
    void KeepUnreadEntries(Value& array, SizeType i, const std::vector<Slot>& slots,
                           const std::vector<size_t>& slotOf, size_t member, size_t at,
                           UnreadValues& kept) {
        Value& list = array[i];
        if (!list.IsArray() || slotOf[i] >= slots.size()) return;
        const Slot& slot = slots[slotOf[i]];
        size_t count = slot.number;
        if (slot.kind == 'r') {
            // As many rows as the row count says; the reader names a count
            // that is no count.
            count = 0;
            for (SizeType k = 0; k < array.Size(); ++k)
                if (slotOf[k] == slot.number && array[k].IsInt() && array[k].GetInt() > 0 &&
                    array[k].GetInt() <= kMaxSpriteRows)
                    count = static_cast<size_t>(array[k].GetInt());
        } else if (slot.kind != 'v') {
            return;
        }
        if (count == 0) return;
        const std::vector<bool> unread = UnreadEntriesOf(list, count, slot.kind == 'r');
        if (std::find(unread.begin(), unread.end(), true) == unread.end()) return;
        std::string json;
        if (!KeptText(list, member, i, "a list in \"" + kept.key + "\"", json)) return;
        // The entries' own texts, from the list's text as the file writes it:
        // the list stands as the array of a block the game reads (any such
        // key), so that each entry is taken apart (element 0, member 0).
        BlockTexts entries;
        const std::string wrapped = "[{\"VXRigidBody\":" + json + "}]";
        entries.Read(wrapped.data(), wrapped.size());
        Value own(rapidjson::kArrayType);
        for (SizeType k = 0; k < list.Size(); ++k) {
            if (!unread[k]) {
                own.PushBack(list[k], allocator_);
                continue;
            }
            if (const std::string* text = entries.Find(0, 0, k))
                kept.values.push_back({own.Size(), *text, at});
        }
        list = own;
    }

    // The text of a value the game does not read, as the file writes it:
    // `value` of member `member` (BlockTexts::kWhole: the member's whole
    // value).  False, with a line, when it is nested too deeply to keep.
    bool KeptText(const Value& v, size_t member, size_t value, const std::string& what,
                  std::string& json) {
        if (NestingDepth(v) > kMaxKeptNesting) {
            Warn(what, "is nested too deeply to keep; it is not saved again");
            return false;
        }
        if (!blocksRead_) {
            blocksRead_ = true;
            // The first pass read the same text: the second cannot fail
            // where the first did not, and a value it did not take falls
            // back below.
            blocks_.Read(text_, length_);
        }
        if (const std::string* kept = blocks_.Find(index_, member, value)) {
            json = *kept;
            return true;
        }
        // Not found in the second pass (it cannot differ from the first):
        // the value as the reader holds it.
        rapidjson::StringBuffer text;
        rapidjson::Writer<rapidjson::StringBuffer> writer(text);
        v.Accept(writer);
        json.assign(text.GetString(), text.GetSize());
        return true;
    }

    void ReadSprite(const Value& obj, GameObjectData::Sprite& s) {
        const Value* a = BlockArray(obj, "VXSpriteComponent", s.present);
        if (!a) return;
        const char* what = "\"VXSpriteComponent\"";
        SizeType n = a->Size();
        SizeType i = 0;
        float* colour[4] = {&s.alpha, &s.red, &s.green, &s.blue};
        for (; i < 4 && i < n; ++i) Float((*a)[i], *colour[i], what);
        // The layer may be left out: then the playing flag stands in its place.
        if (i < n && (*a)[i].IsNumber()) {
            JsonInt((*a)[i], s.layer);
            ++i;
        }
        if (i < n) s.playing = (*a)[i++].IsTrue();
        int32_t* ints[4] = {&s.fps, &s.rowCount, &s.sheetColumns, &s.sheetRows};
        for (int k = 0; k < 4 && i < n; ++k) Int((*a)[i++], *ints[k], what);
        if (i < n) {
            if ((*a)[i].IsString())
                s.textureName.assign((*a)[i].GetString(), (*a)[i].GetStringLength());
            else
                Warn(what, "has no texture name");
            ++i;
        } else {
            Warn(what, "is too short; missing values keep their defaults");
        }
        if (s.rowCount < 0 || s.rowCount > kMaxSpriteRows) {
            Warn(what, "has a row count out of range; no animation rows");
            s.rowCount = 0;
        }
        if (s.rowCount == 0) return;
        // Rows are read only when the list is there; missing rows stay empty.
        if (i >= n || !(*a)[i].IsArray()) {
            Warn(what, "has no list of animation rows; rows left empty");
            return;
        }
        const Value& list = (*a)[i];
        for (SizeType k = 0; k < list.Size() && s.rows.size() < static_cast<size_t>(s.rowCount);
             ++k) {
            if (!list[k].IsArray()) continue;  // the row labels
            s.rows.emplace_back();
            for (SizeType c = 0; c < list[k].Size(); ++c) {
                int32_t cell = 0;
                if (s.rows.back().size() >= static_cast<size_t>(kMaxFramesPerRow)) break;
                if (JsonInt(list[k][c], cell))
                    s.rows.back().push_back(cell);
                else
                    Warn(what, "has a frame that is not a number; skipped");
            }
        }
    }

    // The first `count` numbers of a block go to `scalars`, the first
    // arrays to `triples`; labels are skipped.
    void Walk(const Value& a, float* const* scalars, int scalarCount, float* const* triples,
              int tripleCount, bool* read, const char* what) {
        int s = 0, t = 0;
        for (SizeType i = 0; i < a.Size(); ++i) {
            const Value& v = a[i];
            if (v.IsNumber() && s < scalarCount) {
                JsonFloat(v, *scalars[s]);
                read[s++] = true;
            } else if (v.IsArray() && t < tripleCount) {
                Floats(v, triples[t], 3, what);
                read[scalarCount + t++] = true;
            }
        }
        if (s < scalarCount || t < tripleCount)
            Warn(what, "is short; missing values keep their defaults");
    }

    void ReadRigidBody(const Value& obj, GameObjectData::RigidBody& r) {
        const Value* a = BlockArray(obj, "VXRigidBody", r.present);
        if (!a) return;
        float* scalars[3] = {&r.mass, &r.damping, &r.inverseMass};
        float* triples[4] = {r.acceleration, r.velocity, r.position, r.accumForce};
        Walk(*a, scalars, 3, triples, 4, r.read, "\"VXRigidBody\"");
    }

    void ReadAABB(const Value& obj, GameObjectData::AABB& b) {
        const Value* a = BlockArray(obj, "VXAABB", b.present);
        if (!a) return;
        float* scalars[2] = {&b.halfWidth, &b.halfHeight};
        float* triples[2] = {b.min, b.max};
        Walk(*a, scalars, 2, triples, 2, b.read, "\"VXAABB\"");
    }

    void ReadCircle(const Value& obj, GameObjectData::Circle& c) {
        const Value* a = BlockArray(obj, "VXCircleCollider", c.present);
        if (!a) return;
        // Read flags: radius first, then the centre.
        float* scalars[1] = {&c.radius};
        float* triples[1] = {c.centre};
        Walk(*a, scalars, 1, triples, 1, c.read, "\"VXCircleCollider\"");
    }

    void ReadMarker(const Value& obj, const char* key, GameObjectData::Marker& mk) {
        auto it = obj.FindMember(key);
        mk.present = it != obj.MemberEnd();
        if (!mk.present) return;
        if (!JsonInt(it->value, mk.value))
            Warn(key, "is not a number; the block still marks the component");
    }

    void ReadBullet(const Value& obj, GameObjectData::Bullet& b) {
        const Value* a = BlockArray(obj, "VXBulletComponent", b.present);
        if (!a) return;
        const char* what = "\"VXBulletComponent\"";
        if (a->Size() < 4) Warn(what, "is too short; missing values keep their defaults");
        if (a->Size() > 0) Int((*a)[0], b.first, what);
        if (a->Size() > 1) Float((*a)[1], b.lifetime, what);
        if (a->Size() > 2) Float((*a)[2], b.number, what);
        if (a->Size() > 3) Int((*a)[3], b.state, what);
    }

    // Every key "VXTextComponent" followed by decimal digits, in file order.
    void ReadTexts(const Value& obj, std::vector<GameObjectData::Text>& texts) {
        for (auto it = obj.MemberBegin(); it != obj.MemberEnd(); ++it) {
            int32_t number = 0;
            if (!TextKeyNumber(it->name.GetString(), it->name.GetStringLength(), number)) continue;
            GameObjectData::Text t;
            t.present = true;
            t.number = number;
            const char* what = "\"VXTextComponent\"";
            const Value& a = it->value;
            if (!a.IsArray()) {
                Warn(what, "is not an array; defaults used");
            } else {
                if (a.Size() < 5) Warn(what, "is too short; missing values keep their defaults");
                int32_t second = 0;
                if (a.Size() > 0) {
                    // A count; a negative number leaves it at 0.
                    if (a[0].IsUint())
                        t.value = a[0].GetUint();
                    else if (!JsonInt(a[0], second))
                        Warn(what, "has a first value that is not a number");
                    else if (second >= 0)
                        t.value = static_cast<uint32_t>(second);
                }
                float* colour[4] = {&t.alpha, &t.red, &t.green, &t.blue};
                for (SizeType k = 1; k < 5 && k < a.Size(); ++k) Float(a[k], *colour[k - 1], what);
            }
            texts.push_back(t);
        }
    }

    void ReadAudio(const Value& obj, GameObjectData::Audio& au) {
        const Value* a = BlockArray(obj, "VXAudioComponent", au.present);
        if (!a) return;
        for (SizeType i = 0; i < a->Size(); ++i) {
            if ((*a)[i].IsInt()) au.lastInt = (*a)[i].GetInt();
            if ((*a)[i].IsBool()) au.lastBool = (*a)[i].GetBool();
        }
    }

    // Written as: four numbers; optionally "ClonedObj", [names]; fuel, two
    // numbers, flag, score, two numbers; "ForceToAdd", [x, y];
    // "PlayerKey", [seven codes].
    void ReadPlayerLogic(const Value& obj, GameObjectData::PlayerLogic& p) {
        const Value* a = BlockArray(obj, "VXPlayerLogic", p.present);
        if (!a) return;
        const char* what = "\"VXPlayerLogic\"";
        SizeType n = a->Size();
        SizeType i = 0;
        for (; i < 4 && i < n; ++i) Float((*a)[i], p.durations[i], what);
        // The clone names: after the label, or (hand-written) a bare list.
        const Value* names = nullptr;
        if (i < n && (*a)[i].IsString() && std::strcmp((*a)[i].GetString(), "ClonedObj") == 0) {
            ++i;
            if (i < n && (*a)[i].IsArray()) names = &(*a)[i++];
        } else if (i < n && (*a)[i].IsArray()) {
            names = &(*a)[i++];
        }
        if (names)
            for (SizeType k = 0; k < names->Size(); ++k)
                if ((*names)[k].IsString())
                    p.clonedNames.emplace_back((*names)[k].GetString(),
                                               (*names)[k].GetStringLength());
        if (i < n) Int((*a)[i++], p.paintFuel, what);
        for (int k = 0; k < 2 && i < n; ++k) Float((*a)[i++], p.savedNumbers[k], what);
        if (i < n) p.canBeHit = (*a)[i++].IsTrue();
        if (i < n) Int((*a)[i++], p.score, what);
        for (int k = 0; k < 2 && i < n; ++k) Float((*a)[i++], p.thirdAndCooldown[k], what);
        // The two lists follow their labels.
        for (; i < n; ++i) {
            const Value& v = (*a)[i];
            if (!v.IsString() || i + 1 >= n) continue;
            const Value& list = (*a)[i + 1];
            if (std::strcmp(v.GetString(), "ForceToAdd") == 0) {
                Floats(list, p.force, 2, "\"ForceToAdd\"");
                ++i;
            } else if (std::strcmp(v.GetString(), "PlayerKey") == 0) {
                if (!list.IsArray()) {
                    Warn("\"PlayerKey\"", "is not an array; default kept");
                } else {
                    // Keys beyond seven were taken out and are kept.
                    for (SizeType k = 0; k < 7 && k < list.Size(); ++k)
                        Int(list[k], p.keys[k], "\"PlayerKey\"");
                }
                ++i;
            }
        }
    }

    // A sheet is at least 1 x 1 and at most kMaxSheetCells on a side.
    void ClampSheet(int32_t& columns, int32_t& rows, const char* what) {
        if (columns >= 1 && rows >= 1 && columns <= kMaxSheetCells && rows <= kMaxSheetCells)
            return;
        Warn(what, "has a sheet size out of range; clamped");
        columns = std::max(1, std::min(columns, kMaxSheetCells));
        rows = std::max(1, std::min(rows, kMaxSheetCells));
    }

    void ReadEmitter(const Value& obj, GameObjectData::Emitter& e) {
        const Value* a = BlockArray(obj, "VXParticleEmitter", e.present);
        if (!a) return;
        const char* what = "\"VXParticleEmitter\"";
        SizeType n = a->Size();
        if (n < 7) Warn(what, "is too short; missing values keep their defaults");
        if (n > 0) Int((*a)[0], e.sheetColumns, what);
        if (n > 1) Int((*a)[1], e.sheetRows, what);
        if (n > 2) {
            if ((*a)[2].IsString())
                e.imageName.assign((*a)[2].GetString(), (*a)[2].GetStringLength());
            else
                Warn(what, "has no image name");
        }
        // The image is looked for in the image folder and nowhere else.
        if (e.imageName.find("..") != std::string::npos ||
            e.imageName.find('\0') != std::string::npos ||
            (!e.imageName.empty() && e.imageName[0] == '/')) {
            Warn(what, "names an image outside the image folder; no image");
            e.imageName.clear();
        }
        if (n > 3) Int((*a)[3], e.maxNumber, what);
        if (n > 4) Float((*a)[4], e.lifetime, what);
        if (n > 5) Int((*a)[5], e.emitAmount, what);
        if (n > 6) Float((*a)[6], e.scale, what);
        ClampSheet(e.sheetColumns, e.sheetRows, what);
        if (e.maxNumber < 0 || e.maxNumber > kMaxEmitterParticles) {
            Warn(what, "asks for a particle count out of range; clamped");
            e.maxNumber = e.maxNumber < 0 ? 0 : kMaxEmitterParticles;
        }
    }

    void ReadWall(const Value& obj, GameObjectData::Wall& w) {
        const Value* a = BlockArray(obj, "VXWallLogicCom", w.present);
        if (!a) return;
        if (a->Size() < 2)
            Warn("\"VXWallLogicCom\"", "is too short; missing values keep their defaults");
        if (a->Size() > 0) Int((*a)[0], w.hitPoints, "\"VXWallLogicCom\"");
        if (a->Size() > 1) Float((*a)[1], w.lifeTimer, "\"VXWallLogicCom\"");
    }

    void ReadSpawnPoint(const Value& obj, GameObjectData::SpawnPoint& sp) {
        const Value* a = BlockArray(obj, "VXSpPointComponent", sp.present);
        if (!a) return;
        if (a->Size() < 2)
            Warn("\"VXSpPointComponent\"", "is too short; missing values keep their defaults");
        if (a->Size() > 0) Float((*a)[0], sp.restTimer, "\"VXSpPointComponent\"");
        if (a->Size() > 1) Int((*a)[1], sp.value, "\"VXSpPointComponent\"");
    }

    void ReadPlacement(const Value& obj, GameObjectData& d) {
        auto m = obj.FindMember("MY PARENT");
        if (m != obj.MemberEnd()) {
            if (m->value.IsString())
                d.parentName.assign(m->value.GetString(), m->value.GetStringLength());
            else
                Warn("\"MY PARENT\"", "is not a string; the object stays a root");
        }
        m = obj.FindMember("position");
        if (m != obj.MemberEnd()) {
            Floats(m->value, d.position, 2, "\"position\"");
            if (m->value.IsArray() && m->value.Size() > 2)
                Warn("\"position\"", "holds more than x and y; the rest ignored");
        } else {
            Warn("\"position\"", "is missing; (0, 0) used");
        }
        static const char* const keys[5] = {"rotationX", "rotationY", "rotationZ", "scaleX",
                                            "scaleY"};
        float* fields[5] = {&d.rotation[0], &d.rotation[1], &d.rotation[2], &d.scale[0],
                            &d.scale[1]};
        for (int k = 0; k < 5; ++k) {
            m = obj.FindMember(keys[k]);
            if (m != obj.MemberEnd()) Float(m->value, *fields[k], keys[k]);
        }
    }

    std::string source_;
    const char* text_;
    size_t length_;
    rapidjson::Document::AllocatorType& allocator_;
    BlockTexts blocks_;
    bool blocksRead_ = false;
    std::vector<std::string>& lines_;
    std::string name_;
    SizeType index_ = 0;
    int warnings_ = 0;
};

bool ReadDocument(rapidjson::Document& doc, const char* text, size_t length,
                  const std::string& source, VXObjectLoader& loader) {
    loader.failure = VXObjectLoader::None;
    loader.failureDetail.clear();
    if (doc.HasParseError()) {
        loader.failure = VXObjectLoader::NotJson;
        loader.failureDetail = std::string(rapidjson::GetParseError_En(doc.GetParseError())) +
                               " at offset " + std::to_string(doc.GetErrorOffset());
        std::cout << "ERROR: " << source << " is not valid JSON (" << loader.failureDetail
                  << "); nothing loaded" << std::endl;
        return false;
    }
    if (!doc.IsArray()) {
        loader.failure = VXObjectLoader::NotArray;
        std::cout << "ERROR: " << source << " does not hold an array of objects; nothing loaded"
                  << std::endl;
        return false;
    }
    {
        RecordReader reader(source, text, length, doc.GetAllocator(), loader.warnings);
        reader.ReadRoot(doc, loader.records);
    }
    return true;
}

}  // namespace

bool VXObjectLoader::Load(const std::string& path) {
    warnings.clear();
    std::string text;
    std::string why;
    if (!Platform::ReadTextFile(path, text, why)) {
        failure = Unreadable;
        std::cout << "loading from " << path << " failed! (" << why << ")" << std::endl;
        return false;
    }
    return LoadFromMemory(text.data(), text.size(), path);
}

bool VXObjectLoader::LoadFromMemory(const char* text, size_t length, const std::string& source) {
    warnings.clear();
    if (!text) length = 0;
    Platform::DropByteOrderMark(text, length);
    // JSON text never holds a NUL byte: a binary file is named as such, not
    // as an empty document.
    if (length && std::memchr(text, '\0', length)) {
        failure = NotJson;
        failureDetail = "a binary file, not JSON";
        std::cout << "ERROR: " << source << " is not valid JSON (" << failureDetail << "); "
                  << "nothing loaded" << std::endl;
        return false;
    }
    if (!text) text = "";
    rapidjson::Document doc;
    doc.Parse<kParseFlags>(text, length);
    return ReadDocument(doc, text, length, source, *this);
}

}  // namespace FrameWork
