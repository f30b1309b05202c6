#include "objects/GameObject.h"

#include "objects/ComponentFactory.h"

#include "core/Message.h"
#include "core/VXMath.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>

namespace FrameWork {

GameObject::GameObject(float scaleX, float scaleY, int32_t type, uint8_t active, uint8_t rootFlag,
                       uint8_t childFlag, float posX, float posY, std::string name, float rotX,
                       float rotY, float rotZ)
    : g_name(std::move(name)),
      objectType(type),
      m_active(active),
      isRoot(rootFlag),
      isChild(childFlag) {
    position[0] = posX;
    position[1] = posY;
    rotation[0] = rotX;
    rotation[1] = rotY;
    rotation[2] = rotZ;
    scale[0] = scaleX;
    scale[1] = scaleY;
    std::copy(rotation, rotation + 3, previousRotation);
    Matrix4::Identity(worldMatrix);
    Matrix4::Identity(localMatrix);
    components.reserve(15);
    UpdateTransform();
}

GameObject::~GameObject() {
    // A child leaves its parent's list so the parent never reaches a freed
    // object; a parent's children become roots where they stand, so they
    // never build their matrix from a freed parent.
    if (parent) parent->ForgetChild(this);
    parent = nullptr;
    ReleaseChildren();
    // A component may outlive its object in a manager's list: it is left
    // switched off and without an owner rather than pointing at freed memory.
    for (auto& c : components) {
        if (!c) continue;
        c->active = 0;
        c->owner = nullptr;
    }
    components.clear();
}

GameObject* GameObject::CloneFrom(const GameObject& source) {
    GameObject* clone = new GameObject();
    std::copy(source.position, source.position + 2, clone->position);
    std::copy(source.rotation, source.rotation + 3, clone->rotation);
    std::copy(source.scale, source.scale + 2, clone->scale);
    clone->objectType = source.objectType;
    // A clone stands on its own: it is a root even when the source is a
    // child, since no parent is copied.
    clone->isRoot = 1;
    clone->isChild = 0;
    clone->g_name = source.g_name + "_cloned";
    clone->m_active = 1;
    std::copy(clone->rotation, clone->rotation + 3, clone->previousRotation);
    Matrix4::Identity(clone->worldMatrix);
    Matrix4::Identity(clone->localMatrix);
    clone->components.reserve(15);
    for (const auto& c : source.components)
        if (c) clone->pendingComponentTypes.push_back(c->type);
    clone->unreadBlocks = source.unreadBlocks;
    clone->UpdateTransform();
    return clone;
}

void GameObject::Update(float dt) {
    if (rotation[2] > 359.0f) rotation[2] = 0.0f;
    if (rotation[2] < 0.0f) rotation[2] = 359.0f;

    UpdateMessage message(dt);
    // A component may attach another during its update; walk a copy.
    std::vector<std::shared_ptr<Component>> current = components;
    for (auto& c : current)
        if (c) c->HandleMessage(&message);

    UpdateTransform();
    if (follower) {
        follower->position[0] = position[0];
        follower->position[1] = position[1] + 70.0f;
    }
}

// Truncates toward zero as an integer conversion does, without the
// undefined conversion of values outside the int range.
static int64_t TruncToInt(float v) {
    if (!std::isfinite(v)) return 0;
    double t = std::trunc(static_cast<double>(v));
    t = std::max(-2147483648.0, std::min(2147483647.0, t));
    return static_cast<int64_t>(t);
}

float GameObject::SnappedPosition(int axis) const {
    // Snapping needs a positive grid step; with none the position is kept.
    if (!snapToGrid || gridSize <= 0) return position[axis];
    return static_cast<float>((TruncToInt(position[axis]) / gridSize) * gridSize);
}

void GameObject::BuildMatrix(float m[16]) {
    Matrix4::Identity(m);
    m[0] = scale[0];
    m[5] = scale[1];
    Matrix4::Rotate(m, rotation[0], 1.0f, 0.0f, 0.0f);
    Matrix4::Rotate(m, rotation[1], 0.0f, 1.0f, 0.0f);
    Matrix4::Rotate(m, rotation[2], 0.0f, 0.0f, 1.0f);
    position[0] = SnappedPosition(0);
    position[1] = SnappedPosition(1);
    m[3] = position[0];
    m[7] = position[1];
}

void GameObject::UpdateTransform() {
    if (!isRoot) {
        UpdateChildTransform();
        return;
    }
    BuildMatrix(worldMatrix);
}

void GameObject::UpdateChildTransform() {
    BuildMatrix(localMatrix);
    if (parent) {
        float product[16];
        Matrix4::Multiply(parent->worldMatrix, product, localMatrix);
        Matrix4::Copy(worldMatrix, product);
    } else {
        Matrix4::Copy(worldMatrix, localMatrix);
    }
}

bool GameObject::Attach(std::shared_ptr<Component> component, int32_t typeId, bool unique) {
    if (!component) return false;
    if (unique && HasComponent(typeId)) {
        std::cout << "Component already exist" << std::endl << g_name << std::endl;
        return false;
    }
    component->type = typeId;
    components.push_back(std::move(component));
    return true;
}

bool GameObject::HasComponent(int typeId) const {
    return GetComponent(typeId) != nullptr;
}

Component* GameObject::GetComponent(int typeId) const {
    for (const auto& c : components)
        if (c && c->type == typeId) return c.get();
    return nullptr;
}

std::string GameObject::TypeToString(int type) {
    switch (type) {
        case BaseGameObject:
            return "BaseGameObject";
        case Empty:
            return "Empty";
        case MainPlayer:
            return "MainPlayer";
        case Enemy:
            return "Enemy";
        case Tiles:
            return "Tiles";
        case Bullet:
            return "Bullet";
        case Pirate:
            return "Pirate";
        case Viking:
            return "Viking";
        case Knight:
            return "Knight";
        case UI:
            return "UI";
        case AudioObject:
            return "AudioObject";
        case Menu:
            return "Menu";
        case GameManagerObject:
            return "GameManagerObject";
        case SpawnPointObject:
            return "SpawnPointObject";
        case WallCollider:
            return "WallCollider";
        case Archer:
            return "Archer";
        case Samurai:
            return "Samurai";
        case Maid:
            return "Maid";
        default:
            return "NO SUCH THING";
    }
}

std::string GameObject::GetTypeName() const {
    return TypeToString(objectType);
}

void GameObject::SetActive(uint8_t a) {
    m_active = a;
    for (auto& c : components)
        if (c) c->active = a;
}

GameObject* GameObject::FindChild(const std::string& name) const {
    if (!isRoot) return nullptr;
    for (GameObject* child : children)
        if (child && child->g_name == name) return child;
    return nullptr;
}

void GameObject::DetachChild(const std::string& name) {
    Disown(FindChild(name));
}

void GameObject::Disown(GameObject* child) {
    if (!child || child->parent != this) return;
    MakeRoot(child);
    // It leaves the list too, so the list never holds an object that may be
    // destroyed without telling this one.
    ForgetChild(child);
}

void GameObject::StandAlone() {
    // The children first, while this object still draws them.
    ReleaseChildren();
    if (parent) parent->Disown(this);
}

void GameObject::ReleaseChildren() {
    for (GameObject* child : children)
        if (child && child->parent == this) MakeRoot(child);
    children.clear();
}

void GameObject::MakeRoot(GameObject* child) const {
    const PlaneTransform drawn = child->DrawnTransform();
    child->isRoot = 1;
    child->isChild = 0;
    child->parent = nullptr;
    child->TakeDrawnTransform(drawn);
}

void GameObject::AttachChild(GameObject* child) {
    if (!child || child == this) return;
    if (child->parent) child->parent->ForgetChild(child);
    child->isRoot = 0;
    child->isChild = 1;
    child->parent = this;
    children.push_back(child);
}

void GameObject::ForgetChild(const GameObject* child) {
    children.erase(std::remove(children.begin(), children.end(), child), children.end());
}

namespace {

// A kind's place in the installed kind table, the order in which a loaded
// object's components are built; kinds outside the table last.
size_t LoadOrder(int32_t type) {
    size_t count = 0;
    const ComponentKind* kinds = InstalledComponentKinds(count);
    for (size_t k = 0; k < count; ++k)
        if (kinds[k].type == type) return k;
    return count;
}

// The first key written into `buffer` from `from` on ("" when none).
std::string FirstKeyFrom(const rapidjson::StringBuffer& buffer, size_t from) {
    const char* text = buffer.GetString();
    const size_t size = buffer.GetSize();
    size_t open = from;
    while (open < size && text[open] != '"') ++open;
    std::string key;
    for (size_t i = open + 1; i < size && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < size) ++i;
        key += text[i];
    }
    return open < size ? key : std::string();
}

// Puts the object's unread blocks back among the blocks it writes: each
// one after the key it followed in the file.
class UnreadBlockWriter {
public:
    UnreadBlockWriter(const std::vector<UnreadBlock>& blocks, JsonWriter& writer)
        : blocks_(blocks), writer_(writer), written_(blocks.size(), false) {}

    // The blocks that followed `key`.
    void After(const std::string& key) {
        for (size_t i = 0; i < blocks_.size(); ++i)
            if (!written_[i] && blocks_[i].after == key) Write(i);
    }
    // The blocks whose key is not among `later` (the keys still to come):
    // their key is no longer written, and they keep their place among the
    // components.
    void NotAfter(const std::vector<std::string>& later) {
        for (size_t i = 0; i < blocks_.size(); ++i)
            if (!written_[i] &&
                std::find(later.begin(), later.end(), blocks_[i].after) == later.end())
                Write(i);
    }

private:
    void Write(size_t i) {
        written_[i] = true;
        const UnreadBlock& block = blocks_[i];
        // The reader made the text from a parsed value; anything else is
        // not JSON and is left out rather than breaking the file.
        if (!WriteJsonText(writer_, block.json, &block.key))
            std::cout << "WARNING: the block \"" << block.key << "\" is not JSON; not saved"
                      << std::endl;
    }

    const std::vector<UnreadBlock>& blocks_;
    JsonWriter& writer_;
    std::vector<bool> written_;
};

// The key of the block `component` writes ("" when it writes none).
std::string BlockKey(Component& component) {
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.StartObject();
    const size_t from = buffer.GetSize();
    component.Serialize(writer, buffer);
    return FirstKeyFrom(buffer, from);
}

}  // namespace

void GameObject::KeepUnreadValues(const std::vector<UnreadValues>& blocks) {
    if (blocks.empty()) return;
    std::vector<std::string> keys;
    for (const auto& c : components) keys.push_back(c ? BlockKey(*c) : std::string());
    for (const UnreadValues& block : blocks)
        for (size_t k = 0; k < components.size(); ++k)
            if (components[k] && keys[k] == block.key && components[k]->unreadValues.empty()) {
                components[k]->unreadValues = block.values;
                break;
            }
}

void GameObject::CopyUnreadValuesFrom(const GameObject& source) {
    // The n-th component of a kind takes what the source's n-th of that kind
    // kept.
    std::map<int32_t, size_t> seen;
    for (const auto& c : components) {
        if (!c) continue;
        size_t n = seen[c->type]++;
        for (const auto& from : source.components)
            if (from && from->type == c->type && n-- == 0) {
                c->unreadValues = from->unreadValues;
                break;
            }
    }
}

void GameObject::Serialize(rapidjson::StringBuffer& buffer, bool inWorld) const {
    JsonWriter writer(buffer);
    writer.SetIndent(' ', 4);
    UnreadBlockWriter unread(unreadBlocks, writer);
    writer.StartObject();
    unread.After("");
    writer.Key("GameObject");
    writer.Int(objectType);
    unread.After("GameObject");
    writer.Key("g_name");
    writer.String(g_name.c_str(), static_cast<rapidjson::SizeType>(g_name.size()));
    unread.After("g_name");
    writer.Key("m_active");
    writer.Bool(m_active != 0);
    unread.After("m_active");
    // In the order the loader builds the kinds, so that an object whose
    // components were added in another order (in the editor) loads back
    // into the text it was saved as.
    std::vector<Component*> written;
    for (const auto& c : components)
        if (c && c->active) written.push_back(c.get());
    std::stable_sort(written.begin(), written.end(), [](const Component* a, const Component* b) {
        return LoadOrder(a->type) < LoadOrder(b->type);
    });
    for (Component* c : written) {
        const size_t from = buffer.GetSize();
        writer.PutBackInNextBlock(&c->unreadValues);
        c->Serialize(writer, buffer);
        writer.PutBackInNextBlock(nullptr);
        const std::string key = FirstKeyFrom(buffer, from);
        if (!key.empty()) unread.After(key);
    }

    std::vector<std::string> placement = {"position",  "rotationX", "rotationY",
                                          "rotationZ", "scaleX",    "scaleY"};
    if (parent) placement.insert(placement.begin(), "MY PARENT");
    unread.NotAfter(placement);

    // A child is stored in world values; the object itself keeps its local
    // values (the converted ones are copies).
    float pos[2] = {position[0], position[1]};
    float rot[3] = {rotation[0], rotation[1], rotation[2]};
    float scl[2] = {scale[0], scale[1]};
    if (parent) {
        writer.Key("MY PARENT");
        writer.String(parent->g_name.c_str(),
                      static_cast<rapidjson::SizeType>(parent->g_name.size()));
        unread.After("MY PARENT");
        if (inWorld) {
            WorldPlacement(pos, rot, scl);
        } else {
            for (int i = 0; i < 2; ++i) {
                pos[i] = parent->position[i] + parent->scale[i] * position[i];
                scl[i] = parent->scale[i] * scale[i];
            }
        }
    }
    writer.Key("position");
    SetOneLine(writer, true);
    writer.StartArray();
    WriteNumber(writer, pos[0]);
    WriteNumber(writer, pos[1]);
    writer.EndArray();
    SetOneLine(writer, false);
    unread.After("position");
    const float numbers[5] = {rot[0], rot[1], rot[2], scl[0], scl[1]};
    for (int k = 0; k < 5; ++k) {
        const std::string& key = placement[placement.size() - 5 + static_cast<size_t>(k)];
        writer.Key(key.c_str(), static_cast<rapidjson::SizeType>(key.size()));
        WriteNumber(writer, numbers[k]);
        unread.After(key);
    }
    writer.EndObject();
}

}  // namespace FrameWork
