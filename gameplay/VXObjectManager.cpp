#include "gameplay/VXObjectManager.h"

#include "core/DataRoot.h"
#include "core/Message.h"
#include "core/VXDebugManager.h"
#include "core/VXGlobalTables.h"
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXBlockBomb.h"
#include "gameplay/VXComponentKinds.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameManagerComponent.h"
#include "gameplay/VXHazards.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXProjectiles.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"
#include "objects/VXFileWrite.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"

#include <rapidjson/writer.h>

#include <algorithm>
#include <iostream>
#include <memory>

namespace FrameWork {

int selectedObjectIndex = 0;

static const std::string kPrefabFolder = DataPath("objects/prefabs/");
static const char* const kParentKey = "MY PARENT";

std::string ObjectsToText(const std::vector<GameObject*>& objects) {
    rapidjson::StringBuffer buffer;
    buffer.Put('[');
    bool first = true;
    for (GameObject* object : objects) {
        if (!object || !object->m_active || object->g_name == "mouse") continue;
        if (!first) buffer.Put(',');
        first = false;
        object->Serialize(buffer);
    }
    buffer.Put(']');
    std::string text(buffer.GetString(), buffer.GetSize());
    text += '\n';
    return text;
}

bool SaveObjectsToFile(const std::vector<GameObject*>& objects, const std::string& path) {
    return WriteFileAtomic(path, ObjectsToText(objects));
}

bool SavePrefab(GameObject* const& object) {
    if (!object) {
        std::cout << "ERROR: no object to save as a prefab" << std::endl;
        return false;
    }
    const std::string path = kPrefabFolder + object->g_name + ".json";
    rapidjson::StringBuffer buffer;
    buffer.Put('[');
    // A prefab's parent is no object of the level it is loaded into: it is
    // written where it is drawn.
    object->Serialize(buffer, true);
    buffer.Put(']');
    std::string text(buffer.GetString(), buffer.GetSize());
    text += '\n';
    return WriteFileAtomic(path, text);
}

VXObjectManager::VXObjectManager()
    : graphics(VXGraphicsManager::Instance()),
      physics(VXPhysicsManager::Instance()),
      debug(VXDebugManager::Existing()) {}

VXObjectManager::~VXObjectManager() {
    Clear();
}

void VXObjectManager::CreateGameObject(float scaleX, float scaleY, int type, bool active,
                                       float posX, float posY, std::string name, float rotX,
                                       float rotY, float rotZ) {
    objects.push_back(new GameObject(scaleX, scaleY, type, active ? 1 : 0, 1, 0, posX, posY,
                                     std::move(name), rotX, rotY, rotZ));
}

GameObject* VXObjectManager::FindObject(const std::string& name) const {
    for (GameObject* object : objects)
        if (object && object->g_name == name) return object;
    return nullptr;
}

void VXObjectManager::Clear() {
    // `walls` points into `objects`: it goes with them.
    walls.clear();
    for (GameObject* object : objects) delete object;
    objects.clear();
    for (GameObject* object : prefabs) delete object;
    prefabs.clear();
    loader.records.clear();
}

bool VXObjectManager::SaveObjects(const std::string& path) {
    return SaveObjectsToFile(objects, path);
}

void VXObjectManager::ApplyPlayerChoice(const GameLevelInitObject& entry) {
    const VXCharacter* kind = FindCharacter(entry.characterKind);
    if (!kind) {
        std::cout << "ERROR: player " << entry.playerNumber << " has no character ("
                  << entry.characterKind << "); skipped" << std::endl;
        return;
    }
    const char* character = kind->name;
    GameObject* object = FindObject(character);
    if (!object) {
        std::cout << "ERROR: the level has no object \"" << character << "\" for player "
                  << entry.playerNumber << "; skipped" << std::endl;
        return;
    }
    VXPlayerLogic* logic = object->GetPlayerLogic();
    if (!logic) {
        std::cout << "ERROR: \"" << character << "\" has no player logic; player "
                  << entry.playerNumber << " skipped" << std::endl;
        return;
    }
    if (entry.playerNumber >= 1 && entry.playerNumber <= 6)
        object->g_name = "Player" + std::to_string(entry.playerNumber);
    logic->team = entry.team;
}

GameObject* VXObjectManager::CloneObject(GameObject* source) {
    if (!source) {
        std::cout << "ERROR: nothing to clone" << std::endl;
        return nullptr;
    }
    GameObject* clone = GameObject::CloneFrom(*source);
    // A template's kept parent name is not the clone's: the clone has none.
    std::vector<UnreadBlock>& blocks = clone->unreadBlocks;
    blocks.erase(std::remove_if(blocks.begin(), blocks.end(),
                                [](const UnreadBlock& b) { return b.key == kParentKey; }),
                 blocks.end());
    objects.push_back(clone);
    for (int32_t id : clone->pendingComponentTypes) AddComponentById(clone, id, 0);
    clone->CopyUnreadValuesFrom(*source);

    auto* from = static_cast<VXSpriteComponent*>(source->GetComponent(CT_Sprite));
    auto* to = static_cast<VXSpriteComponent*>(clone->GetComponent(CT_Sprite));
    if (!from) {
        std::cout << "WARNING: \"" << source->g_name
                  << "\" has no sprite; its clone takes no texture or animation" << std::endl;
        return clone;
    }
    if (to) {
        if (VXTextureRecord* record = graphics->FindTexture(from->GetTextureName()))
            to->texture = record;
        to->animation.CopyFrom(from->animation);
    }
    return clone;
}

bool VXObjectManager::SaveSelectedAsPrefab() {
    if (selectedObjectIndex < 0 || static_cast<size_t>(selectedObjectIndex) >= objects.size()) {
        std::cout << "ERROR: no object at index " << selectedObjectIndex << " to save as a prefab"
                  << std::endl;
        return false;
    }
    return SavePrefab(objects[static_cast<size_t>(selectedObjectIndex)]);
}

// --- Loading ---------------------------------------------------------------

bool VXObjectManager::LoadObjects(const std::string& path) {
    bool ok = loader.Load(path);
    BuildLoadedObjects(false);
    return ok;
}

bool VXObjectManager::LoadPrefabs(const std::string& path) {
    bool ok = loader.Load(path);
    BuildLoadedObjects(true);
    return ok;
}

void VXObjectManager::BuildLoadedObjects(bool asPrefabs) {
    for (const GameObjectData& record : loader.records) BuildRecord(record, asPrefabs);
    loader.records.clear();
}

void VXObjectManager::BuildRecord(const GameObjectData& d, bool asPrefab) {
    GameObject* object =
        new GameObject(d.scale[0], d.scale[1], d.type, d.active ? 1 : 0, 1, 0, d.position[0],
                       d.position[1], d.name, d.rotation[0], d.rotation[1], d.rotation[2]);
    if (asPrefab) {
        prefabs.push_back(object);
    } else {
        objects.push_back(object);
        if (d.type == GameObject::WallCollider) walls.push_back(object);
    }

    size_t count = 0;
    const ComponentKind* kinds = InstalledComponentKinds(count);
    for (size_t k = 0; k < count; ++k)
        if (kinds[k].build && (!asPrefab || kinds[k].inPrefabs)) kinds[k].build(object, d);
    object->unreadBlocks = d.unreadBlocks;

    if (asPrefab)
        KeepParentName(object, d.parentName);
    else
        LinkToParent(object, d.parentName);
    // The oriented box is built from the object's own (local) size, as the
    // editor built it.
    if (d.obbPresent && !asPrefab) AddOBBComponent(object);
    object->KeepUnreadValues(d.unreadValues);
    if (asPrefab) LeaveManagerLists(object);
}

namespace {

template <class T>
void DropOwnedBy(std::vector<std::shared_ptr<T>>& list, const GameObject* object) {
    list.erase(
        std::remove_if(list.begin(), list.end(),
                       [object](const std::shared_ptr<T>& c) { return c && c->owner == object; }),
        list.end());
}

}  // namespace

void VXObjectManager::LeaveManagerLists(const GameObject* object) {
    if (graphics) {
        DropOwnedBy(graphics->renderList, object);
        DropOwnedBy(graphics->textList, object);
        DropOwnedBy(graphics->emitters, object);
    }
    if (physics) {
        DropOwnedBy(physics->aabbs, object);
        DropOwnedBy(physics->obbs, object);
        DropOwnedBy(physics->circles, object);
        DropOwnedBy(physics->bodies, object);
    }
}

void VXObjectManager::KeepParentName(GameObject* object, const std::string& parentName) {
    if (parentName.empty()) return;
    rapidjson::StringBuffer text;
    rapidjson::Writer<rapidjson::StringBuffer> writer(text);
    writer.String(parentName.c_str(), static_cast<rapidjson::SizeType>(parentName.size()));
    // Written where a linked parent's name is (no "MY PARENT" key is written
    // for an object without a parent): before the placement, and before the
    // blocks that followed it in the file.
    std::vector<UnreadBlock>& blocks = object->unreadBlocks;
    const auto next = std::find_if(blocks.begin(), blocks.end(),
                                   [](const UnreadBlock& b) { return b.after == kParentKey; });
    blocks.insert(
        next, UnreadBlock{kParentKey, kParentKey, std::string(text.GetString(), text.GetSize())});
}

void VXObjectManager::LinkToParent(GameObject* object, const std::string& parentName) {
    if (parentName.empty()) return;
    GameObject* parent = FindObject(parentName);
    if (!parent || parent == object) return;
    // Saved in world values; made local to the parent again.  An axis on
    // which the parent has no size keeps the saved value.
    for (int i = 0; i < 2; ++i) {
        float s = parent->scale[i];
        if (s == 0.0f) continue;
        object->position[i] = (object->position[i] - parent->position[i]) / s;
        object->scale[i] = object->scale[i] / s;
    }
    parent->AttachChild(object);
}

// --- Component creators ----------------------------------------------------

void VXObjectManager::AddComponentById(GameObject* owner, int typeId, int number) {
    const ComponentKind* kind = FindComponentKind(typeId);
    if (kind && kind->madeById) AddComponentOfKind(owner, typeId, number);
}

void VXObjectManager::AddSpriteComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_Sprite);
}
void VXObjectManager::AddRigidBodyComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_RigidBody);
}
void VXObjectManager::AddAABBComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_AABB);
}
void VXObjectManager::AddOBBComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_OBB);
}
void VXObjectManager::AddCircleColliderComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_CircleCollider);
}
void VXObjectManager::AddTextComponent(GameObject* owner, int number) {
    AddComponentOfKind(owner, CT_Text, number);
}
void VXObjectManager::AddParticleEmitterComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_ParticleEmitter);
}
void VXObjectManager::AddPlayerLogicComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_PlayerLogic);
}
void VXObjectManager::AddGameManagerComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_GameManager);
}
void VXObjectManager::AddWallLogicComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_WallLogic);
}
void VXObjectManager::AddSpawnPointComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_SpawnPoint);
}
void VXObjectManager::AddBlockBombComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_BlockBomb);
}
void VXObjectManager::AddFlagComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_Flag);
}
void VXObjectManager::AddTrapComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_Trap);
}
void VXObjectManager::AddShootLogicComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_ShootLogic);
}
void VXObjectManager::AddEnemyLogicComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_EnemyLogic);
}
void VXObjectManager::AddBulletComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_Bullet);
}
void VXObjectManager::AddMineComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_Mine);
}
void VXObjectManager::AddMopComponent(GameObject* owner) {
    AddComponentOfKind(owner, CT_Mop);
}

}  // namespace FrameWork
