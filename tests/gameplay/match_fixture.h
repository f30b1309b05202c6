// The engine fixture run into a match: a boot state that loads the interface
// images, the sounds and the glyph sets, title and selection stand-ins that
// start the match once, and a small match level (state 4) that sets the
// clock, the cell total, the team counts and the line-up and decides the
// match at time-up as the match levels do.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/core/GameState.h"
#include "engine/core/VXAudioManager.h"
#include "engine/core/VXLevel_Base.h"
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

class BootLevel : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override {
        static const std::set<std::string> kImages = {"default.png",
                                                      "FloorTiles.png",
                                                      "Pause_Quit.png",
                                                      "Pause_Overlay.png",
                                                      "Pause_Menu.png",
                                                      "Pause_HowToPlay.png",
                                                      "PauseOptions_FullSpritesheet.png",
                                                      "GameplayUI_Viewport_Overlay.png",
                                                      "ScoreBar_SpriteSheet.png",
                                                      "GameplayUI_SpritesheetCb_Full.png",
                                                      "PaitnBar_FullSpriteSheet.png",
                                                      "GameStart_FullSpriteSheet.png",
                                                      "WinScreen_FullSpriteSheet.png",
                                                      "GameOverTimeOver_FullSpriteSheet.png",
                                                      "GameOverPortraits_FullSpriteSheet.png"};
        VXGraphicsManager* graphics = VXGraphicsManager::Instance();
        graphics->ReadTextureList("../VXEngine/data/objects/texturelist.txt");
        for (size_t i = 0; i < graphics->textureImageNames.size(); ++i)
            if (kImages.count(graphics->textureImageNames[i]))
                graphics->AddNamedTexture(graphics->textureImageNames[i],
                                          graphics->textureImagePaths[i],
                                          graphics->textureColumns[i], graphics->textureRows[i]);
        VXAudioManager* audio = VXAudioManager::Instance();
        audio->LoadTextList("../VXEngine/data/objects/audiolist.txt");
        for (size_t i = 0; i < audio->names.size(); ++i) audio->LoadSound(static_cast<int>(i));
        InitMatchUIResources();
    }
    void Update() override {
        FrameContext().active = 1;
        FrameContext().nextState = next;
    }
    void Free() override {}
    int next = GameState::LevelSelectScreen;
};

// The title or the selection screen: starts the match when asked to.
class MenuLevel : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override {}
    void Update() override {
        if (toMatch) FrameContext().nextState = GameState::Level0;
        toMatch = false;
    }
    void Free() override {}
    bool toMatch = false;
};

class TestMatch : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override {
        g_secondsLeft = seconds;
        g_winner = 2;
        g_matchOver = 0;
        g_totalPaintCells = cells;
        VXPaintMap::TeamTileCount[0] = blue;
        VXPaintMap::TeamTileCount[1] = red;
        FrameContext().lineUp = lineUp;
        objects = std::make_unique<VXObjectManager>();
        AddScreenSprite(*objects, "Floor", 2000, 1200, 0, 0, 0, "FloorTiles.png");
        SpriteOf(objects->objects.back())->worldSpace = true;
        GameObject* players[2] = {};
        for (int i = 0; i < 2; ++i) {
            objects->CreateGameObject(50, 50, Kind::Knight, true, 0, 0,
                                      "Player" + std::to_string(i + 1), 0, 0, 0);
            players[i] = objects->objects.back();
            objects->AddPlayerLogicComponent(players[i]);
            players[i]->GetPlayerLogic()->paintFuel = fuel[i];
            players[i]->GetPlayerLogic()->team = i + 1;
        }
        HUD::UpdatePaintBars(lineUp);
        HUD::BindPaintBars(players[0], players[1], nullptr, nullptr);
        MatchFlow().soundMap = &sounds;
    }
    void Update() override {
        if (g_secondsLeft > 0) return;
        const int32_t b = HUD::ReadTextNumber("BlueBar");
        const int32_t r = HUD::ReadTextNumber("RedBar");
        g_matchOver = 1;
        g_winner = b >= r ? 1 : 0;
    }
    void Free() override { objects.reset(); }

    int32_t seconds = 150, cells = 100, blue = 0, red = 0;
    int32_t fuel[2] = {50, 50};
    std::vector<GameLevelInitObject> lineUp = {{1, Kind::Knight, 1}, {2, Kind::Pirate, 2}};
    std::map<std::string, SoundCue> sounds = {
        {"bgm", SoundCue(0, 1)},      {"gameover", SoundCue(6)}, {"select", SoundCue(9)},
        {"CharSelect", SoundCue(22)}, {"TimeUp", SoundCue(25)},  {"Matchstarted", SoundCue(32)}};
    std::unique_ptr<VXObjectManager> objects;
};

class Match : public TestHarness::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        ReplaceLevel(GameState::LoadingScreen, &boot);
        ReplaceLevel(GameState::SplashScreen, &title);
        ReplaceLevel(GameState::LevelSelectScreen, &select);
        ReplaceLevel(GameState::Level0, &level);
    }
    VXMatchFlow& Flow() { return MatchFlow(); }
    // Boots into the menu `from` and on into the match.
    void EnterMatch(int from = GameState::LevelSelectScreen) {
        boot.next = from;
        (from == GameState::SplashScreen ? title : select).toMatch = true;
        if (!Running()) BeginRun();
        ASSERT_TRUE(RunUntilState(GameState::Level0));
    }
    // Frames until the match runs.
    int RunUntilActive() {
        int frames = 0;
        while (!engine->active && frames < 600 && StepFrames(1)) ++frames;
        return frames;
    }
    int RunUntil(const std::function<bool()>& done, int limit = 1200) {
        int frames = 0;
        while (!done() && frames < limit && StepFrames(1)) ++frames;
        return frames;
    }
    GameObject* Object(const std::string& name) {
        GameObject* hud = HUD::Objects() ? HUD::Objects()->FindObject(name) : nullptr;
        return hud ? hud : Flow().Find(name);
    }
    std::string Text(const std::string& name) {
        VXTextComponent* text = TextOf(Object(name));
        return text ? text->text : "<none>";
    }
    uint32_t Frame(const std::string& name) {
        return SpriteOf(Object(name))->animation.currentFrame;
    }
    void Tap(SDL_Scancode key, int times = 1) {
        for (int i = 0; i < times; ++i) TapKey(key);
    }

    BootLevel boot;
    MenuLevel title, select;
    TestMatch level;
};

}  // namespace MatchTest
