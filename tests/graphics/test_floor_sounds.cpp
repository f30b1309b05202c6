// The floor grid's two cues through the level's sound map: "wallHit" when a
// player is pushed out of a wall, "paintSplat2" when a splat paints while the
// match runs; a map without the cue plays nothing and gains no entry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/VXEngine.h"
#include "engine/core/VXAudioManager.h"
#include "gameplay/VXGameplayHooks.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXRigidBody.h"
#include "tests/support/TempDataTree.h"

using namespace FrameWork;

namespace {

constexpr int kWallHit = 0;
constexpr int kSplat = 1;

class TilesSounds : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        InstallGameplayHooks();
        VXAudioManager::Destroy();
        audio = VXAudioManager::Instance();
        if (!audio->HasDevice()) GTEST_SKIP() << "no sound device, not even the dummy one";
        const auto sounds = TestHarness::SourceDir() / "data" / "audio";
        audio->CreateSound((sounds / "wallHit.ogg").string());
        audio->CreateSound((sounds / "paintSplat2.ogg").string());
        engine = VXEngine::Instance();
        engine->active = 1;
        sounds_["wallHit"] = SoundCue(kWallHit);
        sounds_["paintSplat2"] = SoundCue(kSplat);

        graphics = VXGraphicsManager::Instance();
        VXTilemapData record;
        record.row = 1;
        record.col = 2;
        record._name = "Floor.png";
        record.m_data1 = {{0, 0, 100, 100}, {100, 0, 100, 100}};
        graphics->tilemaps["SoundFloor"] = record;
        graphics->AddInstanceSet("Floor.png", 0);
        graphics->AddInstanceSet("carpetBomb2.png", 0);
        grid = std::make_unique<VXShapeInstancer>("SoundFloor", &sounds_);
        grid->Setup();
        g_currentInstancer = grid.get();

        player = new GameObject(50, 50, 6, 0, 1, 0, 0, 0, "Player1", 0, 0, 0);
        player->AddComponent(std::make_shared<VXRigidBody>(player));
        auto logic = std::make_shared<VXPlayerLogic>(player, 6);
        logic->team = 1;
        player->AddComponent(logic);
    }
    void TearDown() override {
        grid.reset();
        delete player;
        g_instancerSoundMap = nullptr;
        if (graphics) {
            graphics->instanceSets.clear();
            graphics->paintCells.clear();
            graphics->tilemaps.clear();
        }
        VXAudioManager::Destroy();
        if (VXEngine* e = VXEngine::Existing()) e->Shutdown();
    }

    VXAudioManager* audio = nullptr;
    VXEngine* engine = nullptr;
    VXGraphicsManager* graphics = nullptr;
    VXSoundMap sounds_;
    std::unique_ptr<VXShapeInstancer> grid;
    GameObject* player = nullptr;
};

}  // namespace

TEST_F(TilesSounds, WallHitAndSplatPlayTheirCuesOnly) {
    RespondToWall(player);
    EXPECT_TRUE(audio->IsPlaying(kWallHit));
    EXPECT_FALSE(audio->IsPlaying(kSplat));
    // No splat sound while the match is not running.
    engine->active = 0;
    EXPECT_EQ(VXPaintMap::Splat(player), 0);
    EXPECT_FALSE(audio->IsPlaying(kSplat));
    engine->active = 1;
    player->position[0] = 100.0f;
    EXPECT_EQ(VXPaintMap::Splat(player), 1);
    EXPECT_TRUE(audio->IsPlaying(kSplat));
    // A map without the cue plays nothing and gains no entry.
    audio->StopChannel(kWallHit);
    sounds_.erase("wallHit");
    RespondToWall(player);
    EXPECT_FALSE(audio->IsPlaying(kWallHit));
    EXPECT_EQ(sounds_.count("wallHit"), 0u);
}
