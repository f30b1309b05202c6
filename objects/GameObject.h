// The scene object of every level, screen and the editor: name, type,
// transform, active flag, components, parent and children, follower.
#pragma once

#include "objects/Component.h"
#include "objects/ComponentType.h"

#include <rapidjson/stringbuffer.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace FrameWork {

class GameObject {
public:
    enum ObjectType : int32_t {
        BaseGameObject = 0,
        Empty = 1,
        MainPlayer = 2,
        Enemy = 3,
        Tiles = 4,
        Bullet = 5,
        Pirate = 6,
        Viking = 7,
        Knight = 8,
        UI = 9,
        AudioObject = 10,
        Menu = 11,
        GameManagerObject = 12,
        SpawnPointObject = 13,
        WallCollider = 14,
        Archer = 15,
        Samurai = 18,
        Maid = 19,
    };

    // Matrices identity, parent null, previousRotation = rotation, then the
    // matrices are built once.  Ordinary objects: rootFlag 1, childFlag 0.
    GameObject(float scaleX, float scaleY, int32_t type, uint8_t active, uint8_t rootFlag,
               uint8_t childFlag, float posX, float posY, std::string name, float rotX,
               float rotY, float rotZ);
    // Unlinks the object from its parent and its children (neither is
    // deleted), clears every component's active flag and releases them.
    ~GameObject();

    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    // A new root object copied from `source` for cloning: transform and type
    // copied, name + "_cloned", active, no parent, children or follower, no
    // components; the source's component type ids go to
    // pendingComponentTypes in list order.
    static GameObject* CloneFrom(const GameObject& source);

    // Wraps rotation z, sends the frame message to every component, rebuilds
    // the matrices and drags the follower along 70 units above.
    void Update(float dt);
    void UpdateTransform();
    void UpdateChildTransform();

    // Attaching and finding components.  AddComponent refuses a second
    // component of the same type ("Component already exist" and the
    // object's name on standard output) and returns whether it attached.
    template <class T>
    bool AddComponent(std::shared_ptr<T> component) {
        return Attach(std::shared_ptr<Component>(std::move(component)), ComponentTypeOf<T>::value,
                      true);
    }
    // Texts are always attached; one object may carry several.
    bool AddTextComponent(std::shared_ptr<VXTextComponent> component);
    bool HasComponent(int typeId) const;
    Component* GetComponent(int typeId) const;
    // The first text component (type 6 is the only caller's type) whose
    // number equals `key`, or null.
    Component* FindComponentWithKey(int typeId, const int& key) const;

    VXAABB* GetAABB() const;
    VXCircleCollider* GetCircleCollider() const;
    VXPlayerLogic* GetPlayerLogic() const;
    VXWallLogicCom* GetWallLogic() const;
    VXSpPointComponent* GetSpawnPoint() const;
    VXBlockBombCom* GetBlockBomb() const;
    VXFlagCom* GetFlag() const;
    VXBlockBombPointer* GetBlockBombPointer() const;
    VXMineCom* GetMine() const;
    VXMopCom* GetMop() const;

    std::string GetTypeName() const;
    static std::string TypeToString(int type);

    // Writes m_active and the active flag of every component.
    void SetActive(uint8_t active);

    // Only on a root object: the first child named exactly `name`, or null.
    GameObject* FindChild(const std::string& name) const;
    // Only on a root object: the child gets world values, becomes a root and
    // leaves the children list.
    void DetachChild(const std::string& name);
    // Links `child` under this object (child flags, parent, children list).
    void AttachChild(GameObject* child);

    void SetFollower(GameObject* follower);

    // Writes the object as one JSON object into `buffer`.
    void Serialize(rapidjson::StringBuffer& buffer) const;

    uint8_t snapToGrid = 0;
    int32_t gridSize = 0;
    float position[2] = {0.0f, 0.0f};
    float rotation[3] = {0.0f, 0.0f, 0.0f};
    float previousRotation[3] = {0.0f, 0.0f, 0.0f};
    float scale[2] = {0.0f, 0.0f};
    float worldMatrix[16] = {};
    float localMatrix[16] = {};
    std::vector<std::shared_ptr<Component>> components;
    std::vector<int32_t> pendingComponentTypes;
    std::string g_name;
    int32_t objectType = 0;
    uint8_t m_active = 0;
    uint8_t isRoot = 0;
    uint8_t isChild = 0;
    GameObject* parent = nullptr;
    std::vector<GameObject*> children;
    GameObject* follower = nullptr;

private:
    GameObject() = default;
    bool Attach(std::shared_ptr<Component> component, int32_t typeId, bool unique);
    void BuildMatrix(float out[16]);
    // Removes `child` from the children list (the child is being destroyed
    // or re-linked).
    void ForgetChild(const GameObject* child);
    // Gives `child` world values (this object's transform applied) and makes
    // it a root.
    void MakeRoot(GameObject* child) const;
};

}  // namespace FrameWork
