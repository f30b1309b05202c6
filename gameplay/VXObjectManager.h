// The object list of one level or screen: it owns the level's objects and
// prefabs, creates, finds, clones, loads, saves and destroys them, and hands
// their components to the graphics and physics managers.
#pragma once

#include "objects/VXObjectLoader.h"

#include <string>
#include <vector>

namespace FrameWork {

class GameObject;
class GameLevelInitObject;
class VXGraphicsManager;
class VXPhysicsManager;
class VXDebugManager;
class Component;

// The index, in the editor's object list, of the object selected in the
// editor; SaveSelectedAsPrefab saves that object.
extern int selectedObjectIndex;

// Writes `objects` as a save file: inactive objects and the object named
// "mouse" are left out.  The text goes to a temporary file in the same
// folder, which then replaces `path`; on any failure the previous file is
// untouched, a line is printed and false returned.
bool SaveObjectsToFile(const std::vector<GameObject*>& objects, const std::string& path);
// The text SaveObjectsToFile writes (with its final line end).
std::string ObjectsToText(const std::vector<GameObject*>& objects);

// Writes `object` as a prefab file DataPath("objects/prefabs/") +
// name + ".json".  Returns whether the file was written.
bool SavePrefab(GameObject* const& object);

class VXObjectManager {
public:
    VXObjectManager();
    ~VXObjectManager();

    VXObjectManager(const VXObjectManager&) = delete;
    VXObjectManager& operator=(const VXObjectManager&) = delete;

    void CreateGameObject(float scaleX, float scaleY, int type, bool active, float posX, float posY,
                          std::string name, float rotX, float rotY, float rotZ);
    // The first object of `objects` named exactly `name`, or null.
    GameObject* FindObject(const std::string& name) const;
    // Destroys the objects, then the prefabs; empties every list.
    void Clear();

    bool SaveObjects(const std::string& path);
    // Appends one empty list to the receiver's object lists, then every wall
    // to its first list.
    template <class Instancer>
    void CopyWallList(Instancer* receiver) {
        if (!receiver) return;
        receiver->objectLists.emplace_back();
        for (GameObject* wall : walls) receiver->objectLists.front().push_back(wall);
    }
    void ApplyPlayerChoice(const GameLevelInitObject& entry);
    GameObject* CloneObject(GameObject* source);
    bool SaveSelectedAsPrefab();

    // Loading object files.
    bool LoadObjects(const std::string& path);
    bool LoadPrefabs(const std::string& path);
    // Builds the loader's records into `objects` (or, as prefabs, into
    // `prefabs`) and empties the records.
    void BuildLoadedObjects(bool asPrefabs);

    // Component creators: make through the component kinds, attach, and
    // register what was attached (thin calls of one walk of the kinds).
    void AddSpriteComponent(GameObject* owner);
    void AddRigidBodyComponent(GameObject* owner);
    void AddAABBComponent(GameObject* owner);
    void AddOBBComponent(GameObject* owner);
    void AddCircleColliderComponent(GameObject* owner);
    void AddTextComponent(GameObject* owner, int number);
    void AddParticleEmitterComponent(GameObject* owner);
    void AddPlayerLogicComponent(GameObject* owner);
    void AddGameManagerComponent(GameObject* owner);
    void AddWallLogicComponent(GameObject* owner);
    void AddSpawnPointComponent(GameObject* owner);
    void AddBlockBombComponent(GameObject* owner);
    void AddFlagComponent(GameObject* owner);
    void AddTrapComponent(GameObject* owner);
    void AddShootLogicComponent(GameObject* owner);
    void AddEnemyLogicComponent(GameObject* owner);
    void AddBulletComponent(GameObject* owner);
    void AddMineComponent(GameObject* owner);
    void AddMopComponent(GameObject* owner);
    void AddComponentById(GameObject* owner, int typeId, int number);

    VXGraphicsManager* graphics = nullptr;
    VXPhysicsManager* physics = nullptr;
    VXDebugManager* debug = nullptr;
    std::vector<GameObject*> walls;
    std::vector<GameObject*> objects;
    // Templates for CloneObject, in none of the managers' lists.
    std::vector<GameObject*> prefabs;
    VXObjectLoader loader;

private:
    void BuildRecord(const GameObjectData& record, bool asPrefab);
    // A prefab is a template: its components join no draw or physics list,
    // so nothing of it is drawn, collides or moves, whatever its active
    // flags, until a clone is made of it.
    void LeaveManagerLists(const GameObject* object);
    // A prefab is a template: the parent its file names ties it to no
    // object of the level.  The name stays with the prefab, written back
    // where it stood, and the prefab keeps the place and size it was saved
    // with (a child is saved in world values), which its clones copy.
    void KeepParentName(GameObject* object, const std::string& parentName);
    // Links `object` under the first object named `parentName` that is
    // already in the list.
    void LinkToParent(GameObject* object, const std::string& parentName);
};

}  // namespace FrameWork
