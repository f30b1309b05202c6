// The game object, attaching and finding components, the factory registry
// and the object manager's own operations.
#include <array>
#include <cmath>
#include <memory>

#include "core/Message.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXProjectiles.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXRigidBody.h"
#include "tests/support/ObjectsFixture.h"
#include "tests/support/TempDataTree.h"

using namespace FrameWork;
using TestHarness::ObjectsTest;
class ObjectModel : public ObjectsTest {};
using TestHarness::Printed;

namespace {

GameObject* MakeObject(const std::string& name, float x = 0.0f, float y = 0.0f, float sx = 1.0f,
                       float sy = 1.0f, int type = 1) {
    return new GameObject(sx, sy, type, 1, 1, 0, x, y, name, 0.0f, 0.0f, 0.0f);
}

// Counts the frame times it is updated with.
class ProbeComponent : public Component {
public:
    explicit ProbeComponent(GameObject* o) : Component(o) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}
    void Update(float dt) override {
        ++updates;
        lastDt = dt;
    }
    int updates = 0;
    float lastDt = 0.0f;
};

}  // namespace

TEST_F(ObjectModel, RotationZWrapsOnlyAtTheEnds) {
    std::unique_ptr<GameObject> o(MakeObject("o"));
    const float cases[][2] = {{359.5f, 0.0f}, {-0.5f, 359.0f},  {359.0f, 359.0f},
                              {400.0f, 0.0f}, {-30.0f, 359.0f}, {180.0f, 180.0f}};
    for (const auto& c : cases) {
        o->rotation[2] = c[0];
        o->Update(0.0f);
        EXPECT_EQ(o->rotation[2], c[1]) << "from " << c[0];
    }
}

TEST_F(ObjectModel, SnapTruncatesTowardZeroAndStoresThePosition) {
    std::unique_ptr<GameObject> o(MakeObject("o", 45.9f, -45.9f));
    o->snapToGrid = 1;
    o->gridSize = 32;
    o->UpdateTransform();
    EXPECT_EQ(o->position[0], 32.0f);
    EXPECT_EQ(o->position[1], -32.0f);
    EXPECT_EQ(o->worldMatrix[7], -32.0f);
    // No grid step: the position is kept rather than divided by zero.
    o->gridSize = 0;
    o->position[0] = 45.9f;
    o->UpdateTransform();
    EXPECT_EQ(o->position[0], 45.9f);
    // Far outside the int range the snap still gives a finite value.
    o->gridSize = 32;
    o->position[0] = 1e30f;
    o->UpdateTransform();
    EXPECT_TRUE(std::isfinite(o->position[0]));
}

TEST_F(ObjectModel, ChildrenFollowAndOutliveTheirParent) {
    GameObject* parent = MakeObject("parent", 100.0f, 0.0f, 2.0f, 2.0f);
    std::unique_ptr<GameObject> child(MakeObject("Knight", 10.0f, 5.0f, 0.5f, 0.5f));
    std::unique_ptr<GameObject> other(MakeObject("Other", 20.0f, 5.0f));
    parent->AttachChild(child.get());
    parent->AttachChild(other.get());
    parent->UpdateTransform();
    child->UpdateTransform();
    EXPECT_FLOAT_EQ(child->worldMatrix[3], 120.0f);
    EXPECT_FLOAT_EQ(child->worldMatrix[7], 10.0f);
    EXPECT_EQ(parent->FindChild("Knigh"), nullptr);
    EXPECT_EQ(parent->FindChild("Knight"), child.get());

    // Detached, a child is a root where it stood.
    parent->DetachChild("Other");
    EXPECT_EQ(other->parent, nullptr);
    EXPECT_EQ(other->isRoot, 1);
    EXPECT_FLOAT_EQ(other->position[0], 140.0f);
    EXPECT_FLOAT_EQ(other->scale[0], 2.0f);
    EXPECT_EQ(parent->FindChild("Other"), nullptr);
    // A parent destroyed first leaves its child a root where it stood.
    delete parent;
    EXPECT_EQ(child->isChild, 0);
    EXPECT_EQ(child->parent, nullptr);
    EXPECT_FLOAT_EQ(child->position[0], 120.0f);
    EXPECT_FLOAT_EQ(child->scale[0], 1.0f);
    child->UpdateTransform();  // must not reach the freed parent
    // A child destroyed first leaves its parent's list.
    GameObject* c2 = MakeObject("c2");
    child->AttachChild(c2);
    delete c2;
    EXPECT_TRUE(child->children.empty());
}

// The plane part of what the renderer draws an object with.
std::array<float, 6> WorldPlane(const GameObject& o) {
    const float* m = o.worldMatrix;
    return {m[0], m[4], m[1], m[5], m[3], m[7]};
}

void ExpectDrawnAs(const std::array<float, 6>& want, const GameObject& o, const char* after) {
    const std::array<float, 6> got = WorldPlane(o);
    for (int k = 0; k < 6; ++k)
        EXPECT_NEAR(got[k], want[k], 1e-3f + 1e-5f * std::fabs(want[k]))
            << o.g_name << " after " << after << ", element " << k;
}

// A mirrored child two turned parents deep, taken by another turned root,
// then detached: each time it is drawn where it was, with its own
// mirroring.  Under a parent scaled unevenly its drawn x axis, centre and
// area stay (the slant that no turn and scale can give is dropped).
TEST_F(ObjectModel, ReparentingKeepsWhereAnObjectIsDrawn) {
    const auto make = [](const char* name, float x, float y, float turn, float sx, float sy) {
        return std::unique_ptr<GameObject>(
            new GameObject(sx, sy, 1, 1, 1, 0, x, y, name, 0.0f, 0.0f, turn));
    };
    auto a = make("A", 100, 50, 30, 2, 2), b = make("B", 10, 0, 15, 1.5f, 1.5f);
    auto c = make("C", 4, 2, 20, -30, 10), d = make("D", -40, 20, -60, 3, 3);
    auto e = make("E", 7, -3, 0, 4, 1);
    a->AttachChild(b.get());
    b->AttachChild(c.get());
    const auto rebuild = [&] {
        for (GameObject* o : {a.get(), b.get(), d.get(), e.get(), c.get()}) o->UpdateTransform();
    };
    rebuild();
    const std::array<float, 6> drawn = WorldPlane(*c);

    // D snaps to a grid of 32 from its next rebuild on: it is drawn at
    // (-32, 0), and C is taken relative to that.
    d->snapToGrid = 1;
    d->gridSize = 32;
    d->AdoptWhereDrawn(c.get());
    rebuild();
    EXPECT_EQ(c->parent, d.get());
    EXPECT_TRUE(b->children.empty());
    ExpectDrawnAs(drawn, *c, "a new parent");
    EXPECT_LT(c->scale[0], 0.0f) << "mirrored on its own x axis, as before";
    EXPECT_GT(c->scale[1], 0.0f);

    d->DetachChild("C");
    rebuild();
    EXPECT_EQ(c->parent, nullptr);
    ExpectDrawnAs(drawn, *c, "DetachChild");
    EXPECT_NEAR(c->rotation[2], 30 + 15 + 20, 1e-3f);

    e->AdoptWhereDrawn(c.get());
    rebuild();
    const std::array<float, 6> slant = WorldPlane(*c);
    for (int k : {0, 1, 4, 5}) EXPECT_NEAR(slant[k], drawn[k], 1e-3f) << "element " << k;
    EXPECT_NEAR(slant[0] * slant[3] - slant[1] * slant[2],
                drawn[0] * drawn[3] - drawn[1] * drawn[2], 0.5f);

    // Under a parent of a size a file may give (1e-37), the place it would
    // take lies beyond the float range: it is held at the largest float.
    auto tiny = make("Tiny", 0, 0, 0, 1e-37f, 1e-37f), g = make("G", 100, 50, 0, 1, 1);
    tiny->AdoptWhereDrawn(g.get());
    EXPECT_TRUE(std::isfinite(g->position[0]) && std::isfinite(g->scale[0]))
        << "G under Tiny: position " << g->position[0] << ", scale " << g->scale[0];
}

TEST_F(ObjectModel, CloneCopiesTransformAndComponentKindsOnly) {
    std::unique_ptr<GameObject> parent(MakeObject("parent"));
    std::unique_ptr<GameObject> knight(
        new GameObject(3.0f, 4.0f, 8, 0, 1, 0, 7.0f, 8.0f, "Knight", 1.0f, 2.0f, 33.0f));
    knight->snapToGrid = 1;
    knight->gridSize = 5;
    knight->AddComponent(CreateComponent<VXRigidBody>(knight.get()));
    knight->AddComponent(CreateComponent<VXShootLogicComponent>(knight.get()));
    parent->AttachChild(knight.get());

    std::unique_ptr<GameObject> clone(GameObject::CloneFrom(*knight));
    EXPECT_EQ(clone->g_name, "Knight_cloned");
    EXPECT_EQ(clone->rotation[2], 33.0f);
    EXPECT_EQ(clone->previousRotation[2], 33.0f);
    EXPECT_TRUE(clone->components.empty());
    EXPECT_EQ(clone->pendingComponentTypes, (std::vector<int32_t>{CT_RigidBody, CT_ShootLogic}));
    EXPECT_EQ(clone->parent, nullptr) << "a clone of a child stands on its own";
    EXPECT_FLOAT_EQ(clone->worldMatrix[3], 7.0f);
}

TEST_F(ObjectModel, DuplicateComponentIsRefusedWithTwoLines) {
    std::unique_ptr<GameObject> p(MakeObject("Player1"));
    auto first = CreateComponent<VXRigidBody>(p.get());
    EXPECT_TRUE(p->AddComponent(first));
    std::string out =
        Printed([&] { EXPECT_FALSE(p->AddComponent(CreateComponent<VXRigidBody>(p.get()))); });
    EXPECT_EQ(out, "Component already exist\nPlayer1\n");
    ASSERT_EQ(p->components.size(), 1u);
    EXPECT_EQ(p->GetComponent(CT_RigidBody), first.get());
}

TEST_F(ObjectModel, UpdateDeliversTheFrameToEveryComponent) {
    std::unique_ptr<GameObject> o(MakeObject("o"));
    auto probe = std::make_shared<ProbeComponent>(o.get());
    o->AddComponent(std::shared_ptr<VXBulletComponent>());  // an empty pointer is refused
    EXPECT_TRUE(o->components.empty());
    o->components.push_back(probe);
    probe->active = 0;  // inactive components still get the frame
    o->Update(0.016f);
    EXPECT_EQ(probe->updates, 1);
    EXPECT_FLOAT_EQ(probe->lastDt, 0.016f);
}

TEST_F(ObjectModel, FollowerRidesSeventyAbove) {
    std::unique_ptr<GameObject> player(MakeObject("Player1", 10.0f, 20.0f));
    std::unique_ptr<GameObject> icon(MakeObject("P1Icon"));
    auto logic = CreateComponent<VXPlayerLogic>(player.get());
    logic->team = 2;
    player->AddComponent(logic);
    auto sprite = CreateComponent<VXSpriteComponent>(icon.get());
    sprite->SetAnimationCount(2);
    sprite->worldSpace = false;
    icon->AddComponent(sprite);
    player->SetFollower(icon.get());
    EXPECT_EQ(sprite->animation.currentRowIndex, 1);
    EXPECT_TRUE(sprite->worldSpace);
    player->Update(0.0f);
    EXPECT_EQ(icon->position[0], 10.0f);
    EXPECT_EQ(icon->position[1], 90.0f);
}

TEST_F(ObjectModel, SetActiveAndDestructionReachComponents) {
    VXObjectManager manager;
    manager.CreateGameObject(10, 10, 1, true, 0, 0, "box", 0, 0, 0);
    GameObject* box = manager.FindObject("box");
    manager.AddAABBComponent(box);
    auto held = manager.physics->aabbs.at(0);
    box->SetActive(0);
    EXPECT_EQ(held->active, 0);
    box->SetActive(1);
    manager.Clear();
    // The physics list still holds it, switched off and without an owner.
    EXPECT_TRUE(held->active == 0 && held->owner == nullptr);
}

TEST_F(ObjectModel, OnlyAttachedComponentsAreRegistered) {
    VXObjectManager manager;
    manager.CreateGameObject(10, 10, 1, true, 0, 0, "o", 0, 0, 0);
    GameObject* o = manager.FindObject("o");
    std::string out = Printed([&] {
        manager.AddAABBComponent(o);
        manager.AddAABBComponent(o);
        manager.AddRigidBodyComponent(o);
        manager.AddRigidBodyComponent(o);
        manager.AddSpriteComponent(o);
        manager.AddSpriteComponent(o);
        manager.AddParticleEmitterComponent(o);
        manager.AddParticleEmitterComponent(o);
    });
    EXPECT_NE(out.find("Component already exist"), std::string::npos);
    ASSERT_EQ(manager.physics->aabbs.size(), 1u);
    EXPECT_EQ(manager.physics->aabbs[0].get(), o->GetComponent(CT_AABB));
    ASSERT_EQ(manager.physics->bodies.size(), 1u);
    EXPECT_EQ(manager.physics->bodies[0].get(), o->GetComponent(CT_RigidBody));
    ASSERT_EQ(manager.graphics->renderList.size(), 1u);
    EXPECT_EQ(manager.graphics->renderList[0].get(), o->GetComponent(CT_Sprite));
    ASSERT_EQ(manager.graphics->emitters.size(), 1u);
    EXPECT_EQ(manager.graphics->emitters[0].get(), o->GetComponent(CT_ParticleEmitter));
}

TEST_F(ObjectModel, CloneObjectAppendsWithTextureAndAnimation) {
    AddTexture("arrow.png", 4, 2);
    VXObjectManager manager;
    manager.CreateGameObject(20, 10, 5, true, 50, 60, "Arrow", 0, 0, 90);
    GameObject* arrow = manager.FindObject("Arrow");
    manager.AddSpriteComponent(arrow);
    manager.AddAABBComponent(arrow);
    manager.AddPlayerLogicComponent(arrow);
    auto* sprite = static_cast<VXSpriteComponent*>(arrow->GetComponent(CT_Sprite));
    sprite->texture = manager.graphics->FindTexture("arrow.png");
    sprite->SetAnimationCount(2);
    sprite->AddFrame(1, 0);
    sprite->AddFrame(5, 1);
    sprite->SetFPS(12);
    sprite->layer = 9;
    manager.CreateGameObject(1, 1, 1, true, 0, 0, "Other", 0, 0, 0);

    GameObject* clone = manager.CloneObject(arrow);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(manager.objects.back(), clone);
    EXPECT_EQ(clone->g_name, "Arrow_cloned");
    auto* copy = static_cast<VXSpriteComponent*>(clone->GetComponent(CT_Sprite));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->texture, sprite->texture);
    EXPECT_EQ(copy->animation.framesPerSecond, 12);
    EXPECT_EQ(copy->animation.frameRows, sprite->animation.frameRows);
    EXPECT_NE(clone->GetComponent(CT_AABB), nullptr);
    EXPECT_EQ(clone->GetComponent(CT_PlayerLogic), nullptr);  // not re-created by id
    EXPECT_EQ(manager.physics->aabbs.size(), 2u);
    EXPECT_EQ(manager.graphics->renderList.size(), 2u);

    // Without a sprite: a line, and a clone all the same.
    manager.CreateGameObject(1, 1, 1, true, 0, 0, "Bare", 0, 0, 0);
    GameObject* bare = nullptr;
    std::string out = Printed([&] { bare = manager.CloneObject(manager.FindObject("Bare")); });
    ASSERT_NE(bare, nullptr);
    EXPECT_NE(out.find("has no sprite"), std::string::npos);
    EXPECT_EQ(manager.CloneObject(nullptr), nullptr);
}

TEST_F(ObjectModel, CopyWallListFillsTheFirstList) {
    struct Grid {
        std::vector<std::vector<GameObject*>> objectLists;
    } grid;
    const std::string file = Scratch(
        "walls.json",
        "[{\"GameObject\": 14, \"g_name\": \"W1\", \"m_active\": true, \"position\": [0.0, 0.0]},"
        " {\"GameObject\": 1, \"g_name\": \"Floor\", \"m_active\": true, \"position\": [0.0, 0.0]},"
        " {\"GameObject\": 14, \"g_name\": \"W2\", \"m_active\": false, \"position\": [0.0, "
        "0.0]}]");
    VXObjectManager manager;
    ASSERT_TRUE(manager.LoadObjects(file));
    manager.CopyWallList(static_cast<Grid*>(nullptr));
    manager.CopyWallList(&grid);
    ASSERT_EQ(grid.objectLists.size(), 1u);
    EXPECT_EQ(grid.objectLists[0],
              (std::vector<GameObject*>{manager.FindObject("W1"), manager.FindObject("W2")}));
}

TEST_F(ObjectModel, ApplyPlayerChoice) {
    VXObjectManager manager;
    manager.CreateGameObject(1, 1, 15, true, 0, 0, "Archer", 0, 0, 0);
    manager.AddPlayerLogicComponent(manager.FindObject("Archer"));
    manager.CreateGameObject(1, 1, 8, true, 0, 0, "Knight", 0, 0, 0);

    manager.ApplyPlayerChoice(GameLevelInitObject(2, Archer, 1));
    GameObject* p2 = manager.FindObject("Player2");
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p2->GetPlayerLogic()->team, 1);

    std::string out = Printed([&] {
        manager.ApplyPlayerChoice(GameLevelInitObject(1, Knight, 2));   // no player logic
        manager.ApplyPlayerChoice(GameLevelInitObject(3, Samurai, 2));  // no such object
        manager.ApplyPlayerChoice(GameLevelInitObject(4, 3, 2));        // not a character
    });
    EXPECT_NE(manager.FindObject("Knight"), nullptr);
    EXPECT_EQ(manager.FindObject("Player1"), nullptr);
    EXPECT_NE(out.find("\"Knight\" has no player logic"), std::string::npos);
    EXPECT_NE(out.find("no object \"Samurai\""), std::string::npos);
    EXPECT_NE(out.find("has no character"), std::string::npos);
}

TEST_F(ObjectModel, PrefabsAreSavedUnderTheirOwnName) {
    TestHarness::TempDataTree tree;
    VXObjectManager manager;
    manager.CreateGameObject(4, 4, 1, true, 1, 2, "Crate", 0, 0, 0);
    GameObject* crate = manager.FindObject("Crate");
    EXPECT_TRUE(SavePrefab(crate));
    const std::string text = TestHarness::ReadFile(tree.Data("objects/prefabs/Crate.json"));
    EXPECT_EQ(text.substr(text.size() - 3), "}]\n");
    EXPECT_FALSE(std::filesystem::exists("somewhere/else.json"));

    selectedObjectIndex = 5;
    std::string out = Printed([&] { EXPECT_FALSE(manager.SaveSelectedAsPrefab()); });
    EXPECT_NE(out.find("no object at index 5"), std::string::npos);
    selectedObjectIndex = -1;
    EXPECT_FALSE(manager.SaveSelectedAsPrefab());
    selectedObjectIndex = 0;
    std::filesystem::remove(tree.Data("objects/prefabs/Crate.json"));
    EXPECT_TRUE(manager.SaveSelectedAsPrefab());
    EXPECT_TRUE(std::filesystem::exists(tree.Data("objects/prefabs/Crate.json")));
}
