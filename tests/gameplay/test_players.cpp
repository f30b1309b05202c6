// Players, projectiles and the arena's pieces on hand-built objects with
// test-clock frames; then a key-driven player in the real engine's frames.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "core/GameState.h"
#include "core/VXAudioManager.h"
#include "core/VXLevel_Base.h"
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXComponentKinds.h"
#include "gameplay/VXGameManagerComponent.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXHazards.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXProjectiles.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXOBB.h"
#include "physics/VXRigidBody.h"
#include "platform/Platform.h"
#include "tests/support/EngineFixture.h"

using namespace FrameWork;

namespace {

constexpr float kFrame = 1.0f / 60.0f;

template <class T, class... Args>
T* Add(GameObject* o, Args... args) {
    o->AddComponent(std::make_shared<T>(o, args...));
    return static_cast<T*>(o->GetComponent(ComponentTypeOf<T>::value));
}

// Objects with a 4-row sprite; players with a body, W S A D / G and 4 children.
struct Objects {
    ~Objects() { Clear(); }
    void Clear() {
        for (auto it = owned.rbegin(); it != owned.rend(); ++it) delete *it;
        owned.clear();
    }
    GameObject* Make(const std::string& name, int type, float x = 0, float y = 0) {
        owned.push_back(new GameObject(50, 50, type, 1, 1, 0, x, y, name, 0, 0, 0));
        Add<VXSpriteComponent>(owned.back())->SetAnimationCount(4);
        return owned.back();
    }
    GameObject* Player(const std::string& name, int kind, float x = 0, float y = 0) {
        GameObject* p = Make(name, kind, x, y);
        Add<VXRigidBody>(p);
        Add<VXPlayerLogic>(p, kind)->SetKeyBindings('W', 'S', 'A', 'D', ' ', 'G', 'Q');
        LogicOf(p)->SetForceToAdd(300.0f, 0.0f);
        for (int k = 0; k < 4; ++k) p->AttachChild(Make(name + std::to_string(k), 1));
        return p;
    }
    std::vector<GameObject*> owned;
};

void Key(char letter, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.sym = SDLK_a + (letter - 'A');
    VXInputManager::Instance()->HandleEvent(e);
}

// Frames as a match level runs them (frame message, body step, key ageing).
void Frame(GameObject* o, int frames = 1) {
    for (int i = 0; i < frames; ++i) {
        o->Update(kFrame);
        if (BodyOf(o)) StepBody(*BodyOf(o), kFrame);
        VXInputManager::Instance()->EndFrame();
    }
}
int FramesUntil(GameObject* o, const std::function<bool()>& done) {
    int n = 0;
    for (; !done() && n < 3000; ++n) Frame(o), SpriteOf(o) ? SpriteOf(o)->Tick() : 0;
    return n;
}

struct Players : ::testing::Test {
    void SetUp() override {
        FrameContext().frameTime = kFrame, FrameContext().inputBlocked = 0;
        for (char k = 'A'; k <= 'Z'; ++k) Key(k, false);
        VXInputManager::Instance()->pads[0].current = VXPadState();
    }
    Objects objects;
};

TEST_F(Players, KeysAndStickTurnThrustAndDamp) {
    GameObject* p = objects.Player("Player1", GameObject::Knight);
    VXRigidBody* body = BodyOf(p);
    Key('A', true), Frame(p, 5), Key('A', false), Key('W', true), Frame(p, 30);
    EXPECT_FLOAT_EQ(p->rotation[2], 15.0f);
    EXPECT_EQ(body->damping, 0.99f);
    Key('W', false), Frame(p);
    EXPECT_EQ(body->damping, 0.7f);
    Key('W', true), Key('S', true), p->Update(kFrame);
    EXPECT_LT(body->AccumForce.x, 0.0f) << "backward wins and leaves the damping";
    EXPECT_EQ(body->damping, 0.7f);
    LogicOf(p)->padIndex = 0;
    VXPadButtons& pad = VXInputManager::Instance()->pads[0].current.Gamepad;
    pad.sThumbLY = -16384, p->Update(kFrame);
    EXPECT_NEAR(p->rotation[2], 270.0f, 1e-3);
    EXPECT_NEAR(body->AccumForce.y, -200.0f, 0.1);
    pad.sThumbLY = 0, LogicOf(p)->hitFlag = 1, p->Update(kFrame);
    EXPECT_EQ(body->damping, 0.99f) << "a knocked-back player keeps sliding";
    LogicOf(p)->hitFlag = 0, p->Update(kFrame);
    EXPECT_EQ(body->damping, 0.76f);
}

TEST_F(Players, HitStunByKindBlocksInputAndShowsTheStatusSprite) {
    const float stun[][2] = {{8, 1},     {6, 0.75f},   {7, 1.5f}, {15, 0.375f},
                             {18, 0.5f}, {19, 1.125f}, {11, 0}};
    for (const auto& row : stun) {
        GameObject* p = objects.Player("Player1", GameObject::Pirate);
        VXSpriteComponent* status = SpriteOf(p->children[2]);
        LogicOf(p)->StartHitTimer(static_cast<int>(row[0]));
        Key('A', true), Frame(p);
        EXPECT_EQ(status->active && status->animation.currentRow == 3, row[1] > 0.0f);
        // Running L seconds plus one frame, and seen once more as it stops.
        const int n = FramesUntil(p, [&] { return !LogicOf(p)->IsTimerRunning(kTimerHit); });
        EXPECT_NEAR(n + 1, std::lround(row[1] * 60) + 2, 1) << "kind " << row[0];
        EXPECT_FALSE(status->active);
        Frame(p), Key('A', false);
        EXPECT_FLOAT_EQ(p->rotation[2], 3.0f);
    }
}

TEST_F(Players, SkillsFireOncePerCooldownByCharacter) {
    // kind, cooldown, skill key also with a pad, a speed effect that runs out or not
    const float table[][4] = {{8, 10, 1, 2},     {6, 10, 1, 0.1f}, {7, 10, 1, 1.99f},
                              {15, 12, 0, 1.2f}, {18, 7, 0, 2},    {19, 5, 0, 0.9f}};
    VXPadButtons& pad = VXInputManager::Instance()->pads[0].current.Gamepad;
    for (const auto& row : table) {
        VXPlayerLogic* logic = LogicOf(objects.Player("Player1", static_cast<int>(row[0])));
        GameObject* p = logic->owner;
        BodyOf(p)->speedFactor = row[3], Frame(p, 2), logic->padIndex = 0;
        Key('G', true), Frame(p), Key('G', false);
        EXPECT_EQ(logic->skillInUse, row[2]) << "kind " << row[0];
        pad.bLeftTrigger = 30, Frame(p);
        EXPECT_EQ(logic->skillInUse, row[2]) << "a trigger at 30 is released";
        pad.bLeftTrigger = 31, FramesUntil(p, [&] { return !logic->skillInUse; }), Frame(p);
        // A mine stun (152 frames) holds the cooldown where it stands.
        pad.bLeftTrigger = 0, logic->StartTimer(kTimerMine), Frame(p, 100);
        EXPECT_NEAR(FramesUntil(p, [&] { return !logic->skillInUse; }), row[1] * 60 + 53, 3);
        // Only the 2.0 and 0.1 effects end (after 3 s).
        EXPECT_EQ(BodyOf(p)->speedFactor, row[3] == 2 || row[3] == 0.1f ? 1 : row[3]);
    }
}

TEST_F(Players, KeyCodesOutOfRangeNeverPressAndTheSerialTableOutlivesADuplicate) {
    GameObject* p = objects.Player("Player1", GameObject::Knight);
    LogicOf(p)->SetKeyBindings(-1, 256 + 'S', 256 + 'A', 100000, 0, 256 + 'G', -7);
    Key('A', true), Key('S', true), Key('G', true), Frame(p, 3);
    EXPECT_EQ(p->rotation[2], 0.0f);
    EXPECT_EQ(BodyOf(p)->Velocity.x, 0.0f);
    EXPECT_FALSE(LogicOf(p)->skillInUse);
    EXPECT_FALSE(p->AddComponent(std::make_shared<VXPlayerLogic>(p, GameObject::Knight)));
    EXPECT_EQ(g_playerNumbers, (std::vector<int32_t>{1, 2})) << "a refused duplicate went";
    objects.Clear();
    EXPECT_TRUE(g_playerNumbers.empty()) << "the last one went";
}

TEST_F(Players, EachCharactersShotFliesForItsLifetimeWithItsSound) {
    BuildComponentFactories();
    VXAudioManager* audio = VXAudioManager::Instance();
    VXSoundMap sounds;  // no "pirate": its shot plays nothing and adds nothing
    for (const char* name : {"VikingFire", "knight", "ArcherFire"}) {
        audio->CreateSound((TestHarness::SourceDir() / "data/audio/knight.ogg").string());
        sounds[name] = SoundCue(static_cast<int>(sounds.size()));
    }
    g_instancerSoundMap = &sounds, FrameContext().active = 1;
    VXObjectManager manager;
    VXObjectManager* om = &manager;
    manager.prefabs.push_back(new GameObject(40, 40, 5, 0, 1, 0, 300, 0, "Shot", 0, 0, 0));
    for (int type : {CT_Sprite, CT_AABB, CT_RigidBody, CT_Bullet})
        manager.AddComponentById(manager.prefabs[0], type, 0);
    // kind, lifetime, cue index (-1 none)
    const float table[][3] = {{6, 0.6f, -1},   {7, 0.25f, 0},    {8, 0.25f, 1}, {15, 0.8f, 2},
                              {18, 0.25f, -1}, {19, 1.125f, -1}, {11, 0.2f, -1}};
    for (const auto& row : table) {
        for (VXChannel& c : audio->channels) c.played = false;
        GameObject* shooter = objects.Player("Player1", static_cast<int>(row[0]));
        shooter->rotation[2] = 90.0f;
        LogicOf(shooter)->FireProjectile(manager.prefabs[0], &om);
        GameObject* shot = manager.objects.back();
        EXPECT_NEAR(BodyOf(shot)->Velocity.y, row[0] == 11 ? 0.0f : 800.0f, 1e-3);
        for (size_t i = 0; audio->HasDevice() && i < audio->channels.size(); ++i)
            EXPECT_EQ(audio->channels[i].played, static_cast<float>(i) == row[2]) << row[0];
        int frames = 0;
        for (; shot->m_active && frames < 100; ++frames) shot->Update(kFrame);
        EXPECT_NEAR(frames, row[1] * 60, 1) << "kind " << row[0];
    }
    EXPECT_EQ(sounds.size(), 3u);
    g_instancerSoundMap = nullptr;
    VXAudioManager::Destroy();
}

TEST_F(Players, WallsStandTheirTimeAndFallOnce) {
    VXTextureRecord sheet(1, 1, 1);
    sheet.columns = sheet.rows = 3;
    sheet.ComputeFrameOffsets();
    // raised, hit points, life timer -> frames until gone (3000: never)
    const float table[][4] = {
        {1, 100, 20, 1204}, {0, 100, 20, 3000}, {1, 0, 5, 4}, {1, 100, kFrame, 4}};
    for (const auto& row : table) {
        GameObject* wall = objects.Make("Wall", 21);
        SpriteOf(wall)->texture = &sheet, SpriteOf(wall)->SetFPS(60);
        for (int cell = 0; cell < 9; ++cell) SpriteOf(wall)->AddFrame(cell, cell / 3);
        auto* logic = Add<VXWallLogicCom>(wall);
        auto* box = Add<VXOBB>(wall, wall->worldMatrix, 50.0f, 50.0f);
        logic->Init();
        logic->raised = row[0] != 0, logic->hitPoints = static_cast<int>(row[1]),
        logic->lifeTimer = row[2];
        EXPECT_NEAR(FramesUntil(wall, [&] { return !wall->m_active; }), row[3], 2);
        EXPECT_EQ(box->active, row[3] == 3000);
    }
}

TEST_F(Players, SpawnPointsTrapsMinesAndTheGameManagerRunTheirTimers) {
    GameObject* p1 = objects.Player("Player1", GameObject::Knight, -400, 0);
    GameObject* p2 = objects.Player("Player2", GameObject::Pirate, 400, 0);
    auto* spawn = Add<VXSpPointComponent>(objects.Make("Spawn", 13));
    LogicOf(p1)->paintFuel = 70;
    spawn->Refill(p1);
    EXPECT_EQ(LogicOf(p1)->paintFuel, 100);
    // Its sprite has no texture: the taking row counts as played at once.
    Frame(spawn->owner);
    EXPECT_FALSE(spawn->taking);
    EXPECT_NEAR(FramesUntil(spawn->owner, [&] { return !spawn->used; }), 15 * 60, 2);
    auto* game = Add<VXGameManagerComponent>(objects.Make("GameManager", 12));
    game->SetSides(p1, p2);
    auto* trap = Add<VXTrapComponent>(objects.Make("Trap", 1));
    trap->player1 = p1, trap->player2 = p2, trap->gameManager = game->owner;
    for (GameObject* o : {trap->owner, p1, p2}) Add<VXAABB>(o, o->worldMatrix, 50.0f, 50.0f);
    p2->GetAABB()->MoveTo(20.0f, 0.0f), BodyOf(p2)->Velocity = Vec3(9, 0, 0);
    Frame(trap->owner);
    EXPECT_EQ(p2->position[0], 400.0f);
    EXPECT_EQ(SpriteOf(p2)->alpha, 0.0f);
    EXPECT_EQ(BodyOf(p2)->Velocity, Vec3());
    p2->GetAABB()->MoveTo(400.0f, 0.0f);
    const auto& trapRow = SpriteOf(trap->owner)->animation.currentRow;
    EXPECT_NEAR(FramesUntil(trap->owner, [&] { return trapRow == 0; }), 30, 1);
    auto* mine = Add<VXMineCom>(objects.Make("Mine", 1));
    mine->armed = 1;
    EXPECT_NEAR(FramesUntil(mine->owner, [&] { return !mine->armed; }), 180, 1);
    // The first rebalance after 30 s of match frames; a tie favours side A.
    FrameContext().currentState = 1, game->owner->Update(10), FrameContext().currentState = 0;
    EXPECT_NEAR(FramesUntil(game->owner, [&] { return BodyOf(p1)->speedFactor != 1.0f; }), 1800, 2);
    EXPECT_EQ(BodyOf(p1)->speedFactor, 1.2f);
    EXPECT_EQ(BodyOf(p2)->speedFactor, 0.9f);
}

// A chest raises its flag at start on two rolls in five: over many chests
// about 40% of them, each flag 0 or 1, and the same seed rolls the same
// chests again.
TEST_F(Players, AboutTwoChestsInFiveRaiseTheirFlag) {
    GameObject* owner = objects.Make("Chest", 1);
    auto rollChests = [&](unsigned seed) {
        Platform::SRand(seed);
        std::vector<int> flags;
        for (int i = 0; i < 2000; ++i) {
            VXChestComponent chest(owner);
            EXPECT_EQ(chest.flag, 0) << "before its start";
            chest.Init();
            flags.push_back(chest.flag);
        }
        return flags;
    };
    const std::vector<int> flags = rollChests(7);
    const long raised = std::count(flags.begin(), flags.end(), 1);
    EXPECT_EQ(raised + std::count(flags.begin(), flags.end(), 0), 2000);
    EXPECT_GT(raised, 700);
    EXPECT_LT(raised, 900);
    EXPECT_EQ(rollChests(7), flags);
    EXPECT_NE(rollChests(8), flags);
}

// The enemy notices a target at 1500 (exactly 1500 counts) and keeps chasing
// only while both targets are closer than 100.
TEST_F(Players, TheEnemyChasesWithinItsThresholds) {
    GameObject* enemy = objects.Make("Enemy", 1);
    Add<VXRigidBody>(enemy);
    auto* ai = Add<EnemyAILogicCom>(enemy);
    GameObject* t1 = objects.Make("Target1", 1, 2000, 0);
    GameObject* t2 = objects.Make("Target2", 1, 0, 2000);
    ai->target1 = t1, ai->target2 = t2;
    ai->Update(kFrame);
    EXPECT_EQ(ai->state, 0) << "both targets 2000 away";
    EXPECT_EQ(ai->chased, nullptr);
    t2->position[1] = 1500.0f;
    ai->Update(kFrame);
    EXPECT_EQ(ai->state, 1);
    EXPECT_EQ(ai->chased, t2) << "target 2 at 1500 exactly";
    t1->position[0] = 1500.0f;
    ai->state = 0, ai->chased = nullptr;
    ai->Update(kFrame);
    EXPECT_EQ(ai->chased, t1) << "target 1 first";
    // The chase pushes toward the chased target and then ends: they are far.
    ai->Update(kFrame);
    EXPECT_EQ(BodyOf(enemy)->AccumForce, Vec3(1500.0f, 0.0f, 1.0f));
    EXPECT_EQ(ai->state, 0);
    // Both targets within 100: the chase goes on; one at 100 exactly ends it.
    t1->position[0] = 99.0f, t2->position[1] = 99.0f;
    ai->Update(kFrame);
    ASSERT_EQ(ai->state, 1);
    ai->Update(kFrame);
    EXPECT_EQ(ai->state, 1);
    EXPECT_EQ(ai->chased, t1);
    t2->position[1] = 100.0f;
    ai->Update(kFrame);
    EXPECT_EQ(ai->state, 0);
}

TEST_F(Players, ComponentsWithMissingPartsSkipThoseSteps) {
    auto* bare = new GameObject(50, 50, GameObject::Knight, 1, 1, 0, 0, 0, "Bare", 0, 0, 0);
    objects.owned.push_back(bare);
    Add<VXPlayerLogic>(bare, GameObject::Knight)->SetKeyBindings('W', 'S', 'A', 'D', ' ', 'G', 'Q');
    auto* trap = Add<VXTrapComponent>(bare);
    trap->player1 = objects.Player("Player1", GameObject::Knight);
    Add<VXAABB>(trap->player1, trap->player1->worldMatrix, 50.0f, 50.0f);
    Add<VXAABB>(bare, bare->worldMatrix, 50.0f, 50.0f);
    Add<VXMopCom>(bare)->lifeTimer = 1.0f;
    Add<VXWallLogicCom>(bare)->hitPoints = 0;
    Add<VXSpPointComponent>(bare)->Refill(objects.Make("NoLogic", 1));
    Key('A', true), Frame(bare, 2), Key('A', false);
    EXPECT_FLOAT_EQ(bare->rotation[2], 6.0f);
    EXPECT_EQ(SpriteOf(trap->player1)->alpha, 0.0f) << "sent nowhere without a game manager";
}

struct TrailLevel : VXLevel_Base {  // one player, run as a match level runs it
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override {}
    void Update() override { player->Update(kFrame), StepBody(*BodyOf(player), kFrame); }
    void Free() override {}
    GameObject* player = nullptr;
};

using PlayerTrail = TestHarness::EngineFixture;

TEST_F(PlayerTrail, KeysDriveAPlayerWhoseTrailTheFloorCounts) {
    // A 20 x 20 floor of 100-unit tiles from (0, 0), rows downward.
    VXTilemapData& map = engine->graphics->tilemaps["TestLevel"];
    map.row = map.col = 20, map._name = "TestFloor.png";
    for (int k = 0; k < 400; ++k)
        map.m_data1.push_back({100.0f * (k % 20), -100.0f * (k / 20), 100, 100});
    engine->graphics->AddInstanceSet("TestFloor.png", 0);
    engine->graphics->AddInstanceSet("carpetBomb2.png", 0)->ComputeFrames(8, 8);
    VXShapeInstancer grid("TestLevel", nullptr);
    grid.Setup();
    g_currentInstancer = &grid;
    Objects objects;
    TrailLevel level;
    GameObject* p = level.player = objects.Player("Player1", GameObject::Knight, 1000, -1000);
    LogicOf(p)->team = 1, LogicOf(p)->paintFuel = 100;
    ReplaceLevel(GameState::LoadingScreen, &level);
    engine->active = 1;
    BeginRun();
    PressKey(SDL_SCANCODE_W), StepFrames(150), PressKey(SDL_SCANCODE_A), StepFrames(150);
    EXPECT_GT(std::hypot(p->position[0] - 1000.0f, p->position[1] + 1000.0f), 200.0f);
    EXPECT_NE(p->rotation[2], 0.0f);
    const auto& cells = engine->graphics->paintCells;
    const auto painted =
        std::count_if(cells.begin(), cells.end(), [](auto& c) { return c.team == 1; });
    EXPECT_GT(painted, 5);
    EXPECT_EQ(VXPaintMap::TeamTileCount[0], painted);
    EXPECT_EQ(LogicOf(p)->paintFuel, 100 - painted);
    FinishRun();
}

}  // namespace
