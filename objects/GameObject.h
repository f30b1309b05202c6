// The scene object of every level, screen and the editor: name, type,
// transform, active flag, components, parent and children, follower.
#pragma once

#include "objects/Component.h"
#include "objects/ComponentType.h"
#include "objects/PlaneTransform.h"
#include "objects/UnreadBlock.h"

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
               uint8_t childFlag, float posX, float posY, std::string name, float rotX, float rotY,
               float rotZ);
    // Unlinks the object from its parent and its children (neither is
    // deleted), clears every component's active flag and releases them.
    ~GameObject();

    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    // A new root object copied from `source` for cloning: transform and type
    // copied, name + "_cloned", active, no parent, children or follower, no
    // components; the source's component type ids go to
    // pendingComponentTypes in list order, and its unread blocks are copied.
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
    // Texts are always attached; one object may carry several.  The
    // component classes live in the layers above this one: the typed
    // operations below are templates whose class argument defaults to the
    // component class, so the caller's own include of that class completes
    // them.
    template <class Text = VXTextComponent>
    bool AddTextComponent(std::shared_ptr<Text> component) {
        return Attach(std::shared_ptr<Component>(std::move(component)), CT_Text, false);
    }
    bool HasComponent(int typeId) const;
    Component* GetComponent(int typeId) const;
    // The first text component (type 6 is the only caller's type) whose
    // number equals `key`, or null.
    template <class Text = VXTextComponent>
    Component* FindComponentWithKey(int typeId, const int& key) const {
        if (typeId != CT_Text) return nullptr;  // only texts carry a number
        for (const auto& c : components)
            if (c && c->type == typeId && static_cast<Text*>(c.get())->number == key)
                return c.get();
        return nullptr;
    }

    // The first component of the class's type, or null.
    template <class T>
    T* GetTyped() const {
        return static_cast<T*>(GetComponent(ComponentTypeOf<T>::value));
    }
    template <class T = VXAABB>
    T* GetAABB() const {
        return GetTyped<T>();
    }
    template <class T = VXCircleCollider>
    T* GetCircleCollider() const {
        return GetTyped<T>();
    }
    template <class T = VXPlayerLogic>
    T* GetPlayerLogic() const {
        return GetTyped<T>();
    }
    template <class T = VXWallLogicCom>
    T* GetWallLogic() const {
        return GetTyped<T>();
    }
    template <class T = VXSpPointComponent>
    T* GetSpawnPoint() const {
        return GetTyped<T>();
    }
    template <class T = VXBlockBombCom>
    T* GetBlockBomb() const {
        return GetTyped<T>();
    }
    template <class T = VXFlagCom>
    T* GetFlag() const {
        return GetTyped<T>();
    }
    template <class T = VXBlockBombPointer>
    T* GetBlockBombPointer() const {
        return GetTyped<T>();
    }
    template <class T = VXMineCom>
    T* GetMine() const {
        return GetTyped<T>();
    }
    template <class T = VXMopCom>
    T* GetMop() const {
        return GetTyped<T>();
    }

    std::string GetTypeName() const;
    static std::string TypeToString(int type);

    // Writes m_active and the active flag of every component.
    void SetActive(uint8_t active);

    // Only on a root object: the first child named exactly `name`, or null.
    GameObject* FindChild(const std::string& name) const;
    // Only on a root object: the child gets world values, becomes a root and
    // leaves the children list.
    void DetachChild(const std::string& name);
    // The same for a child of this object at any depth (the editor's
    // DISOWN!): `child` becomes a root drawn where, as large and as turned
    // as it was, even when this object is itself a child.
    void Disown(GameObject* child);
    // Links `child` under this object (child flags, parent, children list).
    void AttachChild(GameObject* child);
    // Links `child` as AttachChild does, with the values that keep it where,
    // as large and as turned as it is drawn.
    void AdoptWhereDrawn(GameObject* child);
    // Unlinks the object from its children and from its parent; each of them
    // becomes a root drawn where, as large and as turned as it was (the
    // editor's DELETE: what stays must not hang on what is gone).
    void StandAlone();

    // How the object is drawn now: its own transform through its parents',
    // each rebuilt from its fields as UpdateTransform composes them (a
    // parent's world matrix times the child's own).  Without `withScale`
    // the object's own scale is left out: its axes as drawn.
    PlaneTransform DrawnTransform(bool withScale = true) const;
    // Moves the object so that its centre is drawn at (x, y); false, with
    // nothing changed, when its parents flatten the plane.
    bool PlaceDrawnCentre(double x, double y);
    // Gives the object the position, turn about z and scale, under its
    // current parent, that draw it as `drawn`; its turns about x and y stay.
    // A slant that no turn and scale can give (a turned child of a parent
    // scaled unevenly) is dropped, keeping the drawn x axis and the area.
    // False, with nothing changed, when its parents flatten the plane.
    bool TakeDrawnTransform(const PlaneTransform& drawn);
    // The position, turns and scale that draw the object, as a root, where
    // it is drawn now (its own values for a root).
    void WorldPlacement(float outPosition[2], float outRotation[3], float outScale[2]) const;

    // Stores the follower; with a player logic here and a sprite there, the
    // follower's sprite shows the team's row, and a follower's sprite is
    // drawn in world space.
    template <class Sprite = VXSpriteComponent, class Logic = VXPlayerLogic>
    void SetFollower(GameObject* f) {
        follower = f;
        if (!f) return;
        auto* sprite = f->GetTyped<Sprite>();
        Logic* logic = GetTyped<Logic>();
        if (logic && sprite) sprite->SetAnimation(logic->team == 1 ? 0 : 1);
        if (sprite) sprite->worldSpace = true;
    }

    // Hands each block's unread values to the first component, in list
    // order, that writes a block of that key and keeps none yet.
    void KeepUnreadValues(const std::vector<UnreadValues>& blocks);
    // Each component takes the unread values of the source's component of
    // its kind (the n-th of a kind those of the n-th).
    void CopyUnreadValuesFrom(const GameObject& source);

    // Writes the object as one JSON object into `buffer`, its unread blocks
    // in their places, and each component's unread values in theirs.  A
    // child names its parent; its place is written in the parent's values
    // (as the loader links it back), or with `inWorld` where it is drawn in
    // the world (a prefab, which its parent's name ties to no object).
    void Serialize(rapidjson::StringBuffer& buffer, bool inWorld = false) const;

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
    // The blocks of its record the game did not read, in file order.
    std::vector<UnreadBlock> unreadBlocks;

    // Attaches `component` as type `typeId`; with `unique`, refuses a second
    // component of that type (the message of AddComponent).
    bool Attach(std::shared_ptr<Component> component, int32_t typeId, bool unique);

private:
    GameObject() = default;
    void BuildMatrix(float out[16]);
    // The position on `axis` as the matrices use it: snapped to the grid
    // while snapping is on.
    float SnappedPosition(int axis) const;
    // Removes `child` from the children list (the child is being destroyed
    // or re-linked).
    void ForgetChild(const GameObject* child);
    // Gives `child` world values (this object's transform applied) and makes
    // it a root.
    void MakeRoot(GameObject* child) const;
    // Each child becomes a root where it is drawn; the list is emptied.
    void ReleaseChildren();
};

}  // namespace FrameWork
