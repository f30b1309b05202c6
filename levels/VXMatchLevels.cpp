#include "levels/VXMatchLevels.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <utility>

#include "core/DataRoot.h"
#include "core/VXFrameContext.h"
#include "core/VXInputManager.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameManagerComponent.h"
#include "gameplay/VXGameplayHUD.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXMatchFlow.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "levels/VXLevelObjectSetup.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXPhysicsManager.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

const std::string kPrefabFolder = DataPath("objects/prefabs/");
constexpr float kGreen[4] = {49.0f / 255.0f, 81.0f / 255.0f, 44.0f / 255.0f, 1.0f};
constexpr float kGrey[4] = {38.0f / 255.0f, 38.0f / 255.0f, 38.0f / 255.0f, 1.0f};
constexpr float kFar = 1e10f;

VXMatchLevelTable MakeTable(int32_t state, int32_t number, const char* tileMap, const char* file,
                            float maxScale, const float (&clear)[4]) {
    VXMatchLevelTable t{};
    t.stateId = state;
    t.levelNumber = number;
    t.tileMap = tileMap;
    t.objectFile = file;
    t.maxCameraScale = maxScale;
    std::copy(clear, clear + 4, t.clearColour);
    t.emptiesBoxColliders = true;
    t.parkOdd[0] = -9999.0f;
    t.parkEven[1] = -9999.0f;
    return t;
}

void SetPair(float (&out)[2], float x, float y) {
    out[0] = x;
    out[1] = y;
}

const VXMatchLevelTable& Level0Table() {
    static const VXMatchLevelTable t = [] {
        // The quick-match floor is as tall as Level 3's (24 rows): the camera
        // needs the same room to keep players in opposite corners above the
        // HUD on a 1080-line screen.
        VXMatchLevelTable v = MakeTable(4, 0, "Level_0", "objects/savefile0.json", 2.7f, kGreen);
        v.quickMatch = true;
        SetPair(v.redSpawn, 350.0f, -950.0f);
        SetPair(v.blueSpawn, -250.0f, -950.0f);
        return v;
    }();
    return t;
}

const VXMatchLevelTable& Level1Table() {
    static const VXMatchLevelTable t = [] {
        VXMatchLevelTable v = MakeTable(0, 1, "Level_1", "objects/savefile1.json", 2.2f, kGrey);
        v.emptiesBoxColliders = false;
        v.musicOnlyWhileActive = true;
        v.hitChildBySecond = true;
        SetPair(v.redSpawn, 650.0f, -550.0f);
        SetPair(v.blueSpawn, -750.0f, 450.0f);
        SetPair(v.parkOdd, -kFar, 0.0f);
        SetPair(v.parkEven, -0.0f, kFar);
        return v;
    }();
    return t;
}

const VXMatchLevelTable& Level2Table() {
    static const VXMatchLevelTable t = [] {
        VXMatchLevelTable v = MakeTable(2, 2, "Level_2", "objects/savefile2.json", 2.45f, kGrey);
        SetPair(v.redSpawn, 250.0f, 750.0f);
        SetPair(v.blueSpawn, -250.0f, 750.0f);
        return v;
    }();
    return t;
}

const VXMatchLevelTable& Level3Table() {
    static const VXMatchLevelTable t = [] {
        VXMatchLevelTable v = MakeTable(3, 3, "Level_3", "objects/savefile3.json", 2.7f, kGreen);
        v.emptiesBoxColliders = false;
        SetPair(v.redSpawn, 250.0f, 550.0f);
        SetPair(v.blueSpawn, -750.0f, -550.0f);
        SetPair(v.parkOdd, -kFar, 0.0f);
        SetPair(v.parkEven, -0.0f, kFar);
        return v;
    }();
    return t;
}

// Sound index -> name in the level sound map (10 and 12 have none).
const std::pair<int, const char*> kLevelSounds[] = {
    {0, "bgm"},           {1, "PlayerToPlayerHit"},
    {2, "knight"},        {3, "pirate"},
    {4, "pickup"},        {5, "explode"},
    {6, "gameover"},      {7, "playerDam"},
    {8, "melee"},         {9, "select"},
    {11, "paint"},        {13, "wallHit"},
    {14, "MeeleHit"},     {15, "MeeleFlyOff"},
    {16, "ArcherFire"},   {17, "VikingFire"},
    {18, "ArcherHit"},    {19, "PirateHit"},
    {20, "WallBlock"},    {21, "LockDown"},
    {22, "CharSelect"},   {23, "10SecLeft"},
    {24, "PaintPickup"},  {25, "TimeUp"},
    {26, "paintSplat1"},  {27, "paintSplat2"},
    {28, "paintSplat3"},  {29, "whistle"},
    {30, "KnightHit"},    {31, "SamuraiHit"},
    {32, "Matchstarted"}, {33, "VikingHit"},
    {34, "MaidHit"},      {35, "MaidSkill"},
    {36, "BleedSkill"},   {37, "FlagCaptured"},
};

// Each character's projectile: the prefab whose object bears this name.
struct ProjectileName {
    int32_t kind;
    const char* name;
};
constexpr ProjectileName kProjectiles[] = {
    {GameObject::Archer, "Arrow"}, {GameObject::Pirate, "CannonBall"},
    {GameObject::Viking, "Fist"},  {GameObject::Samurai, "Katana"},
    {GameObject::Knight, "Lance"}, {GameObject::Maid, "Mop"},
};

bool IsCharacterKind(int32_t kind) {
    switch (kind) {
        case GameObject::Pirate:
        case GameObject::Viking:
        case GameObject::Knight:
        case GameObject::Archer:
        case GameObject::Samurai:
        case GameObject::Maid:
            return true;
        default:
            return false;
    }
}

// A whole number from 0 to m - 1, by rejection so that every value is
// equally likely with the 15-bit generator.
int DrawBelow(int m) {
    for (;;) {
        const int r = Platform::Rand();
        if (r / m < Platform::RandMax / m || Platform::RandMax % m == m - 1) return r % m;
    }
}

void Activate(GameObject* object) {
    if (object && !object->m_active) object->SetActive(1);
}

void ReportMissing(const std::string& what) {
    std::printf(" -> ERROR\n -> %s: that step of the level's set-up is skipped\n", what.c_str());
}

}  // namespace

VXMatchLevel::VXMatchLevel(const VXMatchLevelTable& levelTable, VXMatchLevelStatics& levelStatics)
    : table(levelTable), statics(levelStatics) {}

VXLevel0::VXLevel0()
    : VXMatchLevel(Level0Table(), []() -> VXMatchLevelStatics& {
          static VXMatchLevelStatics s;
          return s;
      }()) {}
VXLevel1::VXLevel1()
    : VXMatchLevel(Level1Table(), []() -> VXMatchLevelStatics& {
          static VXMatchLevelStatics s;
          return s;
      }()) {}
VXLevel2::VXLevel2()
    : VXMatchLevel(Level2Table(), []() -> VXMatchLevelStatics& {
          static VXMatchLevelStatics s;
          return s;
      }()) {}
VXLevel3::VXLevel3()
    : VXMatchLevel(Level3Table(), []() -> VXMatchLevelStatics& {
          static VXMatchLevelStatics s;
          return s;
      }()) {}

SoundCue* VXMatchLevel::Cue(const std::string& name) {
    auto it = statics.sounds.find(name);
    return it == statics.sounds.end() ? nullptr : &it->second;
}

void VXMatchLevel::Initialize() {
    std::printf(" -> Lv 1 Initialized\n");
    VXFrameContext& frame = FrameContext();

    graphics_ = VXGraphicsManager::Instance();
    graphics_->maxScale = table.maxCameraScale;
    audio_ = VXAudioManager::Instance();
    input_ = VXInputManager::Instance();
    physics_ = VXPhysicsManager::Instance();
    if (table.emptiesBoxColliders) physics_->aabbs.clear();

    statics.levelNumber = table.levelNumber;
    graphics_->cameraX = 0.0f;
    graphics_->cameraY = 0.0f;
    graphics_->zoom = 1.0f / 3.0f;

    grid = new VXShapeInstancer(table.tileMap, &statics.sounds);
    objectManager = new VXObjectManager();
    objectManager->LoadObjects(DataPath(table.objectFile));
    // Every file of the folder loads; the projectiles are picked by name.
    VXListedPrefabs listed;
    for (const std::string& name : Platform::ListDirectory(std::string(kPrefabFolder) + "*")) {
        const size_t before = objectManager->prefabs.size();
        objectManager->LoadPrefabs(kPrefabFolder + name);
        const std::vector<GameObject*>& prefabs = objectManager->prefabs;
        listed.emplace_back(
            name, std::vector<GameObject*>(prefabs.begin() + static_cast<std::ptrdiff_t>(before),
                                           prefabs.end()));
    }

    SetUpPlayers();

    // Players 1 and 2 play and the camera follows them.
    for (GameObject* player : {players[0], players[1]}) {
        if (!player) continue;
        playerList.push_back(player);
        graphics_->cameraTargets.push_back(player);
    }

    GameObject* gameManager = objectManager->FindObject("GameManager");
    if (gameManager)
        objectManager->AddGameManagerComponent(gameManager);
    else
        ReportMissing("No object \"GameManager\"");

    objectManager->CopyWallList(grid);
    grid->Setup(table.tileMap);

    statics.warning = 1;
    FillSoundMap();
    statics.matchLength = 150;
    statics.record.soundMap = &statics.sounds;
    statics.record.objectManager = objectManager;
    CreateLevelObjects(statics.record, players[0], players[1], players[2], players[3], "Player1",
                       "Player2", "Player3", "Player4");

    g_currentInstancer = grid;
    g_currentLevelObjects = &statics.record;
    MatchFlow().soundMap = &statics.sounds;

    MsgBombInit bombInit(grid);
    for (GameObject* object : objectManager->objects) {
        for (auto& component : object->components)
            if (component) component->HandleMessage(&bombInit);
        if (object->HasComponent(CT_SpawnPoint)) spawnPoints.push_back(object);
        if (object->HasComponent(CT_Flag)) flags.push_back(object);
    }

    if (SoundCue* bgm = Cue("bgm")) bgm->loop = 1;
    audio_->SetChannelVolume(0.0f);

    BindKeyboard(players[0], false);
    AssignPads();
    BindKeyboard(players[1], true);

    for (int i = 0; i < 2; ++i) {
        const std::string icon = i == 0 ? "P1Icon" : "P2Icon";
        GameObject* follower = objectManager->FindObject(icon);
        if (!follower)
            ReportMissing("No object \"" + icon + "\"");
        else if (players[i])
            players[i]->SetFollower(follower);
    }

    if (auto* manager = gameManager ? static_cast<VXGameManagerComponent*>(
                                          gameManager->GetComponent(CT_GameManager))
                                    : nullptr)
        manager->SetSides(players[0], players[1]);

    for (GameObject* player : playerList) {
        const size_t needed = player->objectType == GameObject::Archer ? 4 : 3;
        if (player->children.size() < needed) {
            ReportMissing("\"" + player->g_name + "\" has fewer than " + std::to_string(needed) +
                          " children");
            continue;
        }
        if (VXSpriteComponent* status = SpriteOf(player->children[2])) status->SetAnimation(4);
        if (player->objectType == GameObject::Archer)
            if (VXSpriteComponent* cast = SpriteOf(player->children[3])) cast->SetAnimation(2);
    }

    SetUpFlags();

    g_secondsLeft = statics.matchLength;
    g_totalPaintCells = grid->walkableCells;
    if (g_totalPaintCells <= 0)
        ReportMissing(std::string("No paintable floor in tile map ") + table.tileMap +
                      "; the scores stay at 0%");
    VXGameplayHUD::UpdatePaintBars(frame.lineUp);
    VXGameplayHUD::BindPaintBars(players[0], players[1], players[2], players[3]);
    g_winner = 2;
    g_matchOver = 0;

    glClearColor(table.clearColour[0], table.clearColour[1], table.clearColour[2],
                 table.clearColour[3]);

    // The painter the set-up built: a save file may hold an object of that
    // name too, which has none of its parts.
    GameObject* painter = g_levelPainter ? g_levelPainter : objectManager->FindObject("Painter");
    if (painter)
        SetGameManagerObject(painter);
    else
        ReportMissing("No object \"Painter\"");

    for (int i = 0; i < 4; ++i)
        if (players[i])
            if (VXPlayerLogic* logic = players[i]->GetPlayerLogic()) logic->paintFuel = 70;

    FillProjectilePrefabs(listed);
}

void VXMatchLevel::FillSoundMap() {
    const float volume = FrameContext().masterVolume;
    for (const auto& [index, name] : kLevelSounds) {
        SoundCue cue(index);
        cue.volume = volume;
        statics.sounds[name] = cue;
    }
}

void VXMatchLevel::FillProjectilePrefabs(const VXListedPrefabs& listed) {
    // The file named for the projectile first; then the first other file
    // holding an object of its name (a copy saved under another name, or
    // one file of several prefabs).  Other objects (a character saved as a
    // prefab, a backup, a copied folder's hidden files) give no character
    // its projectile.
    auto named = [](const std::vector<GameObject*>& prefabs, const std::string& name) {
        for (GameObject* prefab : prefabs)
            if (prefab && prefab->g_name == name) return prefab;
        return static_cast<GameObject*>(nullptr);
    };
    for (const ProjectileName& projectile : kProjectiles) {
        const std::string name = projectile.name;
        GameObject* found = nullptr;
        for (auto it = listed.begin(); !found && it != listed.end(); ++it)
            if (it->first == name + ".json") found = named(it->second, name);
        for (auto it = listed.begin(); !found && it != listed.end(); ++it)
            found = named(it->second, name);
        if (found)
            statics.projectilePrefabs[projectile.kind] = found;
        else
            ReportMissing("No prefab \"" + name + "\" in " + kPrefabFolder + "; the " +
                          GameObject::TypeToString(projectile.kind) + " does not fire");
    }
}

void VXMatchLevel::BindKeyboard(GameObject* player, bool second) {
    VXPlayerLogic* logic = player ? player->GetPlayerLogic() : nullptr;
    if (!logic) return;
    namespace VK = Platform::VK;
    if (second)
        logic->SetKeyBindings(VK::Up, VK::Down, VK::Left, VK::Right, 'I', 'O', 'P');
    else
        logic->SetKeyBindings('W', 'S', 'A', 'D', VK::Space, 'G', 'Q');
    logic->SetMoveForce(500.0f, 0.0f);
}

void VXMatchLevel::AssignPads() {
    // Connected as the frame's poll found them (polling again would lose
    // the presses latched for this frame).
    const std::vector<VXGamepad>& pads = input_->pads;
    auto connected = [&pads](int pad) {
        return pad >= 0 && pad <= 3 && static_cast<size_t>(pad) < pads.size() &&
               pads[static_cast<size_t>(pad)].connected;
    };
    VXPlayerLogic* logics[2] = {};
    for (int i = 0; i < 2; ++i) logics[i] = players[i] ? players[i]->GetPlayerLogic() : nullptr;
    for (int pad = 0; pad < 4; ++pad) {
        if (!connected(pad)) continue;
        bool held = false;
        for (VXPlayerLogic* logic : logics) held = held || (logic && logic->padIndex == pad);
        if (held) continue;
        for (VXPlayerLogic* logic : logics)
            if (logic && !connected(logic->padIndex)) {
                logic->padIndex = pad;
                break;
            }
    }
}

void VXMatchLevel::SetUpFlags() {
    for (GameObject* object : flags) {
        auto* flag = object->GetFlag();
        VXAABB* box = object->GetAABB();
        if (!flag || !box) {
            ReportMissing("Flag \"" + object->g_name + "\" has no capture box");
            continue;
        }
        const float cellWidth = object->scale[0];
        const float cellHeight = object->scale[1];
        if (!(cellWidth > 0.0f) || !(cellHeight > 0.0f)) {
            char scale[64];
            std::snprintf(scale, sizeof scale, " (%g, %g)", static_cast<double>(cellWidth),
                          static_cast<double>(cellHeight));
            const bool negative = cellWidth < 0.0f || cellHeight < 0.0f;
            const bool zero = cellWidth == 0.0f || cellHeight == 0.0f;
            ReportMissing("Flag \"" + object->g_name + "\" has " +
                          (negative ? "a negative scale"
                           : zero   ? "a scale of 0"
                                    : "a scale that is not a number") +
                          scale);
            continue;
        }
        const float width = box->halfWidth * 2.0f;
        const float height = box->halfHeight * 2.0f;
        flag->SetCaptureArea(object->position[0] - box->halfWidth,
                             object->position[1] - box->halfHeight, cellWidth, cellHeight, 0,
                             &statics.sounds, width / cellWidth, height / cellHeight);
    }
}

// --- Players -----------------------------------------------------------------

GameObject* VXMatchLevel::ApplyChoice(const GameLevelInitObject& entry) {
    if (!IsCharacterKind(entry.characterKind)) {
        std::printf(" -> ERROR\n -> Player %d has no character (%d)\n", entry.playerNumber,
                    entry.characterKind);
        return nullptr;
    }
    // The character's object, before the choice renames it; a character
    // already taken by an earlier record is found no more.
    GameObject* object = objectManager->FindObject(GameObject::TypeToString(entry.characterKind));
    objectManager->ApplyPlayerChoice(entry);
    return object && object->GetPlayerLogic() ? object : nullptr;
}

void VXMatchLevel::SetUpPlayers() {
    std::vector<GameLevelInitObject>& lineUp = FrameContext().lineUp;
    if (table.quickMatch) {
        // Always a fresh line-up of the six characters, drawn anew.
        lineUp.clear();
        const int32_t kinds[6] = {15, 8, 6, 7, 18, 19};
        for (int i = 0; i < 6; ++i) lineUp.emplace_back(i + 1, kinds[i], 0);
        for (size_t i = 1; i < lineUp.size(); ++i)
            std::swap(lineUp[i], lineUp[static_cast<size_t>(DrawBelow(static_cast<int>(i) + 1))]);
        for (size_t i = 0; i < lineUp.size(); ++i) {
            lineUp[i].playerNumber = static_cast<int32_t>(i) + 1;
            lineUp[i].team = 0;
        }
        lineUp[0].team = 1;
        lineUp[1].team = 2;
    }
    const size_t count = std::min<size_t>(lineUp.size(), 6);
    for (size_t i = 0; i < count; ++i) players[i] = ApplyChoice(lineUp[i]);
    for (int i = 0; i < 2; ++i) {
        if (!players[i]) continue;
        if (table.quickMatch) players[i]->g_name = "Player" + std::to_string(i + 1);
        Activate(players[i]);
    }
    PlacePlayers();
    HideExtraPlayers(table.quickMatch);
}

void VXMatchLevel::PlacePlayers() {
    VXPlayerLogic* first = players[0] ? players[0]->GetPlayerLogic() : nullptr;
    const bool firstIsRed = first && first->team == 2;
    const float* spawns[2] = {firstIsRed ? table.redSpawn : table.blueSpawn,
                              firstIsRed ? table.blueSpawn : table.redSpawn};
    for (int i = 0; i < 2; ++i) {
        if (!players[i]) continue;
        players[i]->position[0] = spawns[i][0];
        players[i]->position[1] = spawns[i][1];
    }
}

void VXMatchLevel::HideExtraPlayers(bool quickMatch) {
    for (int i = 2; i < 6; ++i) {
        GameObject* player = players[i];
        if (!player) continue;
        if (quickMatch) {
            player->GetPlayerLogic()->team = 0;
            player->g_name = "Player" + std::to_string(i + 1);
            if (VXSpriteComponent* sprite = SpriteOf(player)) sprite->worldSpace = false;
        }
        const float* spot = i % 2 == 0 ? table.parkOdd : table.parkEven;
        player->position[0] = spot[0];
        player->position[1] = spot[1];
    }
    for (int i = 2; i < 6; ++i)
        if (players[i]) players[i]->UpdateTransform();
    for (int i = 2; i < 6; ++i)
        if (players[i]) players[i]->SetActive(0);
}

// --- Free ----------------------------------------------------------------------

void VXMatchLevel::Free() {
    std::printf(" -> Lv 1 Free\n");
    playerList.clear();
    flags.clear();
    spawnPoints.clear();
    FreeLevelObjects(statics.record);
    statics.sounds.clear();

    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    graphics->cameraTargets.clear();
    graphics->paintCells.clear();
    VXPhysicsManager::Instance()->Reset();
    VXShapeInstancer::ClearInstances();
    statics.projectilePrefabs.clear();

    VXAudioManager* audio = VXAudioManager::Instance();
    audio->StopChannel(0);
    if (!statics.warning) audio->StopChannel(23);
    if (table.quickMatch) FrameContext().lineUp.clear();
    std::fill(std::begin(players), std::end(players), nullptr);

    delete objectManager;
    objectManager = nullptr;
    if (grid) grid->Clear();
    delete grid;
    grid = nullptr;

    // Nothing keeps the level's sounds or emitters once they are gone.
    if (g_currentLevelObjects == &statics.record) g_currentLevelObjects = nullptr;
    g_instancerSoundMap = nullptr;
    g_painterObject = nullptr;
    if (MatchFlow().soundMap == &statics.sounds) MatchFlow().soundMap = nullptr;
    auto& emitters = graphics->emitters;
    emitters.erase(std::remove_if(emitters.begin(), emitters.end(),
                                  [](const auto& e) { return !e || !e->owner; }),
                   emitters.end());
}

}  // namespace FrameWork
