// A match level's frames: firing from a pad, a projectile's hit and its
// effects, a wall contact, a refill, the warning and the end of the match,
// and a frame whose objects grow while they are updated.
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXProjectiles.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXShapeInstancer.h"
#include "physics/VXRigidBody.h"
#include "tests/levels/MatchTestSupport.h"
#include "tests/support/VirtualPad.h"

namespace MatchTest {
namespace {

class MatchFrame : public MatchFixture {
protected:
    // Level 2 with an Archer on Blue against a Knight on Red, played.
    VXMatchLevel& Play() {
        VXMatchLevel& level = Start(GameState::Level2, LineUp(15, 1, 8, 2));
        WaitForCountdown();
        return level;
    }
    // Puts an object at (x, y) at rest; its box follows in the next frames.
    static void PutAt(GameObject* object, float x, float y) {
        object->position[0] = x;
        object->position[1] = y;
        if (auto* body = static_cast<VXRigidBody*>(object->GetComponent(CT_RigidBody)))
            body->Velocity = Vec3();
    }
    static bool Played(int index) { return VXAudioManager::Instance()->channels.at(index).played; }
    static size_t Burst(GameObject* object) {
        auto* e = static_cast<VXParticleEmitter*>(object->GetComponent(CT_ParticleEmitter));
        return e ? static_cast<size_t>(e->nextIndex) : 0;
    }
};

TEST_F(MatchFrame, TriggerFiresAndTheShotStunsTheKnight) {
    TestHarness::VirtualPad pads[2];
    VXMatchLevel& level = Play();
    GameObject* archer = level.players[0];
    GameObject* knight = level.players[1];
    ASSERT_EQ(knight->GetPlayerLogic()->padIndex, 1);
    pads[0].Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 30);
    StepFrames(3);
    EXPECT_EQ(Find(level, "Arrow_cloned"), nullptr) << "30 is not past the threshold";
    pads[0].Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 31);
    StepFrames(2);
    GameObject* arrow = Find(level, "Arrow_cloned");
    ASSERT_NE(arrow, nullptr);
    EXPECT_GT(archer->GetPlayerLogic()->attackCooldown, 1.0f);
    pads[0].Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
    PutAt(knight, 0.0f, 0.0f);
    PutAt(arrow, 0.0f, 0.0f);
    ASSERT_FALSE(Played(30));
    StepFrames(3);
    EXPECT_FALSE(arrow->m_active);
    EXPECT_TRUE(Played(30) && Played(15)) << "KnightHit, MeeleFlyOff";
    const ActionTimer& stun = knight->GetPlayerLogic()->actionTimers.at(3);
    EXPECT_TRUE(stun.running && stun.length == 0.375f) << "an Archer's shot";
    EXPECT_NEAR(pads[1].rumbles.empty() ? 0 : pads[1].rumbles.back().first, 32767, 1);
    EXPECT_TRUE(Burst(knight->FindChild("KnightHitPE")) && Burst(knight));
}

TEST_F(MatchFrame, AWallContactCostsTheShotOneCount) {
    VXMatchLevel& level = Play();
    GameObject* wall = Find(level, "WallCollider_1");
    level.grid->objectLists.front().push_back(wall);  // met twice in one test
    GameObject* shot = level.objectManager->CloneObject(level.statics.projectilePrefabs.at(8));
    ASSERT_EQ(shot->g_name, "Lance_cloned");
    auto* bullet = static_cast<VXBulletComponent*>(shot->GetComponent(CT_Bullet));
    const int32_t before = bullet->savedInt;
    PutAt(shot, wall->position[0], wall->position[1]);
    // A bare "projectile" and one without a bullet are skipped or ended.
    level.objectManager->CreateGameObject(10, 10, 5, true, 0, 1050, "Arrow_cloned", 0, 0, 0);
    level.objectManager->CreateGameObject(10, 10, 5, true, 0, 1050, "Fist_cloned", 0, 0, 0);
    GameObject* bare = level.objectManager->objects.back();
    level.objectManager->AddAABBComponent(bare);
    StepFrames(4);
    EXPECT_FALSE(shot->m_active || bare->m_active);
    EXPECT_EQ(bullet->savedInt, before - 1);
}

TEST_F(MatchFrame, ASpawnPointRefillsPlayerOneOnce) {
    VXMatchLevel& level = Play();
    GameObject* point = Find(level, "SpawnPoint1");
    VXPlayerLogic* first = level.players[0]->GetPlayerLogic();
    VXPlayerLogic* second = level.players[1]->GetPlayerLogic();
    first->paintFuel = second->paintFuel = 20;
    const int32_t refills = first->refillCount;
    PutAt(level.players[0], point->position[0], point->position[1]);
    PutAt(level.players[1], point->position[0], point->position[1]);
    StepFrames(3);
    EXPECT_EQ(first->refillCount, refills + 10);
    EXPECT_EQ(second->refillCount, refills) << "player 1 is refilled first and the point is used";
    EXPECT_TRUE(first->paintFuel > 55 && second->paintFuel <= 20) << "+45, less some trail";
    EXPECT_TRUE(point->GetSpawnPoint()->used && Played(24)) << "PaintPickup";
    EXPECT_EQ(Burst(point), 20u);
}

TEST_F(MatchFrame, TheWarningOnceAndATieAtTimeUpGoesToBlue) {
    VXMatchLevel& level = Play();
    g_secondsLeft = 10;
    StepFrames(1);
    EXPECT_TRUE(Played(23) && !level.statics.warning) << "10SecLeft";

    // A tie (Red wins on the floor in the whole matches).  The bars show the
    // counts from the frame after they change.
    VXPaintMap::TeamTileCount[0] = VXPaintMap::TeamTileCount[1] = g_totalPaintCells / 4;
    StepFrames(1);
    g_secondsLeft = 0;
    StepFrames(1);
    EXPECT_TRUE(g_matchOver && g_winner == 1) << "a tie goes to Blue";
}

// Clones its owner, cloner included, at each update.
class Cloner : public Component {
public:
    Cloner(GameObject* owner, VXObjectManager* objects) : Component(owner), objects_(objects) {}
    void Serialize(JsonWriter&, rapidjson::StringBuffer&) override {}
    void Update(float) override {
        GameObject* copy = objects_->CloneObject(owner);
        copy->components.push_back(std::make_shared<Cloner>(copy, objects_));
    }

private:
    VXObjectManager* objects_;
};

TEST_F(MatchFrame, ObjectsMadeDuringTheUpdateWaitForTheNextFrame) {
    VXMatchLevel& level = Play();
    GameObject* seed = Find(level, "GameManager");
    seed->components.push_back(std::make_shared<Cloner>(seed, level.objectManager));
    const size_t start = level.objectManager->objects.size();
    StepFrames(1);
    EXPECT_EQ(level.objectManager->objects.size(), start + 1);
    StepFrames(1);
    EXPECT_EQ(level.objectManager->objects.size(), start + 3);
}

}  // namespace
}  // namespace MatchTest
