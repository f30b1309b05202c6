// The engine fixture run into a match: a boot state that loads the assets, a
// menu that starts the match once, and a match level (state 4) set up from the
// fixture's numbers that decides the match at time-up as the levels do.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/DataRoot.h"
#include "core/GameState.h"
#include "core/VXAudioManager.h"
#include "core/VXLevel_Base.h"
#include "gameplay/VXGameplayHUD.h"
#include "gameplay/VXMatchFlow.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXScreenObjects.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"
#include "tests/harness/EngineFixture.h"

namespace MatchTest {

using namespace FrameWork;
namespace HUD = VXGameplayHUD;
using Kind = GameObject::ObjectType;

inline bool MatchOver() {
    return g_matchOver != 0;
}

// A state of the test: `init` at its start, `update` every frame.
struct TestLevel : public VXLevel_Base {
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override { init(); }
    void Update() override { update(); }
    void Free() override { objects.reset(); }
    std::function<void()> init = [] {}, update = [] {};
    std::unique_ptr<VXObjectManager> objects;
};

class Match : public TestHarness::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        boot.init = [] {
            VXGraphicsManager* g = VXGraphicsManager::Instance();
            g->ReadTextureList(DataPath("objects/texturelist.txt"));
            for (size_t i = 0; i < g->textureImageNames.size(); ++i)
                g->AddNamedTexture(g->textureImageNames[i], g->textureImagePaths[i],
                                   g->textureColumns[i], g->textureRows[i]);
            VXAudioManager* audio = VXAudioManager::Instance();
            audio->LoadTextList(DataPath("objects/audiolist.txt"));
            for (size_t i = 0; i < audio->names.size(); ++i) audio->LoadSound(static_cast<int>(i));
            InitMatchUIResources();
        };
        boot.update = [this] {
            FrameContext().active = 1;
            FrameContext().nextState = from;
        };
        menu.update = [this] {
            if (toMatch) FrameContext().nextState = GameState::Level0;
            toMatch = false;
        };
        level.init = [this] { StartMatch(); };
        level.update = [] {
            if (g_secondsLeft > 0) return;
            g_matchOver = 1;
            g_winner = HUD::ReadTextNumber("BlueBar") >= HUD::ReadTextNumber("RedBar") ? 1 : 0;
        };
        ReplaceLevel(GameState::LoadingScreen, &boot);
        ReplaceLevel(GameState::SplashScreen, &menu);
        ReplaceLevel(GameState::LevelSelectScreen, &menu);
        ReplaceLevel(GameState::Level0, &level);
    }
    void StartMatch() {
        g_secondsLeft = seconds;
        g_winner = 2;
        g_matchOver = 0;
        g_totalPaintCells = cells;
        VXPaintMap::TeamTileCount[0] = blue;
        VXPaintMap::TeamTileCount[1] = red;
        FrameContext().lineUp = lineUp;
        level.objects = std::make_unique<VXObjectManager>();
        VXObjectManager& objects = *level.objects;
        AddScreenSprite(objects, "Floor", 2000, 1200, 0, 0, 0, "FloorTiles.png");
        SpriteOf(objects.objects.back())->worldSpace = true;
        GameObject* players[2] = {};
        for (int i = 0; i < 2; ++i) {
            objects.CreateGameObject(50, 50, Kind::Knight, true, 0, 0, "P" + std::to_string(i), 0,
                                     0, 0);
            players[i] = objects.objects.back();
            objects.AddPlayerLogicComponent(players[i]);
            players[i]->GetPlayerLogic()->paintFuel = fuel[i];
        }
        HUD::UpdatePaintBars(lineUp);
        HUD::BindPaintBars(players[0], players[1], nullptr, nullptr);
        MatchFlow().soundMap = &sounds;
    }
    // Boots into the menu `start` (once) and on into the match.
    void EnterMatch(int start = GameState::LevelSelectScreen) {
        from = start;
        toMatch = true;
        if (!Running()) BeginRun();
        ASSERT_TRUE(RunUntilState(GameState::Level0));
    }
    // Frames until `done`, or until the match runs.
    int RunUntil(const std::function<bool()>& done, int limit = 1200) {
        int frames = 0;
        while (!done() && frames < limit && StepFrames(1)) ++frames;
        return frames;
    }
    int RunUntilActive() {
        return RunUntil([this] { return engine->active != 0; });
    }
    GameObject* Object(const std::string& name) {
        GameObject* hud = HUD::Objects() ? HUD::Objects()->FindObject(name) : nullptr;
        return hud ? hud : MatchFlow().Find(name);
    }
    std::string Text(const std::string& name) { return TextOf(Object(name))->text; }
    uint32_t Frame(const std::string& name) {
        return SpriteOf(Object(name))->animation.currentFrame;
    }
    // One frame that lasts 2.5 s (the frame after the next).
    void LongFrame() {
        clock.tick = 2500000;
        StepFrames(1);
        clock.tick = 16667;
        StepFrames(1);
    }
    void Tap(SDL_Scancode key, int times = 1) {
        for (int i = 0; i < times; ++i) TapKey(key);
    }

    TestLevel boot, menu, level;
    int from = GameState::LevelSelectScreen;
    bool toMatch = false;
    int32_t seconds = 150, cells = 100, blue = 0, red = 0, fuel[2] = {50, 50};
    std::vector<GameLevelInitObject> lineUp = {{1, Kind::Knight, 1}, {2, Kind::Pirate, 2}};
    std::map<std::string, SoundCue> sounds = {
        {"bgm", SoundCue(0, 1)},      {"gameover", SoundCue(6)}, {"select", SoundCue(9)},
        {"CharSelect", SoundCue(22)}, {"TimeUp", SoundCue(25)},  {"Matchstarted", SoundCue(32)}};
};

}  // namespace MatchTest
