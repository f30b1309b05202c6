#include "gameplay/VXSkills.h"

#include <algorithm>
#include <cmath>

#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXBlockBomb.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXHazards.h"
#include "gameplay/VXLevelObjectRecord.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXSkillParts.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXOBB.h"
#include "physics/VXRigidBody.h"
#include "platform/Platform.h"

namespace FrameWork {

namespace {

constexpr float kWallHalfWidth = 25.0f;
constexpr float kWallHalfHeight = 150.0f;
constexpr float kWallLife = 20.0f;
constexpr int32_t kWallHitPoints = 100;
constexpr int32_t kWallsBlockOpponent = 3;
constexpr float kMineHalfExtent = 35.0f;
constexpr float kMineArmSeconds = 3.0f;
// Local offsets of the three mines in the caster's frame.
constexpr float kMineOffsets[3][2] = {{-30.0f, -80.0f}, {80.0f, 0.0f}, {-30.0f, 80.0f}};
constexpr float kBombHalfExtent = 150.0f;
constexpr float kPointerLifetime = 18.5f;
constexpr float kPointerDelay = 1.5f;
// One full turn over the pointer's lifetime.
constexpr float kPointerTurnSpeed = 19.459459f;
constexpr float kWaveSpeed = 750.0f;
constexpr float kWaveScaleX = 225.0f;
constexpr float kWaveScaleY = 375.0f;
constexpr float kMopSpeed = 500.0f;
constexpr float kMopLife = 1.5f;
constexpr float kStatusScale = 1.2f;

VXLevelObjectRecord* Record() {
    return g_currentLevelObjects;
}

VXOBB* ObbOf(const GameObject* object) {
    return object ? static_cast<VXOBB*>(object->GetComponent(CT_OBB)) : nullptr;
}

void TakeCasterPose(GameObject* object, const GameObject* caster) {
    object->rotation[2] = caster->rotation[2];
    PlaceObject(object, caster->position[0], caster->position[1]);
}

// A speed along the object's heading, with the third component 1.
void LaunchForward(GameObject* object, float speed) {
    VXRigidBody* body = BodyOf(object);
    if (!body) return;
    float vx = 0.0f, vy = 0.0f;
    RotateByDegrees(speed, 0.0f, object->rotation[2], vx, vy);
    body->Velocity = Vec3(vx, vy, 1.0f);
}

void ScaleStatus(GameObject* player, float x, float y) {
    if (!player || player->children.size() < 3 || !player->children[2]) return;
    player->children[2]->scale[0] = x;
    player->children[2]->scale[1] = y;
}

}  // namespace

void ShowCastEffect(GameObject* caster) {
    VXLevelObjectRecord* record = Record();
    GameObject* popup = record && caster ? record->NextPopup() : nullptr;
    if (!popup) return;
    popup->SetActive(1);
    PlaceObject(popup, caster->position[0], caster->position[1]);
    const int row = (Platform::Rand() % 6) % 3;
    if (VXSpriteComponent* sprite = SpriteOf(popup)) {
        PlayRow(sprite, row);
        sprite->SetFPS(10);
        sprite->playOnce = true;
    }
}

void SkillWallBlock(std::string name) {
    GameObject* caster = FindLevelPlayer(name);
    VXLevelObjectRecord* record = Record();
    GameObject* wall = caster && record ? record->NextWall() : nullptr;
    if (!wall) return;
    wall->SetActive(1);
    TakeCasterPose(wall, caster);
    if (VXOBB* box = ObbOf(wall)) {
        box->halfWidth = kWallHalfWidth;
        box->halfHeight = kWallHalfHeight;
        box->stateFlag = 1;
        box->Update(wall->worldMatrix, wall->rotation[2]);
    }
    VXWallLogicCom* logic = wall->GetWallLogic();
    if (logic) {
        logic->raised = 1;
        logic->lowering = 0;
        logic->lifeTimer = kWallLife;
        logic->hitPoints = kWallHitPoints;
    }
    if (VXAABB* box = caster->GetAABB()) box->stateFlag = kWallsBlockOpponent;
    if (VXSpriteComponent* sprite = SpriteOf(wall)) sprite->playing = true;
    if (logic) logic->Init();
    PlaySkillCue("WallBlock");
    ShowCastEffect(caster);
}

void SkillMines(std::string name) {
    GameObject* caster = FindLevelPlayer(name);
    VXLevelObjectRecord* record = Record();
    if (!caster || !record || record->mines.empty()) return;
    for (const auto& offset : kMineOffsets) {
        GameObject* mine = record->NextMine();
        float dx = 0.0f, dy = 0.0f;
        RotateByDegrees(offset[0], offset[1], caster->rotation[2], dx, dy);
        mine->rotation[2] = caster->rotation[2];
        PlaceObject(mine, caster->position[0] + dx, caster->position[1] + dy);
        mine->SetActive(1);
        if (VXAABB* box = mine->GetAABB()) {
            box->SetHalfExtents(kMineHalfExtent, kMineHalfExtent);
            box->MoveTo(mine->position[0], mine->position[1]);
        }
        // A mine laid again while its explosion played starts afresh.
        auto& exploded = record->skillObjects;
        exploded.erase(std::remove(exploded.begin(), exploded.end(), mine), exploded.end());
        if (VXSpriteComponent* sprite = SpriteOf(mine)) {
            sprite->playOnce = false;
            sprite->finished = false;
            PlayRow(sprite, 0);
        }
        if (VXMineCom* logic = mine->GetMine()) {
            logic->armed = 1;
            logic->armTimer = kMineArmSeconds;
        }
    }
    ShowCastEffect(caster);
}

void SkillLockDown(std::string name) {
    GameObject* caster = FindLevelPlayer(name);
    VXLevelObjectRecord* record = Record();
    VXShapeInstancer* grid = g_currentInstancer;
    if (!caster || !record || !grid) return;
    // The tile under the caster: no tile, no bomb.
    const int32_t tile = grid->SnapToGrid(caster->position);
    const VXTilemapRegistry& maps = VXGraphicsManager::Instance()->tilemaps;
    auto map = maps.find(grid->tilemapName);
    if (tile < 0 || map == maps.end() || static_cast<size_t>(tile) >= map->second.m_data1.size())
        return;
    const float x = map->second.m_data1[static_cast<size_t>(tile)][0];
    const float y = map->second.m_data1[static_cast<size_t>(tile)][1];

    auto [bomb, pointer] = record->NextBlockBomb();
    VXBlockBombCom* logic = bomb ? bomb->GetBlockBomb() : nullptr;
    if (!logic) return;
    // A pair taken again before its bomb ended frees its old patch first.
    if (bomb->m_active) logic->UnlockCells();
    logic->cells.clear();
    logic->positions.clear();

    bomb->SetActive(1);
    PlaceObject(bomb, x, y);
    if (VXAABB* box = bomb->GetAABB()) {
        box->SetHalfExtents(kBombHalfExtent, kBombHalfExtent);
        box->MoveTo(x, y);
    }
    logic->casterName = name;
    const VXPlayerLogic* casterLogic = LogicOf(caster);
    logic->team = casterLogic ? casterLogic->team : 0;
    logic->Init();
    PlaySkillCue("LockDown");

    if (pointer) {
        pointer->SetActive(1);
        PlaceObject(pointer, x, y);
        if (VXBlockBombPointer* turn = pointer->GetBlockBombPointer()) {
            turn->lifetime = kPointerLifetime;
            turn->spareNumber = 0.0f;
            turn->delay = kPointerDelay;
            turn->turnSpeed = kPointerTurnSpeed;
        }
    }
    ShowCastEffect(caster);
}

void SkillPaint(std::string name) {
    GameObject* caster = FindLevelPlayer(name);
    if (!caster) return;
    PlaySkillCue("paint");
    GameObject* target = OpponentOf(name);
    if (caster->isRoot)
        if (VXSpriteComponent* cast = ChildSpriteOf(caster, 3)) {
            cast->active = 1;
            PlayRow(cast, 0);
            cast->playOnce = true;
        }
    if (VXPlayerLogic* logic = LogicOf(target)) logic->StartTimer(kTimerMark);
    if (VXSpriteComponent* status = ChildSpriteOf(target, 2)) {
        status->active = 1;
        PlayRow(status, 1);
    }
    ShowCastEffect(caster);
}

void SkillBleed(std::string name) {
    GameObject* caster = FindLevelPlayer(name);
    GameObject* wave = FindLevelObject("BleedPrj");
    if (!caster || !wave) return;
    GameObject* target = OpponentOf(name);
    PlaySkillCue("BleedSkill");
    ScaleStatus(target, kStatusScale, kStatusScale);

    wave->SetActive(1);
    wave->scale[0] = kWaveScaleX;
    wave->scale[1] = kWaveScaleY;
    TakeCasterPose(wave, caster);
    if (VXOBB* box = ObbOf(wave)) {
        box->halfWidth = (wave->scale[0] - 120.0f) * 0.5f;
        box->halfHeight = (wave->scale[1] - 60.0f) * 0.5f;
        box->Update(wave->worldMatrix, wave->rotation[2]);
    }
    if (VXSpriteComponent* sprite = SpriteOf(wave)) {
        sprite->playing = true;
        sprite->alpha = 1.0f;
        sprite->SetFPS(24);
    }
    LaunchForward(wave, kWaveSpeed);
    ScaleStatus(target, kStatusScale * 1.5f, kStatusScale * 1.5f);
    ShowCastEffect(caster);
}

void SkillMop(std::string name) {
    GameObject* caster = FindLevelPlayer(name);
    GameObject* mop = FindLevelObject("CleanUp_Mop");
    if (!caster || !mop) return;
    PlaySkillCue("MaidSkill");
    mop->SetActive(1);
    TakeCasterPose(mop, caster);
    if (VXOBB* box = ObbOf(mop)) {
        box->halfWidth = (mop->scale[0] - 200.0f) * 0.5f;
        box->halfHeight = mop->scale[1] * 0.5f;
        box->Update(mop->worldMatrix, mop->rotation[2]);
    }
    if (VXSpriteComponent* sprite = SpriteOf(mop)) {
        sprite->playing = true;
        sprite->SetFPS(24);
    }
    LaunchForward(mop, kMopSpeed);
    if (VXMopCom* logic = mop->GetMop()) {
        if (VXShapeInstancer* grid = g_currentInstancer) {
            logic->left = grid->firstTileX;
            logic->top = grid->firstTileY;
            logic->right = grid->lastTileX;
            logic->bottom = grid->lastTileY;
        }
        logic->painter = g_levelPainter;
        const VXPlayerLogic* casterLogic = LogicOf(caster);
        logic->team = casterLogic ? casterLogic->team : 0;
        logic->grid = g_currentInstancer;
        logic->lifeTimer = kMopLife;
    }
    ShowCastEffect(caster);
}

}  // namespace FrameWork
