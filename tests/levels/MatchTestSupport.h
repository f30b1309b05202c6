// The match-level tests' fixture: the real engine on a copy of the shipped
// data, the assets loaded, a line-up filled, and a match level started the
// way the state machine starts it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/VXLevelObjects.h"
#include "engine/core/GameState.h"
#include "engine/core/VXAudioManager.h"
#include "engine/core/VXFrameContext.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "levels/VXMatchLevels.h"
#include "objects/GameObject.h"
#include "platform/Platform.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/EngineFixture.h"

namespace MatchTest {

using namespace FrameWork;

// Replaces the first `from` in a data file of the tree.
inline void EditData(const TestHarness::TempDataTree& tree, const std::string& file,
                     const std::string& from, const std::string& to) {
    std::string text = TestHarness::ReadFile(tree.Data(file));
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from << " in " << file;
    tree.WriteData(file, text.replace(at, from.size(), to));
}

class MatchFixture : public TestHarness::EngineFixture {
protected:
    // Runs the start screens and loads whatever they left unloaded.
    void StartGame() {
        FrameContext().stateAfterLoading = GameState::SplashScreen;
        BeginRun();
        ASSERT_TRUE(RunUntilState(GameState::SplashScreen, 3000));
        LoadAssets();
        SetWindowed(320, 180);  // small frames draw fast
    }

    // Player 1 and 2 with their characters and teams; records 3 to 6 take
    // the characters left.
    static void FillLineUp(int kind1, int team1, int kind2, int team2) {
        auto& lineUp = FrameContext().lineUp;
        lineUp.clear();
        lineUp.emplace_back(1, kind1, team1);
        lineUp.emplace_back(2, kind2, team2);
        for (int kind : {15, 8, 6, 7, 18, 19})
            if (kind != kind1 && kind != kind2)
                lineUp.emplace_back(static_cast<int>(lineUp.size()) + 1, kind, 0);
    }

    // Enters match state `state` in the next frame; that frame runs its
    // first Update.  Returns what the level printed on entering.
    std::string Enter(int state) {
        FrameContext().nextState = state;
        return TestHarness::Printed([&] { StepFrames(1); });
    }

    // Frames until the start countdown has ended and input is taken.
    void WaitForCountdown() {
        for (int i = 0; i < 600 && FrameContext().inputBlocked; ++i) StepFrames(1);
    }

    static VXMatchLevel& Level(int state) {
        return *dynamic_cast<VXMatchLevel*>(LevelObjectForState(state));
    }
    static GameObject* Find(VXMatchLevel& level, const std::string& name) {
        return level.objectManager->FindObject(name);
    }

private:
    static void LoadAssets() {
        const std::string objects = "../VXEngine/data/objects/";
        const std::string img = "../VXEngine/data/img/";
        VXGraphicsManager* g = VXGraphicsManager::Instance();
        if (g->textures.size() < 2) {
            g->ReadTextureList(objects + "texturelist.txt");
            for (size_t i = 0; i < g->textureImageNames.size(); ++i)
                g->AddNamedTexture(g->textureImageNames[i], g->textureImagePaths[i],
                                   g->textureColumns[i], g->textureRows[i]);
        }
        if (g->tilemaps.empty()) {
            for (const std::string& name : Platform::ListDirectory(objects + "TilemapJsons"))
                g->LoadTilemap(objects + "TilemapJsons/" + name);
            int serial = 0;
            for (const auto& [key, map] : g->tilemaps) {
                if (g->FindInstanceSet(map._name)) continue;
                g->AddInstanceSet(map._name, serial++);
                g->LoadInstanceSetImage(map._name, img + map._name, map._texColumns, map._texRows);
                g->tileSetNames.push_back(map._name);
                g->tileSetImagePaths.push_back(img + map._name);
            }
            g->AddInstanceSet("carpetBomb2.png", serial);
            g->LoadInstanceSetImage("carpetBomb2.png", img + "carpetBomb2.png", 8, 8);
        }
        VXAudioManager* audio = VXAudioManager::Instance();
        if (audio->names.empty()) {
            audio->LoadTextList(objects + "audiolist.txt");
            for (size_t i = 0; i < audio->names.size(); ++i) audio->LoadSound(static_cast<int>(i));
        }
    }
};

}  // namespace MatchTest
